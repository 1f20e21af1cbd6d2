// Tovak.exe from a script: each command in a prefix of its own, what it writes to redirected
// output (ANSI, CR LF), its exit code, and what it leaves on C: and D:.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "job/job_messages.h"
#include "tests/e2e/command_run.h"
#include "tests/e2e/disk.h"
#include "tests/e2e/e2e_env.h"
#include "tests/e2e/system_drive.h"

namespace tovak::e2e {
namespace {

enum class Before {
  Nothing,
  Image,
  PendingBackup,
  PlantedRecordFolder,
  FailedBackup,
  CutShortBackup
};
enum class After { Unchanged, Backup, Restore, AsRead };

struct CommandCase {
  const char* name;
  Before before;
  const wchar_t* arguments;
  DWORD code;
  std::vector<std::string> lines;
  After after;
  const char* scriptLine;  // Backup and Restore
  bool restarts;
};

const char kBackupLine[] =
    "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3";
const std::string kPendingImage = std::string(messages::kPendingImage) + "1:2:\\Nusk\\Nusk.gho";

// The usage's first line: the rest is the unit tests'.
std::string UsageStart() {
  const std::string usage = messages::kUsage;
  return usage.substr(0, usage.find("\r\n"));
}

const CommandCase kCases[] = {
    {"Backup", Before::Nothing, L"/backup d:\\Nusk", 0, {messages::kBackupPrepared},
     After::Backup, kBackupLine, false},
    // Wine's drive map finds no partition: the fixed table answers.
    {"BackupCompressedAndMapped", Before::Nothing, L"-BACKUP d:\\img\\sys.gho /Z 9 /multidisk", 0,
     {messages::kBackupPrepared}, After::Backup,
     "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\img\\sys.gho -fx -sure -fro -z9", false},
    {"BackupAndRestart", Before::Nothing, L"/backup d:\\Nusk /restart", 0,
     {messages::kBackupPrepared, messages::kRestarting}, After::Backup, kBackupLine, true},
    {"RestoreMappedAndRestart", Before::Image, L"/Restore d:\\Nusk\\Nusk.gho -multidisk /RESTART",
     0, {messages::kRestorePrepared, messages::kRestarting}, After::Restore,
     "Ghost.exe -clone,mode=pload,src=1:2:\\Nusk\\Nusk.gho:1,dst=1:1 -fx -sure", true},
    {"UsageForAMissingImage", Before::Nothing, L"/backup /restart", 1, {UsageStart()},
     After::Unchanged, nullptr, false},
    {"UsageForTwoCommands", Before::Nothing, L"/status /cancel", 1, {UsageStart()},
     After::Unchanged, nullptr, false},
    {"RefusedOnTheSystemDrive", Before::Nothing, L"/backup c:\\Nusk /restart", 2,
     {messages::kSystemPartition}, After::Unchanged, nullptr, false},
    // Wine keeps no owners: what it can show of a planted folder is a file in its place.
    {"RefusedWhereSomebodysFileHoldsTheRecordFolder", Before::PlantedRecordFolder,
     L"/backup d:\\Nusk", 2,
     {std::string(messages::kRecordFolderTakenStart) + "C:\\windows\\Tovak" +
      messages::kRecordFolderTakenEnd},
     After::Unchanged, nullptr, false},
    {"StatusWithoutAJob", Before::Nothing, L"/status", 0, {messages::kNoPendingJob},
     After::Unchanged, nullptr, false},
    {"StatusAfterAFailedBackup", Before::FailedBackup, L"/status", 8,
     {"上次的备份没有完成（Ghost 的退出代码是 12）。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n" +
          std::string(messages::kDoNotTrustImage),
      messages::kNoPendingJob},
     After::Unchanged, nullptr, false},
    {"StatusAfterABackupCutShort", Before::CutShortBackup, L"/status", 9,
     {"上次的备份没有报告结束，可能在进行中被断电或重启打断了。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n" +
          std::string(messages::kTrustNoImage),
      messages::kNoPendingJob},
     After::Unchanged, nullptr, false},
    {"StatusWithAJob", Before::PendingBackup, L"/status", 6,
     {messages::kPendingBackup, kPendingImage}, After::Unchanged, nullptr, false},
    {"CancelWithoutAJob", Before::Nothing, L"/cancel", 5, {messages::kNoPendingJob},
     After::Unchanged, nullptr, false},
    {"CancelAJob", Before::PendingBackup, L"/cancel", 0, {messages::kCancelled}, After::AsRead,
     nullptr, false},
};

// The root's entries, and all that is below "boot" and "msboot".
Snapshot SystemDriveNow() {
  Snapshot snapshot = TakeSnapshot(L"C:", 0);
  for (const wchar_t* folder : {L"C:\\boot", L"C:\\msboot"}) {
    snapshot.merge(TakeSnapshot(folder, 2));
  }
  return snapshot;
}

class CommandLineTest : public ::testing::TestWithParam<CommandCase> {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(drive_.Read()); }
  SystemDrive drive_;
};

// Its exit code, its lines, and the drives as the outcome says.
TEST_P(CommandLineTest, Runs) {
  const CommandCase& c = GetParam();
  if (c.before == Before::Image) {
    ASSERT_TRUE(::CreateDirectoryW(L"D:\\Nusk", nullptr));
    ASSERT_TRUE(WriteBytes(L"D:\\Nusk\\Nusk.gho", "an image"));
  }
  if (c.before == Before::PlantedRecordFolder) {
    ASSERT_TRUE(WriteBytes(L"C:\\windows\\Tovak", "somebody's"));
  }
  // What a backup leaves for the next start: its key and what it was, and the record when the
  // runner reported.
  if (c.before == Before::FailedBackup || c.before == Before::CutShortBackup) {
    ASSERT_TRUE(RememberValue("LastJob", "00112233445566AA"));
    ASSERT_TRUE(RememberValue("LastJobInfo", "backup 1 d:\\Nusk\\Nusk.gho"));
  }
  if (c.before == Before::FailedBackup) {
    ASSERT_TRUE(::CreateDirectoryW(L"C:\\windows\\Tovak", nullptr));
    ASSERT_TRUE(WriteBytes(L"C:\\windows\\Tovak\\tovakjob.txt",
                           "0A1B2C3D\r\n00112233445566AA\r\nbackup\r\nd:\\Nusk\\Nusk.gho\r\n1\r\n"
                           "\\windows\\Tovak\r\nnone\r\nnone\r\nnone\r\nstatus 12 \r\n"));
  }
  if (c.before == Before::PendingBackup) {
    const CommandRun pending = RunTovak(L"/backup d:\\Nusk");
    ASSERT_TRUE(pending.ended);
    ASSERT_EQ(pending.exitCode, 0u) << pending.output;
  }
  const Snapshot system = SystemDriveNow(), data = TakeSnapshot(L"D:", 4);
  RestartProbe probe;

  const CommandRun run = RunTovak(c.arguments);
  ASSERT_TRUE(run.ended) << "Tovak.exe waited for something";
  EXPECT_EQ(run.exitCode, c.code);
  // A line each, in the ANSI code page; the usage is only begun here.
  std::string expected;
  for (const std::string& line : c.lines) expected += Ansi(line) + "\r\n";
  EXPECT_EQ(c.code == 1 ? run.output.substr(0, expected.size()) : run.output, expected);

  EXPECT_EQ(probe.Asked(c.restarts ? 20000 : 1000), c.restarts);
  switch (c.after) {
    case After::Unchanged:
      EXPECT_EQ(SystemDriveNow(), system);
      EXPECT_EQ(TakeSnapshot(L"D:", 4), data);
      break;
    case After::Backup:
      drive_.ExpectPreparedJob("msback.bat", L"MsBack.bat", c.scriptLine);
      break;
    case After::Restore:
      drive_.ExpectPreparedJob("huifu.bat", L"huifu.bat", c.scriptLine);
      EXPECT_EQ(ImageDriveWithoutRecord(), data);
      break;
    case After::AsRead:
      drive_.ExpectAsRead();
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandLineTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CommandCase>& info) {
                           return std::string(info.param.name);
                         });

// At the prompt the lines come after a line break of their own, since cmd does not wait for a
// window program and its prompt may stand there already; the console takes them as UTF-16.
TEST(CommandLineConsole, LinesGoToTheCallersConsoleAfterThePrompt) {
  CommandRun run;
  const std::vector<std::wstring> lines = RunTovakOnConsole(L"C:\\>", L"/status", run);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"C:\\>", Wide(messages::kNoPendingJob), L""}));
}

}  // namespace
}  // namespace tovak::e2e
