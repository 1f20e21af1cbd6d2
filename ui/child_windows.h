// The child windows of Frm_Back, made from the control table's rows.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ui/control_table.h"

namespace tovak::ui {

// The plain container: it only passes its controls' notifications on to its own parent.
bool RegisterContainerClass(HINSTANCE instance);

// The windows of the controls whose window parent is `parentName`, with the table's design values,
// and those of a container inside it; each is entered in `created` by its id. False when one
// could not be made.
bool CreateChildWindows(const std::string& parentName, HWND parent, int dpi, HINSTANCE instance,
                        HFONT font, std::map<int, HWND>& created);

}  // namespace tovak::ui
