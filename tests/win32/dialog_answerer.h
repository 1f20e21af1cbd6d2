// A user who answers a dialog box of the thread under test from a second thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tovak::ui::testing {

// Waits for the first dialog box a thread shows and acts on it; the dialog runs modally on the
// thread under test meanwhile.
class DialogAnswerer {
 public:
  DialogAnswerer(std::function<void(HWND)> act)
      : act_(std::move(act)), owner_(::GetCurrentThreadId()) {
    thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  ~DialogAnswerer() {
    ::WaitForSingleObject(thread_, 20000);
    ::CloseHandle(thread_);
  }
  std::wstring title;  // the dialog's caption, once found

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (!::IsWindowVisible(window) || wcscmp(className, L"#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static DWORD WINAPI Run(void* self) {
    auto* answerer = static_cast<DialogAnswerer*>(self);
    for (int tries = 0; tries < 300; ++tries) {
      HWND dialog = nullptr;
      ::EnumThreadWindows(answerer->owner_, Find, reinterpret_cast<LPARAM>(&dialog));
      if (dialog) {
        ::Sleep(300);  // let the dialog finish setting itself up
        wchar_t caption[128] = {};
        ::GetWindowTextW(dialog, caption, 128);
        answerer->title = caption;
        answerer->act_(dialog);
        return 0;
      }
      ::Sleep(50);
    }
    return 1;
  }

  std::function<void(HWND)> act_;
  DWORD owner_;
  HANDLE thread_;
};

}  // namespace tovak::ui::testing
