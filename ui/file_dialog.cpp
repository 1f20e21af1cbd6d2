#include "ui/file_dialog.h"

#include <commdlg.h>

#include <cstddef>

#include "platform/win32/win32_text.h"
#include "ui/dialog_text.h"

namespace tovak::ui {
namespace {

constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
static_assert(kOpenFlags == 0x1804 && kSaveFlags == 0x806, "the dialog flags");
// OPENFILENAME_SIZE_VERSION_400W: the request without the fields Windows 2000 added, which every
// system the program runs on takes.
constexpr DWORD kRequestSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#ifndef _WIN64
static_assert(kRequestSize == 76, "the 32-bit request is 76 bytes");
#endif

}  // namespace

std::string ShowFileDialog(HWND ownerWindow, std::int16_t mode, const std::string& title,
                           const std::string& initialFileName, const std::string& filter,
                           const std::string& initialFolder, const std::string& defaultExtension) {
  const std::wstring wideTitle = win32::Utf8ToWide(title);
  const std::wstring wideFilter = win32::Utf8ToWide(filter);  // keeps the NULs between the pairs
  const std::wstring wideFolder = win32::Utf8ToWide(initialFolder);
  const std::wstring wideExtension = win32::Utf8ToWide(defaultExtension);
  std::wstring file = FixedBuffer(win32::Utf8ToWide(initialFileName), kFileBufferSize);
  std::wstring fileTitle(kFileTitleBufferSize, L'\0');

  OPENFILENAMEW request{};
  request.lStructSize = kRequestSize;
  request.hwndOwner = ownerWindow;
  request.lpstrFilter = wideFilter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = &file[0];
  request.nMaxFile = kFileBufferSize;
  request.lpstrFileTitle = &fileTitle[0];
  request.nMaxFileTitle = kFileTitleBufferSize;
  request.lpstrInitialDir = wideFolder.c_str();
  request.lpstrTitle = wideTitle.c_str();
  request.lpstrDefExt = wideExtension.empty() ? nullptr : wideExtension.c_str();

  BOOL chosen;
  if (mode == kOpenFileMode) {
    request.Flags = kOpenFlags;
    chosen = ::GetOpenFileNameW(&request);
  } else {
    request.Flags = kSaveFlags;
    chosen = ::GetSaveFileNameW(&request);
  }
  if (!chosen) return std::string();
  return win32::WideToUtf8(TextBeforeNul(file));
}

}  // namespace tovak::ui
