// At start, the real Tovak.exe shows the record the DOS side left for its last job, once, and
// deletes it.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/disk.h"
#include "tests/e2e/e2e_env.h"
#include "tests/e2e/system_drive.h"

namespace tovak::e2e {
namespace {

constexpr char kToken[] = "0A1B2C3D";
constexpr char kKey[] = "00112233445566AA";
constexpr wchar_t kRecord[] = L"C:\\windows\\Tovak\\tovakjob.txt";

bool KeyRemembered() {
  char value[64];
  DWORD size = sizeof value;
  return ::RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tovak", "LastJob", RRF_RT_REG_SZ, nullptr,
                        value, &size) == ERROR_SUCCESS;
}

// The time prepared: a minute ago, as FILETIME counts.
std::string PreparedJustNow() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const unsigned long long time =
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) - 600000000ull;
  return std::to_string(time);
}

// The runner leaves a backup's record in the record folder, a restore's on the image's drive, and
// none when the job was cut short.
TEST(LastJobTest, TheLastJobsResultIsShownOnceAtStartAndThenGone) {
  constexpr wchar_t kImageDriveRecord[] = L"D:\\Tovak\\tovakjob.txt";
  struct Case {
    const char* operation;
    const char* status;  // null: no record
    const wchar_t* place;
    const wchar_t* title;
    std::wstring start;  // of the box's text
    const wchar_t* shot;
  } cases[] = {
      {"backup", "0", kRecord, L"提示",
       L"上次的备份已经完成。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n大小：9 字节", L"last-backup-done"},
      {"backup", "12", kRecord, L"错误", L"上次的备份没有完成（Ghost 的退出代码是 12）。",
       L"last-backup-failed"},
      {"restore", "255", kImageDriveRecord, L"错误",
       L"上次的恢复没有完成（Ghost 的退出代码是 255）。", L"last-restore-failed"},
      {"backup", nullptr, nullptr, L"错误",
       L"上次的备份没有报告结束，可能在进行中被断电或重启打断了。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n"
       L"在一次备份完成之前，请不要信任这个位置上的镜象文件。",
       L"last-job-cut-short"},
  };
  ASSERT_TRUE(::CreateDirectoryW(L"D:\\Nusk", nullptr));
  ASSERT_TRUE(::CreateDirectoryW(L"D:\\Tovak", nullptr));
  ASSERT_TRUE(::CreateDirectoryW(L"C:\\windows\\Tovak", nullptr));
  ASSERT_TRUE(WriteBytes(L"D:\\Nusk\\Nusk.gho", "an image!"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shot);
    const std::string prepared = PreparedJustNow();
    // As the runner leaves it: the job's record with the exit status.
    if (c.status) {
      ASSERT_TRUE(WriteBytes(c.place, std::string(kToken) + "\r\n" + kKey + "\r\n" + c.operation +
                                          "\r\nd:\\Nusk\\Nusk.gho\r\n" + prepared +
                                          "\r\n\\windows\\Tovak\r\nnone\r\nnone\r\nstatus " +
                                          c.status + " \r\n"));
    }
    ASSERT_TRUE(RememberValue("LastJob", kKey));
    ASSERT_TRUE(RememberValue("LastJobInfo", std::string(c.operation) + " " + prepared + " d:\\Nusk\\Nusk.gho"));
    TovakApp app;
    std::wstring why;
    ASSERT_TRUE(app.Launch(BuildFolder() + L"Tovak.exe", why)) << Narrow(why);
    const MessageBoxSeen box = app.WaitForBox(20000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box.title, c.title);
    EXPECT_EQ(box.text.rfind(c.start, 0), 0u) << Narrow(box.text);
    Screenshot(box.window, c.shot);
    ASSERT_TRUE(app.Answer(box, IDOK));
    ASSERT_TRUE(app.WaitForWindow(why)) << Narrow(why);
    if (c.place) {
      EXPECT_FALSE(ReadBytes(c.place));
    }
    EXPECT_FALSE(KeyRemembered());
  }
  // Another job's record is not this program's to show or delete.
  const std::string other =
      "0A1B2C3D\r\nFFEEDDCCBBAA9988\r\nbackup\r\nd:\\x.gho\r\n1\r\n\\windows\\Tovak\r\nnone\r\n"
      "none\r\nstatus 0 \r\n";
  ASSERT_TRUE(WriteBytes(kRecord, other));
  ASSERT_TRUE(RememberValue("LastJob", kKey));
  TovakApp app;
  std::wstring why;
  ASSERT_TRUE(app.Start(BuildFolder() + L"Tovak.exe", why)) << Narrow(why);
  EXPECT_TRUE(app.NoBoxWithin(1000));
  EXPECT_EQ(ReadBytes(kRecord), other);
}

}  // namespace
}  // namespace tovak::e2e
