// Resource ids shared by the resource script and the window. Macros: the resource compiler
// understands no C++ constants.
#pragma once

#define TOVAK_ICON_GROUP 1
#define TOVAK_HAND_CURSOR 1
