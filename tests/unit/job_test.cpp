// The job on the simulated Windows: what it prepares, what it refuses, what it puts back.
#include "job/job.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "job/boot_menu_entry.h"
#include "tests/unit/job_harness.h"
#include "tests/unit/machine_starts.h"

namespace tovak::testing {
namespace {

const Outcome kDone{};
Outcome Refused(const std::string& text) { return {Outcome::Kind::Refused, text}; }
Outcome Failed(const std::string& text) { return {Outcome::Kind::Failed, text}; }

// ASCII text as an editor saves it in "Unicode": UTF-16 little-endian after its byte-order mark.
std::string Utf16Le(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

std::string Ini(JobHarness& job, const char* section, const char* key) {
  return ReadIniString(job.windows, section, key, "C:\\boot.ini");
}

TEST(Job, ABackupPreparesTheNextStart) {
  JobHarness job;
  EXPECT_EQ(job.Prepare(Backup()), kDone);
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
  for (const char* folder : {"C:\\boot", "C:\\boot\\qelv", "C:\\WINDOWS\\Tovak"}) {
    EXPECT_EQ(w.AccessOf(folder), sim::Access::JobOnly) << folder;
    EXPECT_EQ(w.Owner(folder), Ownership::Trusted) << folder;
  }
  EXPECT_EQ(w.AccessOf("D:\\Nusk"), sim::Access::Images);
  EXPECT_EQ(w.Attributes("C:\\boot.ini") & kBootFileBits, 0u);
  EXPECT_EQ(Ini(job, "boot loader", "default"), "C:\\g1ldr");
  EXPECT_EQ(Ini(job, "boot loader", "timeout"), "0");
  EXPECT_EQ(Ini(job, "operating systems", "C:\\g1ldr"), "Tovak备份工具");
  EXPECT_EQ(w.Bytes("C:\\ntldr"), SmallPayload("ntldr"));
  EXPECT_TRUE(w.Messages().empty());
  EXPECT_TRUE(job.driveMap.asked.empty());
}

TEST(Job, ARestoreWritesTheRestoreScript) {
  JobHarness job;
  job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image", attr::kHidden | attr::kReadOnly);
  EXPECT_EQ(job.Prepare(Restore()), kDone);
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\state.txt"), "huifu.bat\r\n");
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\huifu.bat"),
            "Ghost.exe -clone,mode=pload,src=1:2:\\Nusk\\Nusk.gho:1,dst=1:1 -fx -sure\r\n");
  EXPECT_FALSE(job.windows.Exists("C:\\boot\\qelv\\MsBack.bat"));
  EXPECT_EQ(Ini(job, "boot loader", "default"), "C:\\g1ldr");
}

TEST(Job, RefusedPathsChangeNothing) {
  std::string tooLong = "d:\\";
  for (int i = 0; i < 12; ++i) tooLong += "abcdefgh\\";
  struct Case {
    std::string path;
    bool backup;
    const char* message;
    std::function<void(sim::SimWindows&)> arrange = nullptr;
  } cases[] = {
      {"d:\\Nusk", true, "准备备份和恢复需要管理员权限，请用管理员帐户运行本程序",
       [](sim::SimWindows& w) { w.SetAdministrator(false); }},
      {"d:\\Nusk\\Nusk.gho", true, "“d:\\Nusk\\Nusk.gho”是一个文件夹，不能作为镜象文件，请换一个文件名",
       [](sim::SimWindows& w) { w.PutFolder("D:\\Nusk\\Nusk.gho"); }},
      {"d:\\Nusk", true, "“d:\\Nusk”是一个文件，不能作为镜象文件夹，请换一个路径",
       [](sim::SimWindows& w) { w.PutFile("D:\\Nusk", "a file"); }},
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
    if (c.arrange) c.arrange(job.windows);
    const sim::Snapshot before = job.windows.Take();
    EXPECT_EQ(job.Prepare(c.backup ? Backup(c.path) : Restore(c.path)), Refused(c.message));
    EXPECT_EQ(job.windows.Take(), before) << c.path;
    EXPECT_TRUE(job.windows.Messages().empty()) << c.path;
  }
}

TEST(Job, NoJobWithoutASystemDirectoryOrWithABuildForWineOnly) {
  for (bool sandbox : {false, true}) {
    JobHarness job(/*payloadHasStandIns=*/sandbox);
    if (!sandbox) job.windows.SetSystemDirectory("");
    const sim::Snapshot before = job.windows.Take();
    const Outcome outcome = job.Prepare(Backup());
    EXPECT_EQ(job.windows.Take(), before);
    EXPECT_EQ(outcome.kind, Outcome::Kind::Refused);
    EXPECT_EQ(outcome.text.find("Wine") != std::string::npos, sandbox);
  }
}

TEST(Job, ARestoreWithoutItsImageChangesNothing) {
  for (const char* path : {"d:\\Nusk", "d:\\Nusk\\Nusk.gho"}) {
    JobHarness job;
    const sim::Snapshot before = job.windows.Take();
    EXPECT_EQ(job.Prepare(Restore(path)),
              (Outcome{Outcome::Kind::ImageMissing, "文件不存在请检查重新输入"}));
    EXPECT_EQ(job.windows.Take(), before) << path;
  }
}

TEST(Job, TheImageFolderIsMadeOneLevelDeep) {
  JobHarness job;
  EXPECT_EQ(job.Prepare(Backup("d:\\Nusk\\new.gho")), kDone);
  EXPECT_TRUE(job.windows.IsFolder("D:\\Nusk"));
  EXPECT_FALSE(job.windows.Exists("D:\\Nusk\\new.gho"));
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\MsBack.bat"),
            "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\new.gho -fx -sure -fro -z3\r\n");

  JobHarness deeper;
  const sim::Snapshot before = deeper.windows.Take();
  EXPECT_EQ(deeper.Prepare(Backup("d:\\a\\b\\new.gho")),
            Failed("创建镜象文件夹失败：系统找不到指定的路径。\r\n本次操作已撤销，启动文件已恢复原状。"));
  EXPECT_EQ(deeper.windows.Take(), before);
}

TEST(Job, TheDriveMapIsAskedWithTheDriveAsTyped) {
  JobHarness job;
  job.driveMap.answer = {"2:1", "1:1"};
  EXPECT_EQ(job.Prepare({Operation::Backup, ImagePath("D:\\img\\sys.gho"), "z6", true}), kDone);
  const std::vector<std::pair<std::string, std::string>> asked = {{"D:", "C:"}};
  EXPECT_EQ(job.driveMap.asked, asked);
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\MsBack.bat"),
            "ghost.exe -clone,mode=pdump,src=1:1,dst=2:1:\\img\\sys.gho -fx -sure -fro -z6\r\n");
}

// The script always images 1:1 and restores onto it, so a map that shows another layout stops
// the job before anything changes; an address the map did not find proves nothing.
TEST(Job, AMappedLayoutThatWouldImageTheWrongPartitionIsRefused) {
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
    JobRequest request = c.backup ? Backup() : Restore();
    request.mapDisks = true;
    job.driveMap.answer = c.mapped;
    const sim::Snapshot before = job.windows.Take();
    const Outcome outcome = job.Prepare(request);
    if (!c.refusal) {
      EXPECT_EQ(outcome, kDone) << what;
      EXPECT_NE(job.windows.Bytes("C:\\boot\\qelv\\MsBack.bat").find(std::string("dst=") + c.dst),
                std::string::npos)
          << what;
      continue;
    }
    EXPECT_EQ(job.windows.Take(), before) << what;
    EXPECT_EQ(outcome, Refused(c.refusal)) << what;
  }
}

// Unticked, Windows still says where the system drive lives; ticked, the map decides, and a drive
// it does not find either is refused in other words than "tick the box".
TEST(Job, TheSystemDrivesPlaceIsCheckedTickedOrNot) {
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
    const sim::Snapshot before = job.windows.Take();
    const Outcome outcome = job.Prepare({Operation::Backup, ImagePath(c.path), "", c.ticked});
    if (!c.refusal) {
      EXPECT_EQ(outcome, kDone) << c.what;
      continue;
    }
    EXPECT_EQ(job.windows.Take(), before) << c.what;
    EXPECT_EQ(outcome, Refused(c.refusal)) << c.what;
  }
}

TEST(Job, EarlierBootFoldersAreSetAsideOrSuperseded) {
  {
    JobHarness job;
    Arrange(job, Layout::OwnBoot);
    EXPECT_EQ(job.Prepare(Backup()), kDone);
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\readme.txt"), "the user's own");
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\tools\\x.exe"), "tool");
    EXPECT_EQ(job.windows.Attributes("C:\\msboot") & kBootFileBits, 0u);
    EXPECT_TRUE(job.windows.Exists("C:\\boot\\qelv\\state.txt"));
    EXPECT_FALSE(job.windows.Exists("C:\\boot\\readme.txt"));
  }
  {
    JobHarness job;
    Arrange(job, Layout::BootAndMsboot);
    EXPECT_EQ(job.Prepare(Backup()), kDone);
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\mine.txt"), "boot's own");
    EXPECT_EQ(job.windows.Bytes("C:\\msboot\\older.txt"), "set aside earlier");
    EXPECT_FALSE(job.windows.Exists("C:\\boot\\mine.txt"));
  }
  {
    // The pending job is cancelled first: its originals are what the new job saves, and it is
    // gone for good.
    JobHarness job;
    Arrange(job, Layout::PendingJob);
    EXPECT_EQ(job.Prepare(Backup()), kDone);
    sim::SimWindows& w = job.windows;
    EXPECT_EQ(w.Bytes("C:\\boot\\boot.bak"), kBootIni);
    EXPECT_EQ(w.Bytes("C:\\boot\\ntldr.bak"), "system loader");
    EXPECT_EQ(w.Bytes("C:\\boot\\bootfont.bak"), "system font");
    EXPECT_FALSE(w.Exists("C:\\boot\\g1ldr.bak"));
    EXPECT_EQ(w.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
    EXPECT_FALSE(w.Exists("C:\\boot\\qelv\\huifu.bat"));
    EXPECT_EQ(w.Bytes("C:\\msboot\\user.txt"), "the user's boot folder");
    EXPECT_FALSE(w.Exists("C:\\msboot\\boot.bak"));
  }
  {
    JobHarness job;
    Arrange(job, Layout::OwnG1ldr);
    EXPECT_EQ(job.Prepare(Backup()), kDone);
    EXPECT_EQ(job.windows.Bytes("C:\\boot\\g1ldr.bak"), "an earlier loader");
    EXPECT_EQ(job.windows.Bytes("C:\\g1ldr"), SmallPayload("g1ldr"));
  }
}

TEST(Job, AFailedSaveSaysWhyTheCopyFailed) {
  JobHarness job;
  job.windows.FailOn(sim::Op::Copy, "C:\\boot\\boot.bak", error::kDiskFull);
  EXPECT_EQ(job.Prepare(Backup()),
            Failed("保存并修改 boot.ini失败：磁盘空间不足。\r\n本次操作已撤销，启动文件已恢复原状。"));
  EXPECT_FALSE(job.windows.Exists("C:\\boot"));
}

TEST(Job, AFailedDeploymentPutsTheBootFilesBack) {
  JobHarness job;
  const sim::Snapshot before = job.windows.Take();
  job.windows.FailOn(sim::Op::Write, "C:\\boot\\qelv\\ghost.exe", error::kDiskFull);
  EXPECT_EQ(job.Prepare(Backup()),
            Failed("写入启动文件失败：磁盘空间不足。\r\n本次操作已撤销，启动文件已恢复原状。"));
  const sim::Snapshot after = job.windows.Take();
  for (const char* file : {"C:\\boot.ini", "C:\\ntldr", "C:\\bootfont.bin"}) {
    ASSERT_EQ(after.count(file), 1u) << file;
    EXPECT_EQ(after.at(file).bytes, before.at(file).bytes) << file;
    EXPECT_EQ(after.at(file).attributes & kBootFileBits, kBootFileBits) << file;
  }
  EXPECT_FALSE(job.windows.Exists("C:\\boot"));
  EXPECT_FALSE(job.windows.Exists("C:\\g1ldr"));
}

TEST(Job, AMissingBootIniIsReportedAndNothingIsLeftBehind) {
  JobHarness job;
  job.windows.SetAttributes("C:\\boot.ini", attr::kNormal);
  job.windows.Delete("C:\\boot.ini");
  const Outcome outcome = job.Prepare(Backup());
  EXPECT_EQ(outcome.kind, Outcome::Kind::Failed);
  EXPECT_EQ(outcome.text.rfind("保存并修改 boot.ini失败：", 0), 0u);
  EXPECT_EQ(job.windows.Take().count("C:\\boot"), 0u);
  EXPECT_EQ(job.windows.Bytes("C:\\ntldr"), "system loader");
  EXPECT_TRUE(job.windows.Messages().empty());
  // The image folder made for the job goes too, since nothing was written into it.
  EXPECT_FALSE(job.windows.Exists("D:\\Nusk"));
}

// The rollback itself meets a fault: the copy that could not go back stays, with its folder, and
// the text says which file and where the copy is instead of claiming the machine is as it was.
TEST(Job, APutBackThatFailsKeepsItsCopyAndTheTextNamesIt) {
  JobHarness job;
  job.windows.FailOn(sim::Op::Replace, "C:\\boot.ini", error::kAccessDenied);
  job.windows.FailOn(sim::Op::Replace, "C:\\boot\\ntldr.bak", error::kSharingViolation);
  EXPECT_EQ(job.Prepare(Backup()),
            (Outcome{Outcome::Kind::NotPutBack,
                     "保存并修改 boot.ini失败：拒绝访问。\r\n"
                     "下列启动文件没能恢复原状，它们保存的副本还在，可以用副本手工恢复：\r\n"
                     "C:\\ntldr（副本：C:\\boot\\ntldr.bak）"}));
  sim::SimWindows& w = job.windows;
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
}

// Layouts the job turns down before it changes anything, and one it now takes.
TEST(Job, BootFoldersAndBootFilesThatCannotBeTakenAreRefusedUntouched) {
  const Outcome kRecordFolderTaken = Refused(
      "“C:\\WINDOWS\\Tovak”不是本工具建立的文件夹，为了安全不能使用它。请管理员检查并删除它，再试一次。");
  const std::string kNotAnsi =
      "，Windows 的引导程序读不懂它，本工具没有修改任何东西。请用记事本把它另存为 ANSI 编码，再试一次。";
  struct Case {
    const char* what;
    std::function<void(sim::SimWindows&)> arrange;
    Outcome outcome;
  } cases[] = {
      {"a merge would write over a file",
       [](sim::SimWindows& w) {
         w.PutFile("C:\\boot\\sub\\a.txt", "boot's");
         w.PutFile("C:\\msboot\\sub\\a.txt", "msboot's");
       },
       Refused("“boot”和“msboot”两个文件夹里都有“sub\\a.txt”，把“boot”并入“msboot”会覆盖它。"
               "请先整理这两个文件夹，再试一次。")},
      {"a merge would put a folder where a file is",
       [](sim::SimWindows& w) {
         w.PutFolder("C:\\boot\\x");
         w.PutFile("C:\\msboot\\x", "file");
       },
       Refused("“boot”和“msboot”两个文件夹里都有“x”，把“boot”并入“msboot”会覆盖它。"
               "请先整理这两个文件夹，再试一次。")},
      {"boot.ini starts the loader with no job",
       [](sim::SimWindows& w) { w.PutFile("C:\\boot.ini", kPreparedBootIni); },
       Refused("boot.ini 的默认启动项是本工具的引导程序，但找不到它要运行的任务。请先把 boot.ini "
               "的默认启动项改回 Windows，再试一次。")},
      // The INI functions would keep the encoding, and the loader reads ANSI only.
      {"a boot.ini in UTF-16",
       [](sim::SimWindows& w) { w.PutFile("C:\\boot.ini", Utf16Le(kBootIni), kBootFileBits); },
       Refused("boot.ini 是以 Unicode（UTF-16）编码保存的" + kNotAnsi)},
      {"a boot.ini in UTF-8 with its mark",
       [](sim::SimWindows& w) {
         w.PutFile("C:\\boot.ini", std::string("\xEF\xBB\xBF") + kBootIni, kBootFileBits);
       },
       Refused("boot.ini 是以带签名（BOM）的 UTF-8 编码保存的" + kNotAnsi)},
      {"a boot.ini with a NUL",
       [](sim::SimWindows& w) {
         w.PutFile("C:\\boot.ini", std::string(kBootIni) + std::string(1, '\0'), kBootFileBits);
       },
       Refused("boot.ini 中有空字符，不是纯文本" + kNotAnsi)},
      {"no ntldr",
       [](sim::SimWindows& w) {
         w.SetAttributes("C:\\ntldr", attr::kNormal);
         w.Delete("C:\\ntldr");
       },
       Failed("保存启动文件失败：系统找不到指定的文件。\r\n本次操作已撤销，启动文件已恢复原状。")},
      // Users cannot make folders in the Windows folder, but a wrong one there must not be used.
      {"a file where the record folder goes",
       [](sim::SimWindows& w) { w.PutFile("C:\\WINDOWS\\Tovak", "somebody's"); },
       kRecordFolderTaken},
      {"a junction where the record folder goes",
       [](sim::SimWindows& w) {
         w.PutFolder("D:\\open");
         w.PutJunction("C:\\WINDOWS\\Tovak", "D:\\open");
       },
       kRecordFolderTaken},
      {"somebody else's record folder",
       [](sim::SimWindows& w) {
         w.PutFolder("C:\\WINDOWS\\Tovak");
         w.SetOwner("C:\\WINDOWS\\Tovak", Ownership::Untrusted);
       },
       kRecordFolderTaken},
      {"a Windows folder DOS cannot name",
       [](sim::SimWindows& w) {
         w.PutFolder("C:\\Windows XP\\system32");
         w.SetSystemDirectory("C:\\Windows XP\\system32");
       },
       Refused("Windows 文件夹的路径在 DOS 下无法使用（要用 8.3 格式的英文名称），不能在这台机器上使用")},
      // Most systems but the Chinese ones have no font: the job's stays, as after a run.
      {"no bootfont.bin",
       [](sim::SimWindows& w) {
         w.SetAttributes("C:\\bootfont.bin", attr::kNormal);
         w.Delete("C:\\bootfont.bin");
       },
       kDone},
  };
  for (const Case& c : cases) {
    JobHarness job;
    c.arrange(job.windows);
    const sim::Snapshot before = job.windows.Take();
    EXPECT_EQ(job.Prepare(Backup()), c.outcome) << c.what;
    if (c.outcome.kind == Outcome::Kind::Done) {
      EXPECT_EQ(job.windows.Bytes("C:\\bootfont.bin"), SmallPayload("bootfont.bin")) << c.what;
      EXPECT_FALSE(job.windows.Exists("C:\\boot\\bootfont.bak")) << c.what;
      continue;
    }
    EXPECT_EQ(job.windows.Take(), before) << c.what;
  }
}

// Anybody may create a folder in the root: one that looks like a job but that boot.ini does not
// start is somebody's folder, set aside, and nothing in it is copied anywhere.
TEST(Job, AFolderThatOnlyLooksLikeAJobIsSetAsideUntouched) {
  JobHarness job;
  sim::SimWindows& w = job.windows;
  w.PutFile("C:\\boot\\boot.bak", "[boot loader]\r\ndefault=C:\\evil.bin\r\n");
  w.PutFile("C:\\boot\\ntldr.bak", "planted loader");
  w.PutFile("C:\\boot\\qelv\\state.txt", "msback.bat\r\n");
  w.PutFile("C:\\boot\\qelv\\ghost.exe", "planted");
  EXPECT_EQ(job.Prepare(Backup()), kDone);
  EXPECT_EQ(w.Bytes("C:\\boot\\boot.bak"), kBootIni);
  EXPECT_EQ(w.Bytes("C:\\boot\\ntldr.bak"), "system loader");
  EXPECT_EQ(w.Bytes("C:\\msboot\\boot.bak"), "[boot loader]\r\ndefault=C:\\evil.bin\r\n");
  EXPECT_EQ(w.Bytes("C:\\msboot\\qelv\\ghost.exe"), "planted");
}

}  // namespace
}  // namespace tovak::testing
