#include "platform/win32/win32_text.h"

#include <climits>

namespace tovak::win32 {
namespace {

bool ToWide(UINT codePage, DWORD flags, const std::string& in, std::wstring& out) {
  out.clear();
  if (in.empty()) return true;  // a zero length is an error for the API
  if (in.size() > INT_MAX) return false;
  int n = ::MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return false;
  out.resize(n);
  return ::MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), &out[0], n) == n;
}

// Exact conversion to a code page: false when any character would need a substitute.
bool FromWide(UINT codePage, const std::wstring& in, std::string& out) {
  out.clear();
  if (in.empty()) return true;
  if (in.size() > INT_MAX) return false;
  // UTF-8 (and UTF-7) take neither the flag nor the used-default pointer; every character fits.
  const bool exact = codePage != CP_UTF8 && codePage != CP_UTF7;
  DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = exact ? &usedDefault : nullptr;
  const int size = static_cast<int>(in.size());
  int n = ::WideCharToMultiByte(codePage, flags, in.data(), size, nullptr, 0, nullptr, usedDefaultOut);
  if (n <= 0 || usedDefault) return false;
  out.resize(n);
  n = ::WideCharToMultiByte(codePage, flags, in.data(), size, &out[0], n, nullptr, usedDefaultOut);
  return n == static_cast<int>(out.size()) && !usedDefault;
}

}  // namespace

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) {
  std::wstring wide;
  {
    KeepLastError keep;
    if (ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, wide) && FromWide(CP_ACP, wide, ansi)) {
      return true;
    }
  }
  ansi.clear();
  ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
  return false;
}

bool AnsiToUtf8(const std::string& ansi, std::string& utf8) {
  KeepLastError keep;
  std::wstring wide;
  if (ToWide(CP_ACP, 0, ansi, wide) && FromWide(CP_UTF8, wide, utf8)) return true;
  utf8.clear();
  return false;
}

std::wstring Utf8ToWide(const std::string& utf8) {
  KeepLastError keep;
  std::wstring wide;
  if (!ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, wide)) wide.clear();
  return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
  KeepLastError keep;
  std::string utf8;
  if (!FromWide(CP_UTF8, wide, utf8)) utf8.clear();
  return utf8;
}

}  // namespace tovak::win32
