// Tovak.exe started as a user starts it, found by its caption, and driven from outside.
#pragma once

#include <windows.h>

#include <string>

namespace tovak::e2e {

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;  // the box's Static 65535; empty for the system's own dialogs
  explicit operator bool() const { return window != nullptr; }
};

class TovakApp {
 public:
  TovakApp() = default;
  TovakApp(const TovakApp&) = delete;
  TovakApp& operator=(const TovakApp&) = delete;
  ~TovakApp();  // ends the program if it still runs

  // Starts the exe and waits until its window is shown; on failure says why.
  bool Start(const std::wstring& exe, std::wstring& why) { return Launch(exe, why) && WaitForWindow(why); }
  // The two halves, for a start that asks something before the window shows.
  bool Launch(const std::wstring& exe, std::wstring& why);
  bool WaitForWindow(std::wstring& why);
  HWND Window() const { return window_; }
  // A control anywhere in the window, by its unique id.
  HWND Control(int id) const;

  // The first visible dialog window (#32770) of the program: a message box or a system dialog.
  MessageBoxSeen WaitForBox(DWORD timeoutMs = 10000) const;
  bool NoBoxWithin(DWORD ms) const { return !WaitForBox(ms); }
  // Presses one of the box's buttons (IDOK, IDYES, IDNO, IDCANCEL) and waits until it is gone.
  bool Answer(const MessageBoxSeen& box, int buttonId) const;

  bool WaitForExit(DWORD timeoutMs = 10000) const;
  bool Running() const;

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace tovak::e2e
