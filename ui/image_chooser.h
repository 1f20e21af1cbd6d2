// The Browse button's dialogs: where the image goes (a folder) or comes from (an image file).
#pragma once

#include <windows.h>

#include <string>

namespace tovak::ui {

constexpr const char* kFolderBrowserTitle = "请选择文件夹:";
constexpr const char* kImageDialogTitle = "请选择镜象文件...";
constexpr const char* kImageFilterDescription = "镜象文件 (*.gho)";
constexpr const char* kImageFilterPattern = "*.gho";

// The folder browser in Backup mode, the open-file dialog in the program's folder in Restore
// mode. The chosen path, or empty when the user cancelled.
std::string ChooseImageLocation(HWND owner, bool backupMode);

}  // namespace tovak::ui
