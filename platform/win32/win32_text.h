// The boundary between the program's UTF-8 and the Win32 functions, shared by the Win32 parts:
// the ANSI code page for the "A" functions, UTF-16 for the window's "W" functions.
#pragma once

#include <windows.h>

#include <string>

namespace tovak::win32 {

// UTF-8 -> UTF-16 -> ANSI code page. False (and ERROR_NO_UNICODE_TRANSLATION) when the UTF-8 is
// invalid or a character has no exact ANSI form. The last error is untouched on success.
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi);
// ANSI code page -> UTF-16 -> UTF-8; the last error is untouched.
bool AnsiToUtf8(const std::string& ansi, std::string& utf8);
// UTF-8 -> UTF-16; empty when invalid.
std::wstring Utf8ToWide(const std::string& utf8);
// UTF-16 -> UTF-8; the last error is untouched.
std::string WideToUtf8(const std::wstring& wide);

// Restores the last-error code of an API call after the conversions that follow it.
class KeepLastError {
 public:
  KeepLastError() : saved_(::GetLastError()) {}
  ~KeepLastError() { ::SetLastError(saved_); }
  KeepLastError(const KeepLastError&) = delete;
  KeepLastError& operator=(const KeepLastError&) = delete;

 private:
  DWORD saved_;
};

}  // namespace tovak::win32
