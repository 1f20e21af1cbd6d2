#include "ui/frm_back.h"

#include <algorithm>

#include "job/image_file_info.h"
#include "platform/win32/win32_text.h"
#include "ui/child_windows.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"
#include "ui/form_frame.h"
#include "ui/maker_address.h"
#include "ui/resource_ids.h"

namespace tovak::ui {
namespace {

int IdOf(FormControl control) {
  switch (control) {
    case FormControl::Cmd_Sure: return ids::kCmdSure;
    case FormControl::Cmd_Exit: return ids::kCmdExit;
    case FormControl::Cmd_Path: return ids::kCmdPath;
    case FormControl::Check_Disk: return ids::kCheckDisk;
    case FormControl::Combo_Compress: return ids::kComboCompress;
  }
  return 0;
}

bool RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (::GetClassInfoExW(instance, kFormClassName, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(TOVAK_ICON_GROUP),
                                                      IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                      ::GetSystemMetrics(SM_CYICON), 0));
  windowClass.hIconSm = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(TOVAK_ICON_GROUP), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kFormClassName;
  return ::RegisterClassExW(&windowClass) != 0;
}

HFONT UnderlinedCopy(HFONT font) {
  LOGFONTW shape{};
  if (!::GetObjectW(font, sizeof shape, &shape)) return nullptr;
  shape.lfUnderline = TRUE;
  return ::CreateFontIndirectW(&shape);
}

}  // namespace

FrmBack::FrmBack(HINSTANCE instance, Platform& platform)
    : instance_(instance),
      platform_(platform),
      font_(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))) {}

FrmBack::~FrmBack() {
  if (window_) ::DestroyWindow(window_);
  if (underlinedFont_) ::DeleteObject(underlinedFont_);
}

bool FrmBack::Create(int showCommand) {
  if (!RegisterFormClass(instance_, WindowProc) || !RegisterContainerClass(instance_)) return false;
  underlinedFont_ = UnderlinedCopy(font_);
  hand_ = ::LoadCursorW(instance_, MAKEINTRESOURCEW(TOVAK_HAND_CURSOR));

  const int dpi = ScreenDpi();
  const RECT frame = FormWindowRect(dpi);
  const std::wstring caption = win32::Utf8ToWide(kFormCaption);
  if (!::CreateWindowExW(0, kFormClassName, caption.c_str(), kFormStyle, frame.left, frame.top,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         instance_, this)) {
    return false;
  }
  if (!CreateControls(dpi)) {
    ::DestroyWindow(window_);
    return false;
  }
  lastFocus_ = Control(ids::kCmdSure);
  ::ShowWindow(window_, showCommand);
  ::UpdateWindow(window_);
  ::SetFocus(lastFocus_);
  return true;
}

bool FrmBack::CreateControls(int dpi) {
  if (!CreateChildWindows(kFormName, window_, dpi, instance_, font_, controls_)) return false;
  FitLinkToItsText();
  return true;
}

// The address can be wider than its designed label: the label grows to fit it, but only as far
// as the OK button.
void FrmBack::FitLinkToItsText() {
  HWND link = Control(ids::kLabelWww);
  RECT linkRect, okRect;
  ::GetWindowRect(link, &linkRect);
  ::GetWindowRect(Control(ids::kCmdSure), &okRect);
  const std::wstring text = win32::Utf8ToWide(TOVAK_MAKER_ADDRESS);
  SIZE extent{};
  HDC dc = ::GetDC(link);
  HGDIOBJ old = ::SelectObject(dc, font_);
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(dc, old);
  ::ReleaseDC(link, dc);
  const LONG designed = linkRect.right - linkRect.left;
  const LONG room = okRect.left - linkRect.left - 1;
  const LONG width = std::max(designed, std::min(extent.cx, room));
  ::SetWindowPos(link, nullptr, 0, 0, width, linkRect.bottom - linkRect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND FrmBack::Control(int id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

bool FrmBack::HandleDialogKeys(MSG& message) {
  if (!window_ || !::IsDialogMessageW(window_, &message)) return false;
  // Every move of the focus within the window, by key, by mouse or back from a dialog, happens in
  // a message taken here. The dialog manager's own tidying after Tab, for a window that is no
  // dialog, leaves no default at all when the focus lands elsewhere than on a push button.
  FollowFocus();
  return true;
}

std::string FrmBack::ReadText(int id) {
  HWND control = id ? Control(id) : window_;
  if (!control) return std::string();
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return win32::WideToUtf8(text);
}

void FrmBack::WriteText(int id, const std::string& text) {
  HWND control = id ? Control(id) : window_;
  if (control) ::SetWindowTextW(control, win32::Utf8ToWide(text).c_str());
}

std::string FrmBack::PathText() { return ReadText(ids::kTextPath); }

void FrmBack::ShowImageAtPath() {
  // A drive without its disk would otherwise ask for one at each key typed.
  const UINT errorMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  const std::string line = DescribeImageAtPath(platform_, PathText());
  ::SetErrorMode(errorMode);
  WriteText(ids::kLabelImage, line);
}

bool FrmBack::BackupSelected() {
  return ::SendMessageW(Control(ids::kOptionBack), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool FrmBack::DiskTicked() {
  return ::SendMessageW(Control(ids::kCheckDisk), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string FrmBack::CompressionText() { return ReadText(ids::kComboCompress); }

void FrmBack::SetCaption(const std::string& caption) { WriteText(0, caption); }

void FrmBack::SetEnabled(FormControl control, bool enabled) {
  HWND child = Control(IdOf(control));
  if (!child) return;
  // A disabled control cannot keep the focus: it goes on to the next one, as Tab would take it.
  if (!enabled && ::GetFocus() == child) ::SetFocus(::GetNextDlgTabItem(window_, child, FALSE));
  ::EnableWindow(child, enabled);
}

void FrmBack::FocusPath() { ::SetFocus(Control(ids::kTextPath)); }

void FrmBack::Unload() {
  if (window_ && CloseAllowed()) ::DestroyWindow(window_);
}

void FrmBack::RememberFocus(bool activated) {
  if (!activated) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
  } else if (lastFocus_ && ::IsWindow(lastFocus_)) {
    ::SetFocus(lastFocus_);
  }
}

LRESULT CALLBACK FrmBack::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<FrmBack*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<FrmBack*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->window_ = nullptr;
    form->controls_.clear();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return form->OnMessage(message, wParam, lParam);
}

LRESULT FrmBack::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:  // lets the dialog manager see that a disabled OK cannot be pressed
      return MAKELRESULT(ids::kCmdSure, DC_HASDEFID);
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam))) return TRUE;
      break;
    case WM_MOUSEMOVE:
      OnMouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Control(ids::kLabelWww)) {
        return LinkColours(reinterpret_cast<HDC>(wParam));
      }
      break;
    case WM_ACTIVATE:
      RememberFocus(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return CloseAllowed();
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tovak::ui
