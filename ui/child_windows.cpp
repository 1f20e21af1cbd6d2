#include "ui/child_windows.h"

#include "platform/win32/win32_text.h"
#include "ui/control_ids.h"

namespace tovak::ui {
namespace {

// Room for the three compression choices below the combo's edit field.
constexpr int kDropDownRows = 4;

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Container:
      return {kContainerClassName, 0, WS_EX_CONTROLPARENT};
    case ControlKind::OptionButton:
      // Tab stops at the selected button of the group only; the option switch moves it.
      return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (row.selected ? WS_TABSTOP : 0)), 0};
    case ControlKind::ComboBox:
      return {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::Label:
      // The link reports clicks and never wraps: a second line would fall outside it.
      return {L"STATIC", static_cast<DWORD>(row.link ? SS_LEFTNOWORDWRAP | SS_NOTIFY : SS_LEFT), 0};
    case ControlKind::TextBox:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
      return {L"BUTTON",
              static_cast<DWORD>((row.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP),
              0};
  }
  return {L"STATIC", 0, 0};
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY) {
    return ::SendMessageW(::GetParent(window), message, wParam, lParam);
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// The control's window, inserted in the z-order after `previous` (nullptr: first). `opensGroup`
// starts a new group for the arrow keys and the radio buttons.
HWND CreateChildWindow(const ControlRow& row, const PixelPlacement& placed, HWND parent,
                       HWND previous, bool opensGroup, HINSTANCE instance, HFONT font) {
  const WindowKind kind = KindOf(row);
  const int height =
      row.kind == ControlKind::ComboBox ? placed.height * (1 + kDropDownRows) : placed.height;
  const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (opensGroup ? WS_GROUP : 0);
  const std::wstring caption = win32::Utf8ToWide(row.caption);
  HWND window = ::CreateWindowExW(kind.exStyle, kind.className, caption.c_str(), style, placed.x,
                                  placed.y, placed.width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance,
                                  nullptr);
  if (!window) return nullptr;
  // Children of one parent are visited by Tab in z-order, so the z-order follows the tab index.
  ::SetWindowPos(window, previous ? previous : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (const std::string& item : row.items) {
    const std::wstring wide = win32::Utf8ToWide(item);
    ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  if (row.kind == ControlKind::ComboBox) ::SetWindowTextW(window, caption.c_str());
  if (row.selected) ::SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
  return window;
}

}  // namespace

bool RegisterContainerClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  if (::GetClassInfoW(instance, kContainerClassName, &windowClass)) return true;
  windowClass.lpfnWndProc = ContainerProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kContainerClassName;
  return ::RegisterClassW(&windowClass) != 0;
}

bool CreateChildWindows(const std::string& parentName, HWND parent, int dpi, HINSTANCE instance,
                        HFONT font, std::map<int, HWND>& created) {
  const auto& table = FrmBackControls();
  HWND previous = nullptr;
  bool previousIsOption = false;
  for (const ControlRow* row : CreationOrder(table, parentName)) {
    const bool isOption = row->kind == ControlKind::OptionButton;
    HWND child = CreateChildWindow(*row, Place(table, *row, dpi), parent, previous,
                                   !(isOption && previousIsOption), instance, font);
    if (!child) return false;
    created[row->id] = child;
    if (row->kind == ControlKind::Container &&
        !CreateChildWindows(row->name, child, dpi, instance, font, created)) {
      return false;
    }
    previous = child;
    previousIsOption = isOption;
  }
  return true;
}

}  // namespace tovak::ui
