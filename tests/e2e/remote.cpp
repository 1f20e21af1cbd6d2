#include "tests/e2e/remote.h"

namespace tovak::e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

struct Search {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;  // null: any
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  // A leftover instance of another run could carry the same caption.
  if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
  if (ClassOf(window) != search->className) return TRUE;
  if (search->caption && TextOf(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

struct IdSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<IdSearch*>(param);
  if (::GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND VisibleTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  Search search{processId, className, caption, nullptr};
  ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  SendWithTimeout(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

HWND ControlWithId(HWND window, int id) {
  IdSearch search{id, nullptr};
  ::EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  ::GetClassNameW(window, name, 128);
  return name;
}

RECT RectInParent(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Checked(HWND button) { return SendWithTimeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

LONG Style(HWND window) { return ::GetWindowLongW(window, GWL_STYLE); }

void SetText(HWND window, const std::wstring& text) {
  SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

int FocusedId(HWND window) {
  HWND focus = FocusOf(window);
  if (focus && ClassOf(::GetParent(focus)) == L"ComboBox") focus = ::GetParent(focus);
  return focus ? ::GetDlgCtrlID(focus) : 0;
}

void PressKey(HWND window, WORD key) {
  HWND target = FocusOf(window);
  if (!target) target = window;
  const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  ::PostMessageW(target, WM_KEYDOWN, key, scan | 1);
  ::PostMessageW(target, WM_KEYUP, key, scan | 1 | (3u << 30));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(pollMs);
  }
}

}  // namespace tovak::e2e
