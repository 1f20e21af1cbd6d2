// A window as the screen shows it, saved as a 24-bit BMP (the test run turns it into a PNG).
#pragma once

#include <windows.h>

#include <string>

namespace tovak::e2e {

bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace tovak::e2e
