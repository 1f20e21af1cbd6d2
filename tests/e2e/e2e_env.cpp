#include "tests/e2e/e2e_env.h"

#include <cstdlib>

#include "tests/e2e/screenshot.h"

namespace tovak::e2e {

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<size_t>(::MultiByteToWideChar(
      CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
      static_cast<int>(wide.size()))));
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(static_cast<size_t>(::WideCharToMultiByte(
      CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0],
      static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

void Screenshot(HWND window, const std::wstring& name) {
  const wchar_t* folder = _wgetenv(L"TOVAK_E2E_SHOTS");
  if (!folder || !*folder) return;
  EXPECT_TRUE(SaveScreenshot(window, std::wstring(folder) + L"\\" + name + L".bmp"))
      << "screenshot " << Narrow(name);
}

}  // namespace tovak::e2e
