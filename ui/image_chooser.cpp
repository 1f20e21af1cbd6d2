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
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderOfFile(win32::WideToUtf8(std::wstring(path, length)));
}

std::string BrowseForFolder(HWND owner) {
  const std::wstring title = win32::Utf8ToWide(kFolderBrowserTitle);
  BROWSEINFOW request{};
  request.hwndOwner = owner;
  request.lpszTitle = title.c_str();
  request.ulFlags = kBrowseFlags;
  LPITEMIDLIST item = ::SHBrowseForFolderW(&request);
  if (!item) return std::string();
  std::wstring folder(MAX_PATH, L'\0');
  // An item without a file-system path cannot be confirmed with these flags; if one comes, it
  // counts as a cancel.
  const bool hasPath = ::SHGetPathFromIDListW(item, &folder[0]);
  ::CoTaskMemFree(item);
  return hasPath ? win32::WideToUtf8(TextBeforeNul(folder)) : std::string();
}

}  // namespace

std::string ChooseImageLocation(HWND owner, bool backupMode) {
  if (backupMode) return BrowseForFolder(owner);
  const std::string filter = FilterString({{kImageFilterDescription, kImageFilterPattern}});
  return ShowFileDialog(owner, kOpenFileMode, kImageDialogTitle, "", filter, ProgramFolder(), "");
}

}  // namespace tovak::ui
