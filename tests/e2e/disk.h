// Files as the driver finds them on the drives of its Wine prefix.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovak::e2e {

std::optional<std::string> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// INVALID_FILE_ATTRIBUTES when missing.
DWORD Attributes(const std::wstring& path);
// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> Names(const std::wstring& folder);

// Every entry below a folder with its attributes and, for a file, its bytes; `depth` 0 takes
// the folder's own entries only (a folder then by name and attributes).
using Snapshot = std::map<std::wstring, std::string>;
Snapshot TakeSnapshot(const std::wstring& folder, int depth);

}  // namespace tovak::e2e
