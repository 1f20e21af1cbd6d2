// The child windows of Frm_Back, made from the control table's rows.
#pragma once

#include <windows.h>

#include "ui/control_table.h"

namespace tovak::ui {

// The plain container: it only passes its controls' notifications on to its own parent.
bool RegisterContainerClass(HINSTANCE instance);

// The control's window with the table's design values, inserted in the z-order after `previous`
// (nullptr: first). `opensGroup` starts a new group for the arrow keys and the radio buttons.
HWND CreateChildWindow(const ControlRow& row, const PixelPlacement& placed, HWND parent,
                       HWND previous, bool opensGroup, HINSTANCE instance, HFONT font);

}  // namespace tovak::ui
