// Every text the job shows, in one place.
#pragma once

namespace tovak::messages {

constexpr const char* kErrorTitle = "错误";
constexpr const char* kNoticeTitle = "提示";
constexpr const char* kRestartTitle = "重启";
constexpr const char* kWaitCaption = "请等待程序正在处理中...";
constexpr const char* kSystemPartition = "备份和恢复操作不能在系统分区上";
constexpr const char* kFileMissing = "文件不存在请检查重新输入";
constexpr const char* kRestartBackup = "现在马上重启备份吗？";
constexpr const char* kRestartRestore = "现在马上重启恢复吗？";

constexpr const char* kNotAdministrator =
    "准备备份和恢复需要管理员权限，请用管理员帐户运行本程序";
// A place the backup cannot write its image to.
constexpr const char* kImageIsFolderEnd = "”是一个文件夹，不能作为镜象文件，请换一个文件名";
constexpr const char* kImageFolderIsFileEnd = "”是一个文件，不能作为镜象文件夹，请换一个路径";

// Paths the job cannot carry to the DOS side.
constexpr const char* kSandboxBuild =
    "这个程序是在没有真正启动文件的情况下编译的，只能在 Wine 中试用，不能在真实的 Windows 上使用";
constexpr const char* kNoSystemDrive = "无法确定 Windows 所在的分区，不能进行备份和恢复";
constexpr const char* kEmptyPath = "请输入镜象文件的路径";
constexpr const char* kNoDrive = "路径必须以盘符开头，例如 d:\\Nusk";
constexpr const char* kBadCharacter =
    "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \"";
constexpr const char* kDosMisread = "路径中有在 DOS 下会被误读的汉字，请换一个路径";
constexpr const char* kNoAnsiForm = "路径中有系统代码页无法表示的字符，请换一个路径";
constexpr const char* kTooLong = "路径太长，DOS 下的命令行放不下，请换一个较短的路径";
constexpr const char* kWindowsFolderUnnamed =
    "Windows 文件夹的路径在 DOS 下无法使用（要用 8.3 格式的英文名称），不能在这台机器上使用";

// Disk layouts the job refuses, from the drive map or from where Windows says the system drive is.
constexpr const char* kUnknownPartition =
    "无法确定镜象所在的硬盘分区，请勾选“多硬盘？”后再试，或把镜象放在本机硬盘的其他分区";
constexpr const char* kUnknownPartitionMapped =
    "检测了磁盘位置，仍然无法确定镜象所在的硬盘分区，请把镜象放在本机硬盘的其他分区";
constexpr const char* kSystemNotFirstPartition =
    "Windows 不在第一个硬盘的第一个分区（1:1）上，而备份和恢复的总是 1:1 分区，不能在这台机器上使用";
constexpr const char* kImageOnFirstPartition =
    "镜象文件所在的分区是第一个硬盘的第一个分区（1:1），备份和恢复的正是这个分区，请把镜象文件放在其他分区";

// Layouts of "boot" that the job refuses before it changes anything.
constexpr const char* kMergeClashStart = "“boot”和“msboot”两个文件夹里都有“";
constexpr const char* kMergeClashEnd =
    "”，把“boot”并入“msboot”会覆盖它。请先整理这两个文件夹，再试一次。";
// Somebody's file, folder or junction where the job keeps the record of its result.
constexpr const char* kRecordFolderTakenStart = "“";
constexpr const char* kRecordFolderTakenEnd =
    "”不是本工具建立的文件夹，为了安全不能使用它。请管理员检查并删除它，再试一次。";
constexpr const char* kLoaderWithoutJob =
    "boot.ini 的默认启动项是本工具的引导程序，但找不到它要运行的任务。请先把 boot.ini 的默认启动项改回 "
    "Windows，再试一次。";
// A boot.ini the NT loader cannot read: the reason, then what to do.
constexpr const char* kBootIniUtf16 = "boot.ini 是以 Unicode（UTF-16）编码保存的";
constexpr const char* kBootIniUtf8 = "boot.ini 是以带签名（BOM）的 UTF-8 编码保存的";
constexpr const char* kBootIniNul = "boot.ini 中有空字符，不是纯文本";
constexpr const char* kBootIniNotAnsi =
    "，Windows 的引导程序读不懂它，本工具没有修改任何东西。请用记事本把它另存为 ANSI 编码，再试一次。";

// A step that failed: its name, then the system's error text, then what was done about it.
constexpr const char* kStepImageCheck = "查找镜象文件";
constexpr const char* kStepImageFolder = "创建镜象文件夹";
constexpr const char* kStepRecordFolder = "准备任务记录文件夹";
constexpr const char* kStepBootFolder = "准备 boot 文件夹";
constexpr const char* kStepStateFile = "写入任务状态文件";
constexpr const char* kStepRecord = "写入任务记录";
constexpr const char* kStepBootIni = "保存并修改 boot.ini";
constexpr const char* kStepBootFiles = "保存启动文件";
constexpr const char* kStepDeploy = "写入启动文件";
constexpr const char* kStepScript = "写入任务脚本";
constexpr const char* kStepFailed = "失败：";
constexpr const char* kRolledBack = "本次操作已撤销，启动文件已恢复原状。";
// Instead of kRolledBack when a boot file could not be put back: each file and its saved copy.
constexpr const char* kNotPutBack =
    "下列启动文件没能恢复原状，它们保存的副本还在，可以用副本手工恢复：";
constexpr const char* kSavedCopyAt = "（副本：";
constexpr const char* kSavedCopyEnd = "）";

// A job prepared earlier that has not run yet: asked about at start, or told by /status.
constexpr const char* kPendingBackup = "上次准备的备份任务还没有执行，下次启动电脑时会自动运行。";
constexpr const char* kPendingRestore = "上次准备的恢复任务还没有执行，下次启动电脑时会自动运行。";
constexpr const char* kCancelQuestion = "要取消这个任务吗？";
constexpr const char* kPendingImage = "镜象（Ghost 的硬盘:分区:路径）：";
constexpr const char* kPendingImageUnread = "读不出任务脚本中的镜象。";
constexpr const char* kNoPendingJob = "没有待执行的任务。";
constexpr const char* kPendingUnknown = "无法确定有没有待执行的任务：";
constexpr const char* kCancelled = "任务已取消。";
constexpr const char* kCancelFailed = "任务没能完全取消：";
constexpr const char* kBootFilesBack = "启动文件已恢复原状。";

// The last job's record, found at start: what the imaging program did.
constexpr const char* kLastBackupDone = "上次的备份已经完成。";
constexpr const char* kLastBackupFailed = "上次的备份没有完成";
constexpr const char* kLastRestoreFailed = "上次的恢复没有完成";
constexpr const char* kExitStatusStart = "（Ghost 的退出代码是 ";
constexpr const char* kExitStatusEnd = "）。";
constexpr const char* kNoImageWritten = "，但没有找到这次备份写入的镜象文件";
constexpr const char* kLastBackupNoNewImage = "上次的备份没有写入新的镜象";
constexpr const char* kEarlierImage = "这个位置上的镜象文件是以前的，不是这次备份写入的。";
constexpr const char* kImageFileLabel = "镜象文件：";
constexpr const char* kImageSizeLabel = "大小：";
constexpr const char* kImageTimeLabel = "时间：";
constexpr const char* kBytes = " 字节";
constexpr const char* kDoNotTrustImage = "这个位置上如果有镜象文件，它是不完整的或旧的，请不要用它恢复系统。";
// A remembered job without a record: it never said how it ended.
constexpr const char* kLastBackupCutShort = "上次的备份没有报告结束，可能在进行中被断电或重启打断了。";
constexpr const char* kLastRestoreCutShort = "上次的恢复没有报告结束，可能在进行中被断电或重启打断了。";
constexpr const char* kTrustNoImage = "在一次备份完成之前，请不要信任这个位置上的镜象文件。";
// The window's line about the image file the path names.
constexpr const char* kImageAtPath = "已有镜象文件：";

// The command line: a job prepared, the restart, and the usage with each exit code's meaning.
constexpr const char* kBackupPrepared = "备份任务已准备好，下次启动电脑时会自动运行。";
constexpr const char* kRestorePrepared = "恢复任务已准备好，下次启动电脑时会自动运行。";
constexpr const char* kRestarting = "正在重启电脑。";
constexpr const char* kRestartRefused = "Windows 没有重启：";
constexpr const char* kRestartByHand = "任务已准备好，请手动重启电脑，下次启动时会自动运行。";
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
