// The common open-file and save-file dialog in the form every NT-family Windows takes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tovak::ui {

constexpr std::int16_t kOpenFileMode = 1;  // any other mode shows the save-file dialog
constexpr int kFileBufferSize = 250;
constexpr int kFileTitleBufferSize = 255;

// `filter` holds description and pattern pairs, each followed by a NUL, then one more NUL. An
// empty default extension means none. Returns the chosen file's full path, or empty when the user
// cancelled or the dialog failed.
std::string ShowFileDialog(HWND ownerWindow, std::int16_t mode, const std::string& title,
                           const std::string& initialFileName, const std::string& filter,
                           const std::string& initialFolder, const std::string& defaultExtension);

}  // namespace tovak::ui
