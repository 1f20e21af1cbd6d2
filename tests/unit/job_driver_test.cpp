// The press of OK on the simulated Windows: what a job prepares, what it refuses, what it puts back.
#include "job/job_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "job/boot_menu_entry.h"
#include "tests/unit/job_harness.h"
#include "tests/unit/machine_starts.h"

namespace tovak::testing {
namespace {

const std::vector<std::string> kLock = {
    "caption 请等待程序正在处理中...", "busy", "disable Cmd_Sure", "disable Cmd_Exit",
    "disable Cmd_Path", "disable Check_Disk", "disable Combo_Compress"};
const std::vector<std::string> kUnlock = {"idle", "enable Cmd_Sure", "enable Cmd_Exit",
                                          "enable Cmd_Path", "enable Check_Disk",
                                          "enable Combo_Compress"};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string Ini(JobHarness& job, const char* section, const char* key) {
  return ReadIniString(job.windows, section, key, "C:\\boot.ini");
}

TEST(JobDriver, BackupPreparesTheNextStartAndRestartsOnYes) {
  JobHarness job;
  job.windows.QueueAnswer(MessageAnswer::Yes);
  job.Click();
  sim::SimWindows& w = job.windows;

  EXPECT_TRUE(w.IsFolder("D:\\Nusk"));
  EXPECT_EQ(w.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
  EXPECT_EQ(w.Bytes("C:\\boot\\qelv\\MsBack.bat"),
            "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3\r\n");
  EXPECT_EQ(w.Bytes("C:\\boot\\boot.bak"), kBootIni);
  EXPECT_EQ(w.Bytes("C:\\boot\\ntldr.bak"), "system loader");
  EXPECT_EQ(w.Bytes("C:\\boot\\bootfont.bak"), "system font");
  for (const char* saved : {"C:\\boot\\boot.bak", "C:\\boot\\ntldr.bak", "C:\\boot\\bootfont.bak"}) {
    EXPECT_EQ(w.Attributes(saved) & kBootFileBits, 0u) << saved;
  }
  EXPECT_FALSE(w.Exists("C:\\boot\\g1ldr.bak"));
  EXPECT_FALSE(w.Exists("C:\\msboot"));
  // Nobody without rights may add or swap a file there before the restart.
  EXPECT_TRUE(w.ClosedToOthers("C:\\boot") && w.ClosedToOthers("C:\\boot\\qelv"));
  EXPECT_EQ(w.Attributes("C:\\boot.ini") & kBootFileBits, 0u);
  EXPECT_EQ(Ini(job, "boot loader", "default"), "C:\\g1ldr");
  EXPECT_EQ(Ini(job, "boot loader", "timeout"), "0");
  EXPECT_EQ(Ini(job, "operating systems", "C:\\g1ldr"), "Tovak备份工具");
  EXPECT_EQ(w.Bytes("C:\\ntldr"), SmallPayload("ntldr"));

  EXPECT_EQ(job.form.events, Concat(kLock, {"idle", "unload"}));
  ASSERT_EQ(w.Messages().size(), 1u);
  const sim::MessageRecord& prompt = w.Messages()[0];
  EXPECT_EQ(prompt.text, "现在马上重启备份吗？");
  EXPECT_EQ(prompt.title, "重启");
  EXPECT_EQ(prompt.buttons, MessageButtons::YesNo);
  EXPECT_EQ(prompt.icon, MessageIcon::Information);
  EXPECT_EQ(job.restarter.restarts, 1);
  EXPECT_TRUE(job.driveMap.asked.empty());
}

TEST(JobDriver, RestoreWritesTheRestoreScriptAndNoAnswerLeavesTheJobPrepared) {
  JobHarness job;
  job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image", attr::kHidden | attr::kReadOnly);
  job.form.SelectBackup(false);
  job.form.path = "d:\\Nusk\\Nusk.gho";
  job.windows.QueueAnswer(MessageAnswer::No);
  job.Click();
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\state.txt"), "huifu.bat\r\n");
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\huifu.bat"),
            "Ghost.exe -clone,mode=pload,src=1:2:\\Nusk\\Nusk.gho:1,dst=1:1 -fx -sure\r\n");
  EXPECT_FALSE(job.windows.Exists("C:\\boot\\qelv\\MsBack.bat"));
  EXPECT_EQ(job.windows.Messages().back().text, "现在马上重启恢复吗？");
  EXPECT_EQ(job.restarter.restarts, 0);
  EXPECT_TRUE(job.form.unloaded);
  EXPECT_EQ(Ini(job, "boot loader", "default"), "C:\\g1ldr");
}

TEST(JobDriver, RefusedPathsChangeNothing) {
  std::string tooLong = "d:\\";
  for (int i = 0; i < 12; ++i) tooLong += "abcdefgh\\";
  struct Case {
    std::string path;
    bool backup;
    const char* message;
  } cases[] = {
      {"c:\\Nusk", true, "备份和恢复操作不能在系统分区上"},
      {"C:\\Nusk\\Nusk.gho", false, "备份和恢复操作不能在系统分区上"},
      {"c:", true, "备份和恢复操作不能在系统分区上"},
      {"C:Nusk", true, "备份和恢复操作不能在系统分区上"},
      {"", true, "请输入镜象文件的路径"},
      {"Nusk", true, "路径必须以盘符开头，例如 d:\\Nusk"},
      {"\\\\server\\share", true, "路径必须以盘符开头，例如 d:\\Nusk"},
      {"d:Nusk", true, "路径必须以盘符开头，例如 d:\\Nusk"},
      {"d:\\my images", true, "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \""},
      {"d:\\a&b", true, "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \""},
      {"d:\\a,b.gho", false, "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \""},
      {"d:\\*.gho", false, "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \""},
      {"d:\\a%b%", true, "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \""},
      {"d:\\a\tb", true, "路径中不能有空格、逗号、通配符 * ? 或下列字符：/ & | < > ^ % \""},
      {"d:\\\xD8\xB4", true, "路径中有系统代码页无法表示的字符，请换一个路径"},
      // Neither the drive map (not ticked) nor the fixed table knows the drive.
      {"r:\\img", true, "无法确定镜象所在的硬盘分区，请勾选“多硬盘？”后再试，或把镜象放在本机硬盘的其他分区"},
      {tooLong, true, "路径太长，DOS 下的命令行放不下，请换一个较短的路径"},
  };
  for (const Case& c : cases) {
    JobHarness job;
    job.form.path = c.path;
    job.form.SelectBackup(c.backup);
    const sim::Snapshot before = job.windows.Take();
    job.Click();
    EXPECT_EQ(job.windows.Take(), before) << c.path;
    ASSERT_EQ(job.Errors().size(), 1u) << c.path;
    EXPECT_EQ(job.Errors()[0].text, c.message) << c.path;
    EXPECT_EQ(job.Errors()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(job.form.Idle()) << c.path;
    EXPECT_EQ(job.form.caption, kIdleCaption) << c.path;
    EXPECT_EQ(job.form.events.back(), "focus") << c.path;
  }
}

TEST(JobDriver, NoJobWithoutASystemDirectoryOrWithABuildForWineOnly) {
  for (bool sandbox : {false, true}) {
    JobHarness job(/*payloadHasStandIns=*/sandbox);
    if (!sandbox) job.windows.SetSystemDirectory("");
    const sim::Snapshot before = job.windows.Take();
    job.Click();
    EXPECT_EQ(job.windows.Take(), before);
    ASSERT_EQ(job.Errors().size(), 1u);
    EXPECT_EQ(job.Errors()[0].text.find("Wine") != std::string::npos, sandbox);
    EXPECT_EQ(job.form.events, std::vector<std::string>{"focus"});
  }
}

// Restore has no compression: the combo stays disabled when the job gives the controls back.
TEST(JobDriver, RestoreWithoutAnImageIsSentBackWithTheWaitCaption) {
  std::vector<std::string> unlock = kUnlock;
  unlock.back() = "disable Combo_Compress";
  for (const char* path : {"d:\\Nusk", "d:\\Nusk\\Nusk.gho"}) {
    JobHarness job;
    job.form.SelectBackup(false);
    job.form.path = path;
    const sim::Snapshot before = job.windows.Take();
    job.Click();
    EXPECT_EQ(job.windows.Take(), before) << path;
    ASSERT_EQ(job.Errors().size(), 1u);
    EXPECT_EQ(job.Errors()[0].text, "文件不存在请检查重新输入");
    EXPECT_EQ(job.form.events, Concat(kLock, unlock)) << path;
    EXPECT_EQ(job.form.caption, "请等待程序正在处理中...");

    // The next click that fails gives back the window's own caption, not the wait caption.
    job.form.SelectBackup(true);
    job.form.path = "d:\\a\\b\\new.gho";
    job.Click();
    EXPECT_EQ(job.form.caption, kIdleCaption) << path;
  }
}

TEST(JobDriver, TheImageFolderIsMadeOneLevelDeep) {
  JobHarness job;
  job.form.path = "d:\\Nusk\\new.gho";
  job.Click();
  EXPECT_TRUE(job.windows.IsFolder("D:\\Nusk"));
  EXPECT_FALSE(job.windows.Exists("D:\\Nusk\\new.gho"));
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\MsBack.bat"),
            "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\new.gho -fx -sure -fro -z3\r\n");

  JobHarness deeper;
  deeper.form.path = "d:\\a\\b\\new.gho";
  const sim::Snapshot before = deeper.windows.Take();
  deeper.Click();
  EXPECT_EQ(deeper.windows.Take(), before);
  ASSERT_EQ(deeper.Errors().size(), 1u);
  EXPECT_EQ(deeper.Errors()[0].text,
            "创建镜象文件夹失败：系统找不到指定的路径。\r\n本次操作已撤销，启动文件已恢复原状。");
  EXPECT_TRUE(deeper.form.Idle());
  EXPECT_EQ(deeper.form.caption, kIdleCaption);
}

TEST(JobDriver, TheDriveMapIsAskedWithTheDriveAsTyped) {
  JobHarness job;
  job.form.disk = true;
  job.form.path = "D:\\img\\sys.gho";
  job.form.compression = "z6";
  job.driveMap.answer = {"2:1", "1:1"};
  job.Click();
  const std::vector<std::pair<std::string, std::string>> asked = {{"D:", "C:"}};
  EXPECT_EQ(job.driveMap.asked, asked);
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\MsBack.bat"),
            "ghost.exe -clone,mode=pdump,src=1:1,dst=2:1:\\img\\sys.gho -fx -sure -fro -z6\r\n");
}

// The script always images 1:1 and restores onto it, so a map that shows another layout stops
// the job before anything changes; an address the map did not find proves nothing.
TEST(JobDriver, AMappedLayoutThatWouldImageTheWrongPartitionIsRefused) {
  const char* const systemElsewhere =
      "Windows 不在第一个硬盘的第一个分区（1:1）上，而备份和恢复的总是 1:1 分区，不能在这台机器上使用";
  const char* const imageOnFirst =
      "镜象文件所在的分区是第一个硬盘的第一个分区（1:1），备份和恢复的正是这个分区，请把镜象文件放在其他分区";
  struct Case {
    DriveAddresses mapped;
    bool backup;
    const char* refusal;  // nullptr: the job is prepared
    const char* dst;
  } cases[] = {
      {{"2:1", "1:1"}, true, nullptr, "2:1"},
      {{"1:3", ""}, true, nullptr, "1:3"},
      {{"", ""}, true, nullptr, "1:2"},
      {{"1:2", "2:1"}, true, systemElsewhere, nullptr},
      {{"", "1:2"}, false, systemElsewhere, nullptr},
      {{"1:1", "1:2"}, true, systemElsewhere, nullptr},
      {{"1:1", ""}, true, imageOnFirst, nullptr},
      {{"1:1", ""}, false, imageOnFirst, nullptr},
  };
  for (const Case& c : cases) {
    const std::string what = c.mapped.image + " / " + c.mapped.system;
    JobHarness job;
    job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
    job.form.disk = true;
    job.form.SelectBackup(c.backup);
    job.form.path = c.backup ? "d:\\Nusk" : "d:\\Nusk\\Nusk.gho";
    job.driveMap.answer = c.mapped;
    const sim::Snapshot before = job.windows.Take();
    job.windows.QueueAnswer(MessageAnswer::Yes);
    job.Click();
    if (!c.refusal) {
      EXPECT_TRUE(job.Errors().empty()) << what;
      EXPECT_EQ(job.restarter.restarts, 1) << what;
      EXPECT_NE(job.windows.Bytes("C:\\boot\\qelv\\MsBack.bat").find(std::string("dst=") + c.dst),
                std::string::npos)
          << what;
      continue;
    }
    EXPECT_EQ(job.windows.Take(), before) << what;
    ASSERT_EQ(job.windows.Messages().size(), 1u) << what;
    const sim::MessageRecord& box = job.windows.Messages()[0];
    EXPECT_EQ(box.text, c.refusal) << what;
    EXPECT_EQ(box.title, "错误");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_TRUE(job.form.Idle()) << what;
    EXPECT_EQ(job.form.caption, kIdleCaption) << what;
    EXPECT_EQ(job.form.events.back(), "focus") << what;
    EXPECT_EQ(job.restarter.restarts, 0) << what;
  }
}

// Unticked, Windows still says where the system drive lives; ticked, the map decides, and a drive
// it does not find either is refused in other words than "tick the box".
TEST(JobDriver, TheSystemDrivesPlaceIsCheckedTickedOrNot) {
  const char* const systemElsewhere =
      "Windows 不在第一个硬盘的第一个分区（1:1）上，而备份和恢复的总是 1:1 分区，不能在这台机器上使用";
  struct Case {
    const char* what;
    std::optional<DevicePlace> place;  // none: Windows cannot tell
    bool ticked;
    const char* path;
    const char* refusal;  // nullptr: the job is prepared
  } cases[] = {
      {"first partition", DevicePlace{0, 1}, false, "d:\\Nusk", nullptr},
      {"Windows cannot tell", std::nullopt, false, "d:\\Nusk", nullptr},
      {"second partition", DevicePlace{0, 2}, false, "d:\\Nusk", systemElsewhere},
      {"second disk", DevicePlace{1, 1}, false, "d:\\Nusk", systemElsewhere},
      // The map is the source once ticked: it found nothing here, so it says nothing either.
      {"ticked", DevicePlace{0, 2}, true, "d:\\Nusk", nullptr},
      {"ticked, drive not found", DevicePlace{0, 1}, true, "r:\\img",
       "检测了磁盘位置，仍然无法确定镜象所在的硬盘分区，请把镜象放在本机硬盘的其他分区"},
  };
  for (const Case& c : cases) {
    JobHarness job;
    if (c.place) {
      job.windows.SetDevicePlace('C', *c.place);
    } else {
      job.windows.ForgetDevicePlace('C');
    }
    job.form.disk = c.ticked;
    job.form.path = c.path;
    const sim::Snapshot before = job.windows.Take();
    job.Click();
    if (!c.refusal) {
      EXPECT_TRUE(job.Errors().empty()) << c.what;
      continue;
    }
    EXPECT_EQ(job.windows.Take(), before) << c.what;
    ASSERT_EQ(job.Errors().size(), 1u) << c.what;
    EXPECT_EQ(job.Errors()[0].text, c.refusal) << c.what;
    EXPECT_TRUE(job.form.Idle()) << c.what;
  }
}

TEST(JobDriver, TheChoiceIsReadOnceWhateverHappensWhileMessagesFlow) {
  JobHarness job;
  job.windows.onPump = [&] {
    job.form.SelectBackup(false);
    job.form.path = "d:\\Nusk\\Nusk.gho";
  };
  job.Click();
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
  EXPECT_TRUE(job.windows.Exists("C:\\boot\\qelv\\MsBack.bat"));
  EXPECT_FALSE(job.windows.Exists("C:\\boot\\qelv\\huifu.bat"));
  EXPECT_EQ(job.windows.Messages().back().text, "现在马上重启备份吗？");
}

TEST(JobDriver, EarlierBootFoldersAreSetAsideOrSuperseded) {
  {
    JobHarness job;
    Arrange(job, Layout::OwnBoot);
    job.Click();
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\readme.txt"), "the user's own");
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\tools\\x.exe"), "tool");
    EXPECT_EQ(job.windows.Attributes("C:\\msboot") & kBootFileBits, 0u);
    EXPECT_TRUE(job.windows.Exists("C:\\boot\\qelv\\state.txt"));
    EXPECT_FALSE(job.windows.Exists("C:\\boot\\readme.txt"));
  }
  {
    JobHarness job;
    Arrange(job, Layout::BootAndMsboot);
    job.Click();
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\mine.txt"), "boot's own");
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\older.txt"), "set aside earlier");
    EXPECT_FALSE(job.windows.Exists("C:\\boot\\mine.txt"));
  }
  {
    // The pending job is cancelled first: its originals are what the new job saves, and it is
    // gone for good.
    JobHarness job;
    Arrange(job, Layout::PendingJob);
    job.Click();
    sim::SimWindows& w = job.windows;
    EXPECT_EQ(w.Bytes("C:\\boot\\boot.bak"), kBootIni);
    EXPECT_EQ(w.Bytes("C:\\boot\\ntldr.bak"), "system loader");
    EXPECT_EQ(w.Bytes("C:\\boot\\bootfont.bak"), "system font");
    EXPECT_FALSE(w.Exists("C:\\boot\\g1ldr.bak"));
    EXPECT_EQ(w.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
    EXPECT_FALSE(w.Exists("C:\\boot\\qelv\\huifu.bat"));
    EXPECT_FALSE(w.Exists("C:\\boot.superseded"));
    EXPECT_EQ(w.Bytes("C:\\msboot\\user.txt"), "the user's boot folder");
    EXPECT_FALSE(w.Exists("C:\\msboot\\boot.bak"));
  }
  {
    JobHarness job;
    Arrange(job, Layout::OwnG1ldr);
    job.Click();
    EXPECT_EQ(job.windows.Bytes("C:\\boot\\g1ldr.bak"), "an earlier loader");
    EXPECT_EQ(job.windows.Bytes("C:\\g1ldr"), SmallPayload("g1ldr"));
  }
}

TEST(JobDriver, AFailedSaveSaysWhyTheCopyFailed) {
  JobHarness job;
  job.windows.FailOn(sim::Op::Copy, "C:\\boot\\boot.bak", error::kDiskFull);
  job.Click();
  ASSERT_EQ(job.Errors().size(), 1u);
  EXPECT_EQ(job.Errors()[0].text,
            "保存并修改 boot.ini失败：磁盘空间不足。\r\n本次操作已撤销，启动文件已恢复原状。");
  EXPECT_FALSE(job.windows.Exists("C:\\boot"));
}

TEST(JobDriver, AFailedDeploymentPutsTheBootFilesBack) {
  JobHarness job;
  const sim::Snapshot before = job.windows.Take();
  job.windows.FailOn(sim::Op::Write, "C:\\boot\\qelv\\ghost.exe", error::kDiskFull);
  job.Click();
  const sim::Snapshot after = job.windows.Take();
  for (const char* file : {"C:\\boot.ini", "C:\\ntldr", "C:\\bootfont.bin"}) {
    ASSERT_EQ(after.count(file), 1u) << file;
    EXPECT_EQ(after.at(file).bytes, before.at(file).bytes) << file;
    EXPECT_EQ(after.at(file).attributes & kBootFileBits, kBootFileBits) << file;
  }
  EXPECT_FALSE(job.windows.Exists("C:\\boot"));
  EXPECT_FALSE(job.windows.Exists("C:\\g1ldr"));
  ASSERT_EQ(job.Errors().size(), 1u);
  EXPECT_EQ(job.Errors()[0].text,
            "写入启动文件失败：磁盘空间不足。\r\n本次操作已撤销，启动文件已恢复原状。");
  EXPECT_TRUE(job.form.Idle());
  EXPECT_EQ(job.form.caption, kIdleCaption);
  EXPECT_EQ(job.restarter.restarts, 0);
}

TEST(JobDriver, AMissingBootIniIsReportedAndNothingIsLeftBehind) {
  JobHarness job;
  job.windows.SetAttributes("C:\\boot.ini", attr::kNormal);
  job.windows.Delete("C:\\boot.ini");
  const sim::Snapshot before = job.windows.Take();
  job.Click();
  EXPECT_EQ(job.windows.Take().count("C:\\boot"), 0u);
  EXPECT_EQ(job.windows.Bytes("C:\\ntldr"), "system loader");
  ASSERT_EQ(job.windows.Messages().size(), 1u);
  EXPECT_EQ(job.Errors()[0].text.rfind("保存并修改 boot.ini失败：", 0), 0u);
  EXPECT_TRUE(job.form.Idle());
  // The image folder made for the job goes too, since nothing was written into it.
  EXPECT_FALSE(job.windows.Exists("D:\\Nusk"));
  (void)before;
}

// The rollback itself meets a fault: the copy that could not go back stays, with its folder, and
// the box says which file and where the copy is instead of claiming the machine is as it was.
TEST(JobDriver, APutBackThatFailsKeepsItsCopyAndTheBoxNamesIt) {
  JobHarness job;
  job.windows.FailOn(sim::Op::Replace, "C:\\boot.ini", error::kAccessDenied);
  job.windows.FailOn(sim::Op::Replace, "C:\\boot\\ntldr.bak", error::kSharingViolation);
  job.Click();
  sim::SimWindows& w = job.windows;
  ASSERT_EQ(job.Errors().size(), 1u);
  EXPECT_EQ(job.Errors()[0].text,
            "保存并修改 boot.ini失败：拒绝访问。\r\n"
            "下列启动文件没能恢复原状，它们保存的副本还在，可以用副本手工恢复：\r\n"
            "C:\\ntldr（副本：C:\\boot\\ntldr.bak）");
  EXPECT_EQ(w.Bytes("C:\\boot\\ntldr.bak"), "system loader");
  EXPECT_EQ(w.Attributes("C:\\boot\\ntldr.bak") & kBootFileBits, 0u);  // easy to find by hand
  EXPECT_EQ(w.Bytes("C:\\ntldr"), SmallPayload("ntldr"));
  for (const auto& [file, bytes] : {std::pair<const char*, std::string>{"C:\\boot.ini", kBootIni},
                                    {"C:\\bootfont.bin", "system font"}}) {
    EXPECT_EQ(w.Bytes(file), bytes) << file;
    EXPECT_EQ(w.Attributes(file), kBootFileBits) << file;
  }
  EXPECT_FALSE(w.Exists("C:\\boot\\qelv"));
  EXPECT_FALSE(w.Exists("C:\\g1ldr"));
  EXPECT_EQ(WhyItWouldNotStart(w.Take(), {"C:\\", {{"boot.ini", kBootIni},
                                                    {"ntldr", "system loader"},
                                                    {"bootfont.bin", "system font"}}}),
            "");
  EXPECT_TRUE(job.form.Idle());
}

// Layouts the job turns down before it changes anything, and one it now takes.
TEST(JobDriver, BootFoldersAndBootFilesThatCannotBeTakenAreRefusedUntouched) {
  struct Case {
    const char* what;
    std::function<void(sim::SimWindows&)> arrange;
    const char* refusal;  // nullptr: the job is prepared
  } cases[] = {
      {"a merge would write over a file",
       [](sim::SimWindows& w) {
         w.PutFile("C:\\boot\\sub\\a.txt", "boot's");
         w.PutFile("C:\\msboot\\sub\\a.txt", "msboot's");
       },
       "“boot”和“msboot”两个文件夹里都有“sub\\a.txt”，把“boot”并入“msboot”会覆盖它。"
       "请先整理这两个文件夹，再试一次。"},
      {"a merge would put a folder where a file is",
       [](sim::SimWindows& w) {
         w.PutFolder("C:\\boot\\x");
         w.PutFile("C:\\msboot\\x", "file");
       },
       "“boot”和“msboot”两个文件夹里都有“x”，把“boot”并入“msboot”会覆盖它。"
       "请先整理这两个文件夹，再试一次。"},
      {"boot.ini starts the loader with no job",
       [](sim::SimWindows& w) { w.PutFile("C:\\boot.ini", kPreparedBootIni); },
       "boot.ini 的默认启动项是本工具的引导程序，但找不到它要运行的任务。请先把 boot.ini "
       "的默认启动项改回 Windows，再试一次。"},
      {"no ntldr",
       [](sim::SimWindows& w) {
         w.SetAttributes("C:\\ntldr", attr::kNormal);
         w.Delete("C:\\ntldr");
       },
       "保存启动文件失败：系统找不到指定的文件。\r\n本次操作已撤销，启动文件已恢复原状。"},
      // Most systems but the Chinese ones have no font: the job's stays, as after a run.
      {"no bootfont.bin",
       [](sim::SimWindows& w) {
         w.SetAttributes("C:\\bootfont.bin", attr::kNormal);
         w.Delete("C:\\bootfont.bin");
       },
       nullptr},
  };
  for (const Case& c : cases) {
    JobHarness job;
    c.arrange(job.windows);
    const sim::Snapshot before = job.windows.Take();
    job.Click();
    if (!c.refusal) {
      EXPECT_TRUE(job.Errors().empty()) << c.what;
      EXPECT_EQ(job.windows.Bytes("C:\\bootfont.bin"), SmallPayload("bootfont.bin")) << c.what;
      EXPECT_FALSE(job.windows.Exists("C:\\boot\\bootfont.bak")) << c.what;
      continue;
    }
    EXPECT_EQ(job.windows.Take(), before) << c.what;
    ASSERT_EQ(job.Errors().size(), 1u) << c.what;
    EXPECT_EQ(job.Errors()[0].text, c.refusal) << c.what;
    EXPECT_TRUE(job.form.Idle()) << c.what;
    EXPECT_EQ(job.form.caption, kIdleCaption) << c.what;
  }
}

// Anybody may create a folder in the root: one that looks like a job but that boot.ini does not
// start is somebody's folder, set aside, and nothing in it is copied anywhere.
TEST(JobDriver, AFolderThatOnlyLooksLikeAJobIsSetAsideUntouched) {
  JobHarness job;
  sim::SimWindows& w = job.windows;
  w.PutFile("C:\\boot\\boot.bak", "[boot loader]\r\ndefault=C:\\evil.bin\r\n");
  w.PutFile("C:\\boot\\ntldr.bak", "planted loader");
  w.PutFile("C:\\boot\\qelv\\state.txt", "msback.bat\r\n");
  w.PutFile("C:\\boot\\qelv\\ghost.exe", "planted");
  job.Click();
  EXPECT_TRUE(job.Errors().empty());
  EXPECT_EQ(w.Bytes("C:\\boot\\boot.bak"), kBootIni);
  EXPECT_EQ(w.Bytes("C:\\boot\\ntldr.bak"), "system loader");
  EXPECT_EQ(w.Bytes("C:\\msboot\\boot.bak"), "[boot loader]\r\ndefault=C:\\evil.bin\r\n");
  EXPECT_EQ(w.Bytes("C:\\msboot\\qelv\\ghost.exe"), "planted");
}

}  // namespace
}  // namespace tovak::testing
