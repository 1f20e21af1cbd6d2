#include "bench/xp_drive.h"

#include "tests/e2e/disk.h"

namespace tovak::bench {

void DeleteTree(const std::wstring& path) {
  const DWORD attributes = e2e::Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ::DeleteFileW(path.c_str());
    return;
  }
  for (const std::wstring& name : e2e::Names(path)) DeleteTree(path + L"\\" + name);
  ::RemoveDirectoryW(path.c_str());
}

XpDrive::XpDrive() {
  for (const wchar_t* path : {L"C:\\boot.ini", L"C:\\ntldr", L"C:\\bootfont.bin"}) {
    files_.push_back({path, e2e::ReadBytes(path).value_or(""), e2e::Attributes(path)});
  }
}

void XpDrive::Restore() const {
  for (const wchar_t* path : {L"C:\\boot", L"C:\\msboot", L"C:\\g1ldr", L"D:\\Nusk"}) {
    DeleteTree(path);
  }
  // The job's key under HKLM, values and all: without it the next start tells of no job that
  // never reported. Gone, not emptied: once Wine has set a key's list it gives the key's owner as
  // the user's primary group, and the next job in the session would not take the key for the
  // program's.
  ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tovak");
  for (const SavedFile& file : files_) {
    ::SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_NORMAL);
    e2e::WriteBytes(file.path, file.bytes);
    ::SetFileAttributesW(file.path.c_str(), file.attributes);
  }
}

}  // namespace tovak::bench
