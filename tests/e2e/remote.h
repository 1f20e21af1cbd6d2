// Windows of another process, read and driven with the messages that cross process boundaries
// (GetWindowTextW does not fetch another process's control text).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tovak::e2e {

std::wstring TextOf(HWND window);
// A visible top-level window of the process with that class (and caption, unless null).
HWND VisibleTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption);
std::wstring ClassOf(HWND window);
// The control of that id anywhere under the window, inside frames too; null when none.
HWND ControlWithId(HWND window, int id);
// In the client coordinates of the window's parent.
RECT RectInParent(HWND window);
bool Checked(HWND button);
LONG Style(HWND window);
// As if typed: the whole text replaced.
void SetText(HWND window, const std::wstring& text);
// Posted, not sent: the handler may open a modal box and would block the caller until it closes.
void Click(HWND button);
// A key press as the program's message loop sees it, at the control that has the focus.
void PressKey(HWND window, WORD key);
// The control that has the keyboard focus on the window's thread.
HWND FocusOf(HWND window);
// The id of that control, a combo's inner edit counted as the combo; 0 when none.
int FocusedId(HWND window);

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000,
               DWORD pollMs = 20);

}  // namespace tovak::e2e
