#include "tests/e2e/disk.h"

#include <algorithm>

namespace tovak::e2e {

std::optional<std::string> ReadBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  ::CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) && written == bytes.size();
  return ::CloseHandle(file) && ok;
}

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

std::vector<std::wstring> Names(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

Snapshot TakeSnapshot(const std::wstring& folder, int depth) {
  Snapshot snapshot;
  for (const std::wstring& name : Names(folder)) {
    const std::wstring path = folder + L"\\" + name;
    const DWORD attributes = Attributes(path);
    std::string& entry = snapshot[path];
    entry = std::to_string(attributes) + ":";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (depth > 0) snapshot.merge(TakeSnapshot(path, depth - 1));
    } else {
      entry += ReadBytes(path).value_or("<unreadable>");
    }
  }
  return snapshot;
}

}  // namespace tovak::e2e
