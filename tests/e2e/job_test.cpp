// The OK button of the real Tovak.exe: what a job leaves on C: and D:, and what a refusal leaves.
#include <gtest/gtest.h>

#include <string>

#include "job/job_messages.h"
#include "tests/e2e/design.h"
#include "tests/e2e/disk.h"
#include "tests/e2e/e2e_env.h"
#include "tests/e2e/system_drive.h"
#include "ui/control_ids.h"

namespace tovak::e2e {
namespace {

namespace ids = ui::ids;

class JobTest : public TovakTest {
 protected:
  void SetUp() override {
    // The drive as the run prepared it, read before Tovak starts.
    ASSERT_NO_FATAL_FAILURE(drive_.Read());
    TovakTest::SetUp();
  }

  void ChooseRestore() {
    Click(Ctl(ids::kOptionRestore));
    ASSERT_TRUE(TextBecomes(Ctl(ids::kTextPath), L"d:\\Nusk\\Nusk.gho"));
  }

  enum class Press { Ok, Enter };

  // OK (or Enter), then No to the restart question, which comes after the window has gone.
  void PrepareJob(const std::wstring& question, const std::wstring& shot, Press press = Press::Ok) {
    if (press == Press::Ok) {
      Click(Ctl(ids::kCmdSure));
    } else {
      PressKey(app.Window(), VK_RETURN);
    }
    const MessageBoxSeen box = app.WaitForBox(60000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box.title, L"重启");
    EXPECT_EQ(box.text, question);
    EXPECT_FALSE(::IsWindow(app.Window()));
    EXPECT_NE(::GetDlgItem(box.window, IDYES), nullptr);
    Screenshot(box.window, shot);
    ASSERT_TRUE(app.Answer(box, IDNO));
    EXPECT_TRUE(app.WaitForExit());
  }

  void ExpectPreparedJob(const std::string& stateLine, const std::wstring& script,
                         const std::string& scriptLine, const char* bootTitle = kGbkTitle) {
    drive_.ExpectPreparedJob(stateLine, script, scriptLine, bootTitle);
  }

  SystemDrive drive_;
};

TEST_F(JobTest, TheDefaultBackupPreparesTheBootAndTheImageFolder) {
  EXPECT_TRUE(Names(L"D:").empty());
  ASSERT_NO_FATAL_FAILURE(PrepareJob(L"现在马上重启备份吗？", L"restart-backup"));
  ExpectPreparedJob("msback.bat", L"MsBack.bat",
                    "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3");
  EXPECT_EQ(Names(L"D:"), std::vector<std::wstring>{L"Nusk"});
  EXPECT_TRUE(Attributes(L"D:\\Nusk") & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(Names(L"D:\\Nusk").empty());
}

// Enter presses the push button that has the focus, and OK when the focus is elsewhere. Browse
// has the focus again when its dialog is cancelled.
TEST_F(JobTest, EnterPressesTheFocusedButtonElseOk) {
  const Snapshot systemDrive = TakeSnapshot(L"C:", 0);
  for (int time = 0; time < 2; ++time) {  // opened by a click, then by Enter
    if (time == 0) {
      Click(Ctl(ids::kCmdPath));
    } else {
      PressKey(app.Window(), VK_RETURN);
    }
    const MessageBoxSeen browser = app.WaitForBox();
    ASSERT_TRUE(browser);
    EXPECT_NE(::FindWindowExW(browser.window, nullptr, L"SysTreeView32", nullptr), nullptr);
    ASSERT_TRUE(app.Answer(browser, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return FocusedId(app.Window()) == ids::kCmdPath; }));
    EXPECT_EQ(Style(Ctl(ids::kCmdPath)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Style(Ctl(ids::kCmdSure)) & BS_TYPEMASK, BS_PUSHBUTTON);
  }
  Screenshot(app.Window(), L"browse-is-default");
  EXPECT_EQ(TakeSnapshot(L"C:", 0), systemDrive) << "no job";

  for (int tabs = 0; tabs < 10 && FocusedId(app.Window()) != ids::kTextPath; ++tabs) {
    const int before = FocusedId(app.Window());
    PressKey(app.Window(), VK_TAB);
    WaitUntil([&] { return FocusedId(app.Window()) != before; }, 3000);
  }
  ASSERT_EQ(FocusedId(app.Window()), ids::kTextPath);
  EXPECT_TRUE(WaitUntil([&] {
    return (Style(Ctl(ids::kCmdSure)) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }));
  EXPECT_EQ(Style(Ctl(ids::kCmdPath)) & BS_TYPEMASK, BS_PUSHBUTTON);
  ASSERT_NO_FATAL_FAILURE(PrepareJob(L"现在马上重启备份吗？", L"restart-by-enter", Press::Enter));
  ExpectPreparedJob("msback.bat", L"MsBack.bat",
                    "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3");
}

// The run gives the cases named Cp1252* an English locale, so Wine gives them the ANSI code page
// 1252, which holds no Chinese.
using Cp1252JobTest = JobTest;

TEST_F(Cp1252JobTest, TheWindowReadsInChineseAndABackupIsPrepared) {
  ASSERT_EQ(::GetACP(), 1252u);
  for (const Designed& row : Design()) EXPECT_EQ(TextOf(Ctl(row.id)), row.text) << row.name;
  Screenshot(app.Window(), L"window-cp1252");
  ASSERT_NO_FATAL_FAILURE(PrepareJob(L"现在马上重启备份吗？", L"restart-backup-cp1252"));
  ExpectPreparedJob("msback.bat", L"MsBack.bat",
                    "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3",
                    k1252Title);
}

// A job prepared and not run is offered for cancelling at the next start: No keeps it, Yes leaves
// the system drive as it was before the job.
TEST_F(JobTest, AJobNotRunIsOfferedAtStartAndCancelledOnYes) {
  ASSERT_NO_FATAL_FAILURE(PrepareJob(L"现在马上重启备份吗？", L"restart-backup"));
  for (int answer : {IDNO, IDYES}) {
    TovakApp again;
    std::wstring why;
    ASSERT_TRUE(again.Launch(BuildFolder() + L"Tovak.exe", why)) << Narrow(why);
    const MessageBoxSeen question = again.WaitForBox(20000);
    ASSERT_TRUE(question);
    EXPECT_EQ(question.title, L"提示");
    EXPECT_EQ(question.text, Wide(std::string(messages::kPendingBackup) + "\r\n" +
                                  messages::kCancelQuestion));
    EXPECT_EQ(Style(::GetDlgItem(question.window, IDNO)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    if (answer == IDYES) Screenshot(question.window, L"pending-question");
    ASSERT_TRUE(again.Answer(question, answer));
    if (answer == IDNO) {
      ASSERT_TRUE(again.WaitForWindow(why)) << Narrow(why);
      ExpectPreparedJob("msback.bat", L"MsBack.bat",
                        "ghost.exe -clone,mode=pdump,src=1:1,dst=1:2:\\Nusk\\Nusk.gho -fx -sure -fro -z3");
      continue;
    }
    const MessageBoxSeen done = again.WaitForBox();
    ASSERT_TRUE(done);
    EXPECT_EQ(done.text, L"任务已取消。");
    ASSERT_TRUE(again.Answer(done, IDOK));
    ASSERT_TRUE(again.WaitForWindow(why)) << Narrow(why);
  }
  drive_.ExpectAsRead();
}

// Anybody may make a folder "boot": one that boot.ini does not start is nobody's job.
TEST_F(JobTest, AFolderThatOnlyLooksLikeAJobGetsNoQuestion) {
  for (const wchar_t* folder : {L"C:\\boot", L"C:\\boot\\qelv"}) {
    ASSERT_TRUE(::CreateDirectoryW(folder, nullptr));
  }
  ASSERT_TRUE(WriteBytes(L"C:\\boot\\boot.bak", "[boot loader]\r\ndefault=C:\\evil.bin\r\n"));
  ASSERT_TRUE(WriteBytes(L"C:\\boot\\qelv\\state.txt", "msback.bat\r\n"));
  ASSERT_TRUE(WriteBytes(L"C:\\boot\\qelv\\ghost.exe", "planted"));
  const Snapshot root = TakeSnapshot(L"C:", 0), planted = TakeSnapshot(L"C:\\boot", 2);
  TovakApp again;
  std::wstring why;
  ASSERT_TRUE(again.Start(BuildFolder() + L"Tovak.exe", why)) << Narrow(why);
  EXPECT_TRUE(again.NoBoxWithin(1000));
  EXPECT_EQ(TakeSnapshot(L"C:", 0), root);
  EXPECT_EQ(TakeSnapshot(L"C:\\boot", 2), planted);
}

TEST_F(JobTest, ARestoreFromAnImagePreparesTheRestoreAndLeavesTheImage) {
  ASSERT_TRUE(::CreateDirectoryW(L"D:\\Nusk", nullptr));
  ASSERT_TRUE(WriteBytes(L"D:\\Nusk\\Nusk.gho", "an image"));
  const Snapshot image = TakeSnapshot(L"D:", 4);
  ASSERT_NO_FATAL_FAILURE(ChooseRestore());
  ASSERT_NO_FATAL_FAILURE(PrepareJob(L"现在马上重启恢复吗？", L"restart-restore"));
  ExpectPreparedJob("huifu.bat", L"huifu.bat",
                    "Ghost.exe -clone,mode=pload,src=1:2:\\Nusk\\Nusk.gho:1,dst=1:1 -fx -sure");
  EXPECT_EQ(ImageDriveWithoutRecord(), image);
}

TEST_F(JobTest, RefusedPathsLeaveTheDisksAndTheWindowAsTheyWere) {
  const std::wstring caption = TextOf(app.Window());
  const std::wstring working = L"请等待程序正在处理中...";
  struct Refusal {
    const char* name;
    bool restore;
    std::wstring path;
    std::wstring message;
    std::wstring captionAfter;
  };
  // The order matters: the restore refusal comes last, as it leaves the working caption.
  const Refusal refusals[] = {
      {"system partition", false, L"c:\\Nusk", L"备份和恢复操作不能在系统分区上", caption},
      {"a blank", false, L"d:\\my image", Wide(messages::kBadCharacter), caption},
      {"restore without the image", true, L"d:\\Nusk\\Nusk.gho", L"文件不存在请检查重新输入",
       working},
  };
  const Snapshot systemDrive = TakeSnapshot(L"C:", 0);
  const Snapshot dataDrive = TakeSnapshot(L"D:", 4);
  ASSERT_EQ(systemDrive.count(L"C:\\boot.ini"), 1u);
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    if (refusal.restore) {
      ASSERT_NO_FATAL_FAILURE(ChooseRestore());
    }
    SetText(Ctl(ids::kTextPath), refusal.path);
    Click(Ctl(ids::kCmdSure));
    const MessageBoxSeen box = app.WaitForBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box.title, L"错误");
    EXPECT_EQ(box.text, refusal.message);
    if (refusal.restore) Screenshot(box.window, L"refusal");
    ASSERT_TRUE(app.Answer(box, IDOK));
    ASSERT_TRUE(::IsWindow(app.Window()));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(app.Window()) == refusal.captionAfter; }, 3000));
    for (int id : {ids::kCmdSure, ids::kCmdExit, ids::kCmdPath, ids::kCheckDisk}) {
      EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(Ctl(id)); }, 3000)) << id;
    }
    // Restore keeps the combo disabled, as its option left it.
    EXPECT_EQ(::IsWindowEnabled(Ctl(ids::kComboCompress)) != FALSE, !refusal.restore);
    EXPECT_EQ(TakeSnapshot(L"C:", 0), systemDrive);
    EXPECT_EQ(TakeSnapshot(L"D:", 4), dataDrive);
  }
  // No job is left in progress: Exit is not refused.
  Click(Ctl(ids::kCmdExit));
  EXPECT_TRUE(app.WaitForExit());
}

}  // namespace
}  // namespace tovak::e2e
