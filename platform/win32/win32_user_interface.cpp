#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

class Win32UserInterface final : public UserInterface {
 public:
  MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                            MessageButtons buttons, MessageIcon icon) override {
    // The box runs the window's handlers meanwhile; a caller may still read the code of its call.
    KeepLastError keep;
    UINT type = MB_OK;
    if (buttons == MessageButtons::YesNo) type = MB_YESNO;
    if (buttons == MessageButtons::YesNoDefaultNo) type = MB_YESNO | MB_DEFBUTTON2;
    if (icon == MessageIcon::Information) type |= MB_ICONINFORMATION;
    if (icon == MessageIcon::Critical) type |= MB_ICONERROR;
    // Wide, so that the Chinese texts read right whatever the ANSI code page.
    const std::wstring wideText = Utf8ToWide(text);
    const std::wstring wideTitle = Utf8ToWide(title);
    switch (::MessageBoxW(::GetActiveWindow(), wideText.c_str(), wideTitle.c_str(), type)) {
      case IDYES: return MessageAnswer::Yes;
      case IDNO: return MessageAnswer::No;
      default: return MessageAnswer::Ok;
    }
  }

  void PumpMessages() override {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The main loop must still see it to end the program.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
};

}  // namespace

std::unique_ptr<UserInterface> MakeUserInterface() { return std::make_unique<Win32UserInterface>(); }

}  // namespace tovak::win32
