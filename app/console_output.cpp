#include "app/console_output.h"

#include "platform/win32/win32_text.h"

namespace tovak {

ConsoleOutput::ConsoleOutput() {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  const DWORD type =
      out && out != INVALID_HANDLE_VALUE ? ::GetFileType(out) : FILE_TYPE_UNKNOWN;
  if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
    redirected_ = out;
    return;
  }
  // A console the program was given at start will do as well (Wine gives the caller's).
  ::AttachConsole(ATTACH_PARENT_PROCESS);
  console_ = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (console_ == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  if (type == FILE_TYPE_CHAR && !::GetConsoleMode(out, &mode)) {
    redirected_ = out;  // "> nul"
    ::CloseHandle(console_);
    console_ = INVALID_HANDLE_VALUE;
    return;
  }
  // cmd does not wait for a window program: its prompt may stand on the line already.
  ToConsole(L"\r\n");
}

ConsoleOutput::~ConsoleOutput() {
  if (console_ != INVALID_HANDLE_VALUE) ::CloseHandle(console_);
}

void ConsoleOutput::ToConsole(const std::wstring& text) {
  DWORD written = 0;
  ::WriteConsoleW(console_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ConsoleOutput::WriteLine(const std::string& text) {
  const std::wstring wide = win32::Utf8ToWide(text + "\r\n");
  if (console_ != INVALID_HANDLE_VALUE) return ToConsole(wide);
  if (!redirected_) return;
  // What the code page cannot hold comes out as its default character.
  const int size = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], size,
                        nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(redirected_, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
}

}  // namespace tovak
