// What the command line says in its own words: a job prepared, the restart, and the usage with
// each exit code's meaning. The job's outcomes are told in the job's texts.
#pragma once

namespace tovak::messages {

constexpr const char* kBackupPrepared = "备份任务已准备好，下次启动电脑时会自动运行。";
constexpr const char* kRestorePrepared = "恢复任务已准备好，下次启动电脑时会自动运行。";
constexpr const char* kRestarting = "正在重启电脑。";
constexpr const char* kUsage =
    "用法：\r\n"
    "  Tovak.exe /backup 镜象 [/z 3|6|9] [/multidisk] [/restart]\r\n"
    "      准备备份：下次启动电脑时把 Windows 所在的分区备份到“镜象”（文件夹或 .gho 文件）。\r\n"
    "  Tovak.exe /restore 镜象 [/multidisk] [/restart]\r\n"
    "      准备恢复：下次启动电脑时用“镜象”（.gho 文件）恢复 Windows 所在的分区。\r\n"
    "  Tovak.exe /cancel\r\n"
    "      取消待执行的任务。\r\n"
    "  Tovak.exe /status\r\n"
    "      查看上次任务的结果和有没有待执行的任务，什么也不改。\r\n"
    "  Tovak.exe /?\r\n"
    "      显示本说明。\r\n"
    "  /z 3|6|9     压缩比率，默认 3\r\n"
    "  /multidisk   检测磁盘位置，同窗口中的“多硬盘？”\r\n"
    "  /restart     准备好后马上重启电脑，不再询问\r\n"
    "开关不分大小写，也可以用 - 开头；不带参数时打开窗口。\r\n"
    "在命令提示符下请用 start /wait Tovak.exe ... 运行，才能等它结束并得到退出码"
    "（%ERRORLEVEL%）；批处理文件会自动等它结束。\r\n"
    "退出码：";
constexpr const char* kExitDone = "完成：任务已准备好，或已取消，或没有待执行的任务（/status）";
constexpr const char* kExitUsage = "命令行有误，什么也没有改";
constexpr const char* kExitRefused = "任务被拒绝或无法进行，什么也没有改，原因见输出";
constexpr const char* kExitFailed = "任务失败，已经撤销，启动文件已恢复原状";
constexpr const char* kExitNotPutBack = "任务失败，有启动文件没能恢复原状，输出中有它的副本";
constexpr const char* kExitNoJob = "/cancel：没有待执行的任务";
constexpr const char* kExitJobPending = "/status：有待执行的任务";
constexpr const char* kExitRestartRefused = "/restart：任务已准备好，但 Windows 拒绝了重启";
constexpr const char* kExitLastJobFailed = "/status：上次的任务没有完成，原因见输出（有待执行的任务时仍是 6）";
constexpr const char* kExitLastJobUnknown = "/status：上次的任务没有报告结束，结果不明（有待执行的任务时仍是 6）";

}  // namespace tovak::messages
