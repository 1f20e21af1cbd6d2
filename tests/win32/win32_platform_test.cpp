// What only the Win32 layer does: the text boundary, the message pump, the token calls and the
// executable's resources, checked in the real process (under Wine here).
#include <windows.h>

#include <cctype>

#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/contract/contract_env.h"
#include "tests/win32/dialog_answerer.h"

namespace tovak {
namespace {

class Win32Seam : public ::testing::Test {
 protected:
  void SetUp() override {
    if (p().text.CodePage() != 936) GTEST_SKIP() << "the cases assume code page 936";
  }
  Platform& p() { return win32_.platform(); }
  Win32Platform win32_;
};

TEST_F(Win32Seam, ConversionToAnsiIsExactOrRefused) {
  struct Case {
    const char* utf8;
    bool fits;
    const char* ansi;
  } cases[] = {
      {"", true, ""},
      {"C:\\boot.ini", true, "C:\\boot.ini"},
      {"备份", true, "\xB1\xB8\xB7\xDD"},
      {"\xD8\xB4", false, ""},      // Arabic: no GBK form
      {"\xC3\xA9", true, "\xA8\xA6"},  // é: GBK has the pinyin letters
      {"\xE0\xB8\x81", false, ""},  // Thai
      {"\xC3", false, ""},          // cut UTF-8
      {"\xC0\xAF", false, ""},      // overlong '/'
  };
  for (const Case& c : cases) {
    p().lastError.Set(4321);
    std::string ansi = "stale";
    bool fits = p().text.ToAnsi(c.utf8, ansi);
    // The caller's last error stays, unless the conversion is refused.
    EXPECT_EQ(p().lastError.Get(), c.fits ? 4321u : error::kNoUnicodeTranslation) << c.utf8;
    EXPECT_EQ(fits, c.fits) << c.utf8;
    if (!c.fits) continue;
    EXPECT_EQ(ansi, c.ansi) << c.utf8;
    std::string back;
    ASSERT_TRUE(p().text.FromAnsi(ansi, back));
    EXPECT_EQ(back, c.utf8);
  }
}

// A lossy conversion would turn the name into "?", a wildcard that finds any one-letter file.
TEST_F(Win32Seam, UnrepresentableNameFailsBeforeTheCall) {
  auto env = contract::MakeContractEnv();
  FileSystem& fs = p().files;
  const std::string base = env->Base();
  auto file = fs.OpenForWriting(base + "\\x");
  ASSERT_TRUE(file && file->Close());

  const std::string foreign = base + "\\\xD8\xB4";
  FindData entry;
  EXPECT_FALSE(fs.FindFirst(foreign, entry));
  EXPECT_EQ(p().lastError.Get(), error::kNoUnicodeTranslation);
  EXPECT_FALSE(fs.Copy(base + "\\x", foreign, false));
  EXPECT_EQ(p().lastError.Get(), error::kNoUnicodeTranslation);
  EXPECT_FALSE(fs.Rename(base + "\\x", foreign));
  EXPECT_EQ(p().lastError.Get(), error::kNoUnicodeTranslation);
  EXPECT_EQ(fs.GetAttributes(foreign), attr::kInvalid);
  EXPECT_EQ(p().lastError.Get(), error::kNoUnicodeTranslation);
  EXPECT_FALSE(p().profile.WriteString("s", "k", "\xD8\xB4", base + "\\t.ini"));
  EXPECT_EQ(p().lastError.Get(), error::kNoUnicodeTranslation);
  EXPECT_EQ(fs.GetAttributes(base + "\\t.ini"), attr::kInvalid);
}

// The code of the call survives the conversion of what it returned.
TEST_F(Win32Seam, LastErrorOfTheCallSurvivesTheResultsConversion) {
  auto env = contract::MakeContractEnv();
  const std::string base = env->Base();
  auto file = p().files.OpenForWriting(base + "\\镜象.gho");
  ASSERT_TRUE(file && file->Close());

  FindData entry;
  auto search = p().files.FindFirst(base + "\\*.gho", entry);
  ASSERT_TRUE(search);
  EXPECT_EQ(entry.name, "镜象.gho");
  EXPECT_FALSE(search->Next(entry));
  EXPECT_EQ(p().lastError.Get(), error::kNoMoreFiles);
  search.reset();  // closing the search keeps it too
  EXPECT_EQ(p().lastError.Get(), error::kNoMoreFiles);

  p().lastError.Set(4321);
  std::string directory = p().system.SystemDirectory();
  for (char& c : directory) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(directory.substr(1), ":\\windows\\system32");  // XP: C:\WINDOWS\system32
  EXPECT_EQ(p().lastError.Get(), 4321u);
}

TEST_F(Win32Seam, ClosedOutputFileRefusesFurtherUse) {
  auto env = contract::MakeContractEnv();
  auto file = p().files.OpenForWriting(env->Base() + "\\f");
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->Write(std::string(100000, 'x')));
  ASSERT_TRUE(file->Close());
  EXPECT_FALSE(file->Write("y"));
  EXPECT_EQ(p().lastError.Get(), error::kInvalidHandle);
  EXPECT_FALSE(file->Close());
  std::uint64_t length = 0;
  ASSERT_TRUE(p().files.FileLength(env->Base() + "\\f", length));
  EXPECT_EQ(length, 100000u);
}

TEST_F(Win32Seam, PumpEmptiesTheQueueButKeepsQuit) {
  ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
  ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP + 1, 0, 0);
  p().ui.PumpMessages();
  MSG msg;
  EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_APP, WM_APP + 1, PM_REMOVE));

  ::PostQuitMessage(7);
  p().ui.PumpMessages();
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

LRESULT CALLBACK SetsAnotherCode(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) ::SetLastError(ERROR_ACCESS_DENIED);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// The privilege steps read the last-error code after a box that ran window handlers meanwhile.
TEST_F(Win32Seam, AMessageBoxKeepsTheLastErrorCode) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = SetsAnotherCode;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TovakLastErrorSetter";
  ::RegisterClassW(&windowClass);
  HWND setter = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(setter, nullptr);
  p().lastError.Set(error::kNotAllAssigned);
  {
    ui::testing::DialogAnswerer answer([setter](HWND box) {
      ::SendMessageW(setter, WM_APP, 0, 0);  // handled on the box's thread, inside its loop
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    p().ui.ShowMessage("AdjustTokenPrivileges error==1300", "提示", MessageButtons::Ok,
                       MessageIcon::None);
  }
  EXPECT_EQ(p().lastError.Get(), error::kNotAllAssigned);
  ::DestroyWindow(setter);
}

TEST_F(Win32Seam, ShutdownPrivilegeSequence) {
  SystemServices& s = p().system;
  EXPECT_EQ(s.Version() & 0x80000000u, 0u);  // the NT family
  p().lastError.Set(0);
  Handle token = 0;
  ASSERT_TRUE(s.OpenProcessToken(s.CurrentProcess(), 0x28, token));
  Luid luid;
  ASSERT_TRUE(s.LookupPrivilege("SeShutdownPrivilege", luid));
  EXPECT_EQ(luid.low, 19u);  // SE_SHUTDOWN_PRIVILEGE
  EXPECT_EQ(luid.high, 0);
  EXPECT_TRUE(s.AdjustPrivilege(token, luid, 2));
  // Set either way: 0 when enabled, ERROR_NOT_ALL_ASSIGNED when the account lacks it.
  EXPECT_TRUE(p().lastError.Get() == 0 || p().lastError.Get() == error::kNotAllAssigned);
  EXPECT_TRUE(s.CloseHandle(token));

  EXPECT_FALSE(s.LookupPrivilege("SeNoSuchPrivilege", luid));
  EXPECT_NE(p().lastError.Get(), 0u);
  EXPECT_FALSE(s.CloseHandle(0));
  EXPECT_EQ(p().lastError.Get(), error::kInvalidHandle);
}

// Wine answers for its C: as the first partition of the first disk, as an XP machine would.
TEST_F(Win32Seam, WindowsTellsWhereADriveLivesAndNothingForADriveThatIsNot) {
  if (!p().system.RunningUnderWine()) GTEST_SKIP() << "the drives of a Wine prefix";
  DevicePlace place{7, 7};
  ASSERT_TRUE(p().system.DriveDevicePlace("C:", place)) << p().lastError.Get();
  EXPECT_EQ(place.device, 0u);
  EXPECT_EQ(place.partition, 1u);
  EXPECT_FALSE(p().system.DriveDevicePlace("Q:", place));
  EXPECT_EQ(p().lastError.Get(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Win32Seam, CustomResourcesAreReadWholeInChinesePrc) {
  std::string_view bytes;
  ASSERT_TRUE(p().resources.LoadCustom(101, bytes));
  EXPECT_EQ(bytes, std::string("MZ\0\0\r\nend", 9));
  EXPECT_FALSE(p().resources.LoadCustom(102, bytes));  // only in English
  EXPECT_FALSE(p().resources.LoadCustom(103, bytes));
  EXPECT_EQ(p().lastError.Get(), error::kResourceNameNotFound);
}

}  // namespace
}  // namespace tovak
