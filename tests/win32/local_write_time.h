// A file's last-write time set from a local date and time, as the window shows it back.
#pragma once

#include <windows.h>

namespace tovak::test_files {

inline bool SetLocalWriteTime(const wchar_t* path, WORD year, WORD month, WORD day, WORD hour,
                              WORD minute) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  local.wMinute = minute;
  FILETIME localTime, utc;
  if (!::SystemTimeToFileTime(&local, &localTime) || !::LocalFileTimeToFileTime(&localTime, &utc)) {
    return false;
  }
  HANDLE file = ::CreateFileW(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool set = ::SetFileTime(file, nullptr, nullptr, &utc) != 0;
  ::CloseHandle(file);
  return set;
}

}  // namespace tovak::test_files
