// The events of Frm_Back: what a click, a key, the pointer or a close request does.
#include "ui/frm_back.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/win32_text.h"
#include "ui/control_ids.h"
#include "ui/image_chooser.h"
#include "ui/link_target.h"
#include "ui/maker_address.h"

namespace tovak::ui {
namespace {

constexpr COLORREF kLinkResting = RGB(0, 0, 255);
constexpr COLORREF kLinkHover = RGB(255, 0, 255);

constexpr int kPushButtons[] = {ids::kCmdSure, ids::kCmdExit, ids::kCmdPath};

bool IsPushButton(int id) {
  return std::find(std::begin(kPushButtons), std::end(kPushButtons), id) != std::end(kPushButtons);
}

}  // namespace

void FrmBack::OnCommand(int id, int code) {
  HWND control = Control(id);
  switch (id) {
    case ids::kCmdSure:
      // Enter reaches here through the dialog manager even while the button is disabled.
      if (code == BN_CLICKED && ::IsWindowEnabled(control)) OnOkClick();
      break;
    case ids::kCmdExit:
      if (code == BN_CLICKED && ::IsWindowEnabled(control)) Unload();
      break;
    case ids::kOptionBack:
    case ids::kOptionRestore:
      // A radio button that gets the focus unchecked also reports a click; only a selection counts.
      if (code == BN_CLICKED && ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        OnOptionClick(id);
      }
      break;
    case ids::kCheckDisk:
      if (code == BN_CLICKED) OnDiskClick();
      break;
    case ids::kTextPath:
      if (code == EN_SETFOCUS) OnPathFocus();
      if (code == EN_CHANGE) ShowImageAtPath();
      break;
    case ids::kCmdPath:
      if (code == BN_CLICKED) OnBrowseClick();
      break;
    case ids::kLabelWww:
      if (code == STN_CLICKED) OnLinkClick();
      break;
  }
}

void FrmBack::OnOkClick() {
  if (!okHandler_ || inOkClick_) return;
  inOkClick_ = true;
  okHandler_();
  inOkClick_ = false;
  if (quitAfterOk_) ::PostQuitMessage(0);
}

void FrmBack::OnOptionClick(int id) {
  const bool backup = id == ids::kOptionBack;
  ::EnableWindow(Control(ids::kComboCompress), backup);
  WriteText(ids::kTextPath, backup ? kBackupPath : kRestorePath);
  // Tab enters the group at its selected button.
  for (int option : {ids::kOptionBack, ids::kOptionRestore}) {
    HWND button = Control(option);
    LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
    style = option == id ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
    ::SetWindowLongPtrW(button, GWL_STYLE, style);
  }
}

void FrmBack::OnDiskClick() {
  if (DiskTicked()) {
    platform_.ui.ShowMessage(kDiskNotice, kNoticeTitle, MessageButtons::Ok,
                             MessageIcon::Information);
  }
}

void FrmBack::OnPathFocus() {
  HWND path = Control(ids::kTextPath);
  ::SendMessageW(path, EM_SETSEL, 0, ::GetWindowTextLengthW(path));
}

void FrmBack::FollowFocus() {
  HWND focus = ::GetFocus();
  if (!window_ || !focus || !::IsChild(window_, focus)) return;  // a dialog of ours has it
  MakeDefault(IsPushButton(::GetDlgCtrlID(focus)) ? focus : Control(ids::kCmdSure));
}

void FrmBack::MakeDefault(HWND button) {
  for (int id : kPushButtons) {
    HWND each = Control(id);
    const LONG_PTR style = ::GetWindowLongPtrW(each, GWL_STYLE);
    const LONG_PTR type = each == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) == type) continue;
    // Windows may take the whole low word of the style from the message: keep the rest of it.
    ::SendMessageW(each, BM_SETSTYLE, (LOWORD(style) & ~BS_TYPEMASK) | type, TRUE);
  }
}

void FrmBack::OnBrowseClick() {
  const std::string chosen = ChooseImageLocation(window_, BackupSelected());
  if (!chosen.empty()) WriteText(ids::kTextPath, chosen);
}

void FrmBack::OnLinkClick() {
  const std::wstring target = win32::Utf8ToWide(LinkTarget(TOVAK_MAKER_ADDRESS));
  ::ShellExecuteW(window_, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE);
}

// Every pointer move over a control asks the window for the cursor first: the link's own moves.
bool FrmBack::OnSetCursor(HWND over, UINT mouseMessage) {
  if (over != Control(ids::kLabelWww)) return false;
  if (mouseMessage == WM_MOUSEMOVE) SetLinkHover(true);
  if (!hand_) return false;
  ::SetCursor(hand_);
  return true;
}

// The window's own moves, which include those over WelCome and the frame: labels and group boxes
// let the pointer through to their parent.
void FrmBack::OnMouseMove(POINT point) {
  HWND under = ::ChildWindowFromPointEx(window_, point, CWP_SKIPINVISIBLE);
  if (under == window_ || under == Control(ids::kWelCome)) SetLinkHover(false);
}

void FrmBack::SetLinkHover(bool hover) {
  if (hover == linkHover_) return;
  linkHover_ = hover;
  HWND link = Control(ids::kLabelWww);
  HFONT font = hover && underlinedFont_ ? underlinedFont_ : font_;
  ::SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::InvalidateRect(link, nullptr, TRUE);
}

LRESULT FrmBack::LinkColours(HDC dc) {
  ::SetTextColor(dc, linkHover_ ? kLinkHover : kLinkResting);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

bool FrmBack::CloseAllowed() {
  if (!jobInProgress_) return true;
  // No title of its own: the box shows the application's.
  platform_.ui.ShowMessage(kCloseRefused, kAppTitle, MessageButtons::Ok, MessageIcon::None);
  return false;
}

void FrmBack::OnDestroy() {
  if (inOkClick_) {
    quitAfterOk_ = true;
  } else {
    ::PostQuitMessage(0);
  }
}

}  // namespace tovak::ui
