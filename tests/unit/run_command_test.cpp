// The command line on the simulated Windows: the same job as the window's, the pending job's
// status and cancel, each told as lines and an exit code, and never a box.
#include "cli/run_command.h"

#include <gtest/gtest.h>

#include <functional>

#include "cli/quiet_platform.h"
#include "job/job_messages.h"
#include "job/job_record.h"
#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

using Lines = std::vector<std::string>;

class RecordingOutput : public TextOutput {
 public:
  void WriteLine(const std::string& text) override { lines.push_back(text); }
  Lines lines;
};

struct CommandLineRun {
  ExitCode Run(const std::vector<std::string>& arguments) {
    return RunCommandLine(arguments, quiet.platform(), job.driveMap, job.deployment,
                          job.restarter, out);
  }

  JobHarness job;
  RecordingOutput out;
  QuietPlatform quiet{job.windows.platform(), out};
};

void PendingBackup(JobHarness& job) { ASSERT_EQ(job.Prepare(Backup()).kind, Outcome::Kind::Done); }
void PendingRestore(JobHarness& job) {
  job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
  ASSERT_EQ(job.Prepare(Restore()).kind, Outcome::Kind::Done);
}

const std::string kBackupScript =
    "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3\r\n";
// The script's line, then Chinese text in code page 936 whose 512th byte is a lead byte: a read of
// the first 512 bytes cuts a character in two.
const std::string kScriptWithCutText = [] {
  std::string script = kBackupScript + ((512 - kBackupScript.size()) % 2 == 0 ? "x" : "");
  for (int i = 0; i < 300; ++i) script += "\xB1\xB8";
  return script;
}();

TEST(RunCommand, EachCommandTellsItsOutcomeInLinesAndItsExitCode) {
  struct Case {
    const char* what;
    std::function<void(JobHarness&)> arrange;
    std::vector<std::string> arguments;
    ExitCode code;
    Lines lines;
    int restarts;
    bool changes;        // else the drives stay as they were
    const char* script;  // the job script the run leaves in boot\qelv, if any
  } cases[] = {
      {"a backup", nullptr, {"/backup", "d:\\Nusk"}, ExitCode::Done,
       {messages::kBackupPrepared}, 0, true, kBackupScript.c_str()},
      {"a backup with every switch", [](JobHarness& job) { job.driveMap.answer = {"2:1", "1:1"}; },
       {"-Backup", "d:\\img\\sys.gho", "/z", "9", "/MULTIDISK", "/restart"}, ExitCode::Done,
       {messages::kBackupPrepared, messages::kRestarting}, 1, true,
       "ghost.exe -clone,mode=pdump,src=1:1,dst=2:1:\\img\\sys.gho -fx -sure -fro -z9\r\n"},
      {"a restore with every switch",
       [](JobHarness& job) {
         job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
         job.driveMap.answer = {"1:3", "1:1"};
       },
       {"/restore", "d:\\Nusk\\Nusk.gho", "/multidisk", "/restart"}, ExitCode::Done,
       {messages::kRestorePrepared, messages::kRestarting}, 1, true,
       "Ghost.exe -clone,mode=pload,src=1:3:\\Nusk\\Nusk.gho:1,dst=1:1 -fx -sure\r\n"},
      {"a restart Windows refuses", [](JobHarness& job) { job.restarter.refuses = true; },
       {"/backup", "d:\\Nusk", "/restart"}, ExitCode::RestartRefused,
       {messages::kBackupPrepared, std::string(messages::kRestartRefused) + "拒绝访问。",
        messages::kRestartByHand},
       1, true, kBackupScript.c_str()},
      {"a refused path", nullptr, {"/backup", "c:\\Nusk", "/restart"}, ExitCode::Refused,
       {messages::kSystemPartition}, 0, false, nullptr},
      {"a restore without its image", nullptr, {"/restore", "d:\\Nusk\\Nusk.gho"},
       ExitCode::Refused, {messages::kFileMissing}, 0, false, nullptr},
      {"a failed step", nullptr, {"/backup", "d:\\a\\b\\new.gho", "/restart"}, ExitCode::Failed,
       {"创建镜象文件夹失败：系统找不到指定的路径。\r\n本次操作已撤销，启动文件已恢复原状。"}, 0,
       false, nullptr},
      {"a boot file not put back",
       [](JobHarness& job) {
         job.windows.FailOn(sim::Op::Replace, "C:\\boot.ini", error::kAccessDenied);
         job.windows.FailOn(sim::Op::Replace, "C:\\boot\\ntldr.bak", error::kSharingViolation);
       },
       {"/backup", "d:\\Nusk"}, ExitCode::NotPutBack,
       {"保存并修改 boot.ini失败：拒绝访问。\r\n"
        "下列启动文件没能恢复原状，它们保存的副本还在，可以用副本手工恢复：\r\n"
        "C:\\ntldr（副本：C:\\boot\\ntldr.bak）"},
       0, true, nullptr},
      {"status, no job", nullptr, {"/status"}, ExitCode::Done, {messages::kNoPendingJob}, 0,
       false, nullptr},
      {"status, a backup waits", PendingBackup, {"/status"}, ExitCode::JobPending,
       {messages::kPendingBackup, std::string(messages::kPendingImage) + "1:2:\\Nusk\\Nusk.gho"}, 0,
       false, kBackupScript.c_str()},
      {"status, a restore waits", PendingRestore, {"/STATUS"}, ExitCode::JobPending,
       {messages::kPendingRestore, std::string(messages::kPendingImage) + "1:2:\\Nusk\\Nusk.gho"},
       0, false, nullptr},
      // The record stays for the window, which shows it once and deletes it.
      {"status, the last job's record",
       [](JobHarness& job) {
         job.windows.PutFile("C:\\WINDOWS\\Tovak\\tovakjob.txt",
                             "0A1B2C3D\r\n00112233445566AA\r\nrestore\r\nd:\\Nusk\\Nusk.gho\r\n1\r\n"
                             "\\WINDOWS\\Tovak\r\nnone\r\nnone\r\nstatus 7 \r\n");
         job.windows.PutMachineValue(kLastJobValue, "00112233445566AA");
       },
       {"/status"}, ExitCode::LastJobFailed,
       {"上次的恢复没有完成（Ghost 的退出代码是 7）。\r\n镜象文件：d:\\Nusk\\Nusk.gho",
        messages::kNoPendingJob},
       0, false, nullptr},
      // Power lost while the imaging program ran: the runner never reported.
      {"status, the last job never reported",
       [](JobHarness& job) {
         job.windows.PutMachineValue(kLastJobValue, "00112233445566AA");
         job.windows.PutMachineValue(kLastJobInfoValue, "backup 1 d:\\Nusk\\Nusk.gho");
       },
       {"/status"}, ExitCode::LastJobUnknown,
       {"上次的备份没有报告结束，可能在进行中被断电或重启打断了。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n"
        "在一次备份完成之前，请不要信任这个位置上的镜象文件。",
        messages::kNoPendingJob},
       0, false, nullptr},
      {"status, its script unreadable",
       [](JobHarness& job) {
         PendingBackup(job);
         job.windows.FailOn(sim::Op::Read, "C:\\boot\\qelv\\MsBack.bat", error::kAccessDenied);
       },
       {"/status"}, ExitCode::JobPending,
       {messages::kPendingBackup, messages::kPendingImageUnread}, 0, false,
       kBackupScript.c_str()},
      {"status, its script's line followed by a character cut by the read",
       [](JobHarness& job) {
         PendingBackup(job);
         job.windows.PutFile("C:\\boot\\qelv\\MsBack.bat", kScriptWithCutText);
       },
       {"/status"}, ExitCode::JobPending,
       {messages::kPendingBackup, std::string(messages::kPendingImage) + "1:2:\\Nusk\\Nusk.gho"}, 0,
       false, kScriptWithCutText.c_str()},
      {"status, boot.ini unreadable",
       [](JobHarness& job) {
         job.windows.FailOn(sim::Op::ReadProfile, "C:\\boot.ini", error::kAccessDenied);
       },
       {"/status"}, ExitCode::Refused, {"无法确定有没有待执行的任务：拒绝访问。"}, 0, false,
       nullptr},
      {"cancel, no job", nullptr, {"/cancel"}, ExitCode::NoJob, {messages::kNoPendingJob}, 0,
       false, nullptr},
      {"cancel, a job waits", PendingBackup, {"-cancel"}, ExitCode::Done, {messages::kCancelled},
       0, true, nullptr},
  };
  for (const Case& c : cases) {
    CommandLineRun run;
    sim::SimWindows& w = run.job.windows;
    if (c.arrange) c.arrange(run.job);
    const sim::Snapshot before = w.Take();
    EXPECT_EQ(run.Run(c.arguments), c.code) << c.what;
    EXPECT_EQ(run.out.lines, c.lines) << c.what;
    EXPECT_EQ(run.job.restarter.restarts, c.restarts) << c.what;
    EXPECT_TRUE(w.Messages().empty()) << c.what;
    EXPECT_EQ(w.Take() != before, c.changes) << c.what;
    if (c.script) {
      const bool restore = c.arguments[0] == "/restore";
      EXPECT_EQ(w.Bytes(restore ? "C:\\boot\\qelv\\huifu.bat" : "C:\\boot\\qelv\\MsBack.bat"),
                c.script)
          << c.what;
    }
  }
}

TEST(RunCommand, ACancelledJobIsGoneAndAPreparedOneWaits) {
  CommandLineRun run;
  EXPECT_EQ(run.Run({"/restore", "d:\\Nusk\\Nusk.gho"}), ExitCode::Refused);
  EXPECT_EQ(run.Run({"/backup", "d:\\Nusk"}), ExitCode::Done);
  EXPECT_EQ(run.Run({"/status"}), ExitCode::JobPending);
  EXPECT_EQ(run.Run({"/cancel"}), ExitCode::Done);
  EXPECT_EQ(run.Run({"/status"}), ExitCode::Done);
  EXPECT_EQ(run.Run({"/cancel"}), ExitCode::NoJob);
}

// The usage lists every exit code with its meaning; a wrong command line changes nothing. Scripts
// rely on the numbers, so they are spelled out here, not taken from the table.
TEST(RunCommand, TheUsageComesForAskingOrForAWrongCommandLine) {
  const Lines usage = {messages::kUsage,
                       "  0  完成：任务已准备好，或已取消，或没有待执行的任务（/status）",
                       "  1  命令行有误，什么也没有改",
                       "  2  任务被拒绝或无法进行，什么也没有改，原因见输出",
                       "  3  任务失败，已经撤销，启动文件已恢复原状",
                       "  4  任务失败，有启动文件没能恢复原状，输出中有它的副本",
                       "  5  /cancel：没有待执行的任务",
                       "  6  /status：有待执行的任务",
                       "  7  /restart：任务已准备好，但 Windows 拒绝了重启",
                       "  8  /status：上次的任务没有完成，原因见输出（有待执行的任务时仍是 6）",
                       "  9  /status：上次的任务没有报告结束，结果不明（有待执行的任务时仍是 6）"};
  struct Case {
    std::vector<std::string> arguments;
    ExitCode code;
  } cases[] = {{{"/?"}, ExitCode::Done},
               {{"/backup"}, ExitCode::Usage},
               {{"/backup", "d:\\Nusk", "/cancel"}, ExitCode::Usage},
               {{"/restore", "d:\\Nusk\\Nusk.gho", "/z", "6"}, ExitCode::Usage}};
  for (const Case& c : cases) {
    CommandLineRun run;
    const sim::Snapshot before = run.job.windows.Take();
    EXPECT_EQ(run.Run(c.arguments), c.code) << c.arguments[0];
    EXPECT_EQ(run.out.lines, usage) << c.arguments[0];
    EXPECT_TRUE(run.job.windows.Take() == before) << c.arguments[0];
  }
}

}  // namespace
}  // namespace tovak::testing
