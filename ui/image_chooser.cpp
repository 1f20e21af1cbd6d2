#include "ui/image_chooser.h"

#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/win32_text.h"
#include "ui/dialog_text.h"
#include "ui/file_dialog.h"

namespace tovak::ui {
namespace {

constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
static_assert(kBrowseFlags == 3, "the folder browser's flags");

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string utf8;
  win32::AnsiToUtf8(FolderOfFile(std::string(path, length)), utf8);
  return utf8;
}

std::string BrowseForFolder(HWND owner) {
  const std::string title = win32::Utf8ToAnsiLossy(kFolderBrowserTitle);
  BROWSEINFOA request{};
  request.hwndOwner = owner;
  request.lpszTitle = title.c_str();
  request.ulFlags = kBrowseFlags;
  LPITEMIDLIST item = ::SHBrowseForFolderA(&request);
  if (!item) return std::string();
  std::string folder(MAX_PATH, '\0');
  // An item without a file-system path cannot be confirmed with these flags; if one comes, it
  // counts as a cancel.
  const bool hasPath = ::SHGetPathFromIDListA(item, &folder[0]);
  ::CoTaskMemFree(item);
  std::string utf8;
  if (hasPath) win32::AnsiToUtf8(TextBeforeNul(folder), utf8);
  return utf8;
}

}  // namespace

std::string ChooseImageLocation(HWND owner, bool backupMode) {
  if (backupMode) return BrowseForFolder(owner);
  const std::string filter = FilterString({{kImageFilterDescription, kImageFilterPattern}});
  return ShowFileDialog(owner, kOpenFileMode, kImageDialogTitle, "", filter, ProgramFolder(), "");
}

}  // namespace tovak::ui
