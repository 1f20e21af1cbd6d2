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
// OPENFILENAME_SIZE_VERSION_400A: the request without the fields Windows 2000 added, which every
// system the program runs on takes.
constexpr DWORD kRequestSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(kRequestSize == 76, "the 32-bit request is 76 bytes");
#endif

}  // namespace

std::string ShowFileDialog(HWND ownerWindow, std::int16_t mode, const std::string& title,
                           const std::string& initialFileName, const std::string& filter,
                           const std::string& initialFolder, const std::string& defaultExtension) {
  const std::string ansiTitle = win32::Utf8ToAnsiLossy(title);
  const std::string ansiFilter = win32::Utf8ToAnsiLossy(filter);
  const std::string ansiFolder = win32::Utf8ToAnsiLossy(initialFolder);
  const std::string ansiExtension = win32::Utf8ToAnsiLossy(defaultExtension);
  std::string file = FixedBuffer(win32::Utf8ToAnsiLossy(initialFileName), kFileBufferSize);
  std::string fileTitle(kFileTitleBufferSize, '\0');

  OPENFILENAMEA request{};
  request.lStructSize = kRequestSize;
  request.hwndOwner = ownerWindow;
  request.lpstrFilter = ansiFilter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = &file[0];
  request.nMaxFile = kFileBufferSize;
  request.lpstrFileTitle = &fileTitle[0];
  request.nMaxFileTitle = kFileTitleBufferSize;
  request.lpstrInitialDir = ansiFolder.c_str();
  request.lpstrTitle = ansiTitle.c_str();
  request.lpstrDefExt = ansiExtension.empty() ? nullptr : ansiExtension.c_str();

  BOOL chosen;
  if (mode == kOpenFileMode) {
    request.Flags = kOpenFlags;
    chosen = ::GetOpenFileNameA(&request);
  } else {
    request.Flags = kSaveFlags;
    chosen = ::GetSaveFileNameA(&request);
  }
  if (!chosen) return std::string();
  std::string utf8;
  win32::AnsiToUtf8(TextBeforeNul(file), utf8);
  return utf8;
}

}  // namespace tovak::ui
