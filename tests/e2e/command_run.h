// Tovak.exe run as a script or a technician's console runs it, and a window that sees the
// restart it asks for.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tovak::e2e {

struct CommandRun {
  bool ended = false;  // on its own and in time: nothing waited for an answer
  DWORD exitCode = 0;
  std::string output;  // what it wrote to its standard output
};

// With the arguments and standard output a pipe, read to the end.
CommandRun RunTovak(const std::wstring& arguments, DWORD timeoutMs = 60000);

// On a console of this program's, made afresh, on which a prompt stands already; Tovak gets no
// standard output. The console's first lines as they read afterwards.
std::vector<std::wstring> RunTovakOnConsole(const std::wstring& prompt,
                                            const std::wstring& arguments, CommandRun& run);

// The text in the ANSI code page, as a script reads redirected output.
std::string Ansi(const std::string& utf8);

// A hidden top-level window, there before Tovak starts: a restart first asks every window whether
// the session may end. This one says no, so the test's own session goes on.
class RestartProbe {
 public:
  RestartProbe();
  ~RestartProbe();
  RestartProbe(const RestartProbe&) = delete;
  RestartProbe& operator=(const RestartProbe&) = delete;
  // Pumps this thread's messages until the question came, or the time is up.
  bool Asked(DWORD timeoutMs);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  static bool asked_;
};

}  // namespace tovak::e2e
