// Frm_Back's own window: its style and its place on the screen.
#pragma once

#include <windows.h>

namespace tovak::ui {

// Fixed single border: a caption and the close box; no sizing, no minimize or maximize box
// (a minimize box alone would bring a greyed maximize box with it).
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// Dots per inch of the screen, which turn the design's twips into pixels; 96 when unknown.
int ScreenDpi();

// The window around the designed client area at `dpi`, centred in the work area.
RECT FormWindowRect(int dpi);

}  // namespace tovak::ui
