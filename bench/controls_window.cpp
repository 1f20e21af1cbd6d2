// The floor for Tovak's start-up time that any window of its design has to pay: Common Controls 6
// by the same manifest, and Frm_Back's controls with their captions and font in a window of the
// same size, made by the same calls as Tovak's. Nothing else: no job, no icon, no payload. Its OK
// does what Tovak's window shows for a job, without the job: the wait caption, the controls Tovak
// locks disabled, the window destroyed, then the restart question, which is not timed: the floor
// of Tovak's share of a press of OK. It times that span with Tovak.exe's own timer, which writes
// "tovak-bench ok N us" as the program ends.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "app/bench_timer.h"
#include "job/job_messages.h"
#include "platform/win32/win32_text.h"
#include "ui/child_windows.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"
#include "ui/form_frame.h"

namespace {

constexpr const wchar_t* kClassName = L"ControlsWindow";
std::map<int, HWND> controls;  // by id, as CreateChildWindows makes them
bool inOk = false;  // the window is destroyed before the question, whose loop a quit would end
tovak::BenchTimer* timer = nullptr;

// The controls Tovak locks while its job runs.
constexpr int kLocked[] = {tovak::ui::ids::kCmdSure, tovak::ui::ids::kCmdExit,
                           tovak::ui::ids::kCmdPath, tovak::ui::ids::kCheckDisk,
                           tovak::ui::ids::kComboCompress};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // OK as Tovak's without its job: the wait caption, the controls disabled, the window destroyed,
  // then the question.
  if (message == WM_COMMAND && LOWORD(wParam) == tovak::ui::ids::kCmdSure &&
      HIWORD(wParam) == BN_CLICKED) {
    timer->OkPressed();
    inOk = true;
    ::SetWindowTextW(window, tovak::win32::Utf8ToWide(tovak::messages::kWaitCaption).c_str());
    for (int id : kLocked) ::EnableWindow(controls[id], FALSE);
    ::DestroyWindow(window);
    timer->WindowGone();
    ::MessageBoxW(::GetActiveWindow(),
                  tovak::win32::Utf8ToWide(tovak::messages::kRestartBackup).c_str(),
                  tovak::win32::Utf8ToWide(tovak::messages::kRestartTitle).c_str(),
                  MB_YESNO | MB_ICONINFORMATION);
    ::PostQuitMessage(0);
    return 0;
  }
  if (message == WM_DESTROY && !inOk) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  using namespace tovak::ui;
  tovak::BenchTimer benchTimer;
  timer = &benchTimer;
  ::InitCommonControls();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassW(&windowClass) || !RegisterContainerClass(instance)) return 1;
  const int dpi = ScreenDpi();
  const RECT frame = FormWindowRect(dpi);
  const std::wstring caption = tovak::win32::Utf8ToWide(kFormCaption);
  HWND window = ::CreateWindowExW(0, kClassName, caption.c_str(), kFormStyle, frame.left,
                                  frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (!window || !CreateChildWindows(kFormName, window, dpi, instance, font, controls)) return 1;
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  ::SetFocus(controls[ids::kCmdSure]);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(window, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
