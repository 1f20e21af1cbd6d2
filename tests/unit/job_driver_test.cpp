// The press of OK: what the window does while the job runs and after each outcome.
#include "gui/job_driver.h"

#include <gtest/gtest.h>

#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

const std::vector<std::string> kLock = {
    "caption 请等待程序正在处理中...", "busy", "disable Combo_Compress", "disable Check_Disk",
    "disable Cmd_Path", "disable Cmd_Exit", "disable Cmd_Sure"};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The window is unloaded before the question, which restarts on Yes only.
TEST(JobDriver, APreparedJobClosesTheWindowAndAsksToRestart) {
  for (bool backup : {true, false}) {
    for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
      JobHarness job;
      job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
      job.form.SelectBackup(backup);
      job.form.path = backup ? "d:\\Nusk" : "d:\\Nusk\\Nusk.gho";
      job.windows.QueueAnswer(answer);
      job.Click();
      EXPECT_EQ(job.form.events, Concat(kLock, {"idle", "unload"}));
      ASSERT_EQ(job.windows.Messages().size(), 1u);
      const sim::MessageRecord& prompt = job.windows.Messages()[0];
      EXPECT_EQ(prompt.text, backup ? "现在马上重启备份吗？" : "现在马上重启恢复吗？");
      EXPECT_EQ(prompt.title, "重启");
      EXPECT_EQ(prompt.buttons, MessageButtons::YesNo);
      EXPECT_EQ(prompt.icon, MessageIcon::Information);
      EXPECT_EQ(job.restarter.restarts, answer == MessageAnswer::Yes ? 1 : 0);
      EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\state.txt"),
                backup ? "msback.bat\r\n" : "huifu.bat\r\n");
    }
  }
}

// The user said Yes: a restart that Windows refuses is told, not taken for done.
TEST(JobDriver, ARestartWindowsRefusesIsToldAndTheJobStays) {
  JobHarness job;
  job.restarter.refuses = true;
  job.windows.QueueAnswer(MessageAnswer::Yes);
  job.Click();
  ASSERT_EQ(job.windows.Messages().size(), 2u);
  EXPECT_EQ(job.windows.Messages()[1].text,
            "Windows 没有重启：拒绝访问。\r\n任务已准备好，请手动重启电脑，下次启动时会自动运行。");
  EXPECT_EQ(job.windows.Messages()[1].title, "错误");
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
}

// Every other outcome gives the controls back and shows its text; a refusal sends the user to the
// path, and a restore without its image keeps the wait caption, as the window always did.
TEST(JobDriver, AJobNotPreparedGivesTheWindowBackWithItsText) {
  struct Case {
    const char* what;
    bool backup;
    const char* path;
    const char* text;
    const char* caption;
    bool focus;
  } cases[] = {
      {"refused", true, "c:\\Nusk", "备份和恢复操作不能在系统分区上", kIdleCaption, true},
      {"image missing", false, "d:\\Nusk\\Nusk.gho", "文件不存在请检查重新输入",
       "请等待程序正在处理中...", true},
      {"failed", true, "d:\\a\\b\\new.gho",
       "创建镜象文件夹失败：系统找不到指定的路径。\r\n本次操作已撤销，启动文件已恢复原状。",
       kIdleCaption, false},
  };
  for (const Case& c : cases) {
    JobHarness job;
    job.form.SelectBackup(c.backup);
    job.form.path = c.path;
    job.Click();
    EXPECT_TRUE(job.form.Idle()) << c.what;
    EXPECT_EQ(job.form.caption, c.caption) << c.what;
    EXPECT_EQ(job.form.events.back() == "focus", c.focus) << c.what;
    ASSERT_EQ(job.windows.Messages().size(), 1u) << c.what;
    const sim::MessageRecord& box = job.windows.Messages()[0];
    EXPECT_EQ(box.text, c.text) << c.what;
    EXPECT_EQ(box.title, "错误");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_EQ(job.restarter.restarts, 0);
  }
}

// Restore has no compression: the combo stays disabled when the job gives the controls back; the
// next click that fails gives back the window's own caption, not the wait caption.
TEST(JobDriver, AfterARestoreWithoutItsImageTheComboStaysOffAndTheCaptionComesBackLater) {
  JobHarness job;
  job.form.SelectBackup(false);
  job.form.path = "d:\\Nusk";
  job.Click();
  EXPECT_FALSE(job.form.enabled[FormControl::Combo_Compress]);
  EXPECT_EQ(job.form.caption, "请等待程序正在处理中...");
  job.form.SelectBackup(true);
  job.form.path = "d:\\a\\b\\new.gho";
  job.Click();
  EXPECT_EQ(job.form.caption, kIdleCaption);
}

// The bench's span of the window's share: from the press until the window is unloaded, which
// only a prepared job's window is.
TEST(JobDriver, TheWindowTimerSpansThePressToTheWindowGone) {
  struct EventTimer final : WindowTimer {
    explicit EventTimer(std::vector<std::string>& events) : events(events) {}
    void OkPressed() override { events.push_back("pressed"); }
    void WindowGone() override { events.push_back("gone"); }
    std::vector<std::string>& events;
  };
  for (const char* path : {"d:\\Nusk", "c:\\Nusk"}) {
    JobHarness job;
    job.form.path = path;
    EventTimer timer(job.form.events);
    JobDriver driver(job.windows.platform(), job.form, job.driveMap, job.deployment,
                     job.restarter, nullptr, &timer);
    driver.OnOkClick();
    const bool prepared = std::string(path) == "d:\\Nusk";
    const std::vector<std::string> lock = Concat({"pressed"}, kLock);
    EXPECT_EQ(std::vector<std::string>(job.form.events.begin(),
                                       job.form.events.begin() + lock.size()),
              lock) << path;
    EXPECT_EQ(job.form.events.back(), prepared ? "gone" : "focus") << path;
    if (prepared) EXPECT_EQ(job.form.events.end()[-2], "unload");
  }
}

TEST(JobDriver, TheChoiceIsReadOnceWhateverHappensWhileMessagesFlow) {
  JobHarness job;
  // Changed while the job runs and before it writes its script, which still names the backup.
  bool changedInTime = false;
  job.windows.onPump = [&] {
    if (!job.form.jobInProgress || job.windows.Exists("C:\\boot\\qelv\\MsBack.bat")) return;
    job.form.SelectBackup(false);
    job.form.path = "d:\\Nusk\\Nusk.gho";
    changedInTime = true;
  };
  job.Click();
  ASSERT_TRUE(changedInTime) << "no message flowed before the job wrote its script";
  EXPECT_EQ(job.windows.Bytes("C:\\boot\\qelv\\state.txt"), "msback.bat\r\n");
  EXPECT_TRUE(job.windows.Exists("C:\\boot\\qelv\\MsBack.bat"));
  EXPECT_FALSE(job.windows.Exists("C:\\boot\\qelv\\huifu.bat"));
  EXPECT_EQ(job.windows.Messages().back().text, "现在马上重启备份吗？");
}

}  // namespace
}  // namespace tovak::testing
