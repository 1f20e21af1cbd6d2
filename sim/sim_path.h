// Windows path syntax: a drive letter, folders and a last name, with the relative forms resolved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovak::sim {

struct SimPath {
  char drive = 'C';                // upper case
  std::vector<std::string> parts;  // empty for the root of the drive
  bool trailingBackslash = false;  // the text ended in "\" after a name
};

// Parses a UTF-8 path against the current folder: "X:\..." is absolute, "\..." starts at the
// current drive's root, anything else at the current folder; "." and ".." are resolved, '/'
// counts as '\' and repeated separators as one. Returns 0 or the Windows error: 3 for an empty or
// network path, 123 for a name with characters Windows forbids (the last name may hold '*' and
// '?' when `wildcards` is set).
std::uint32_t ParsePath(const std::string& text, const SimPath& current, bool wildcards,
                        SimPath& path);

// "C:\" for a root, "C:\a\b" otherwise.
std::string ToText(const SimPath& path);

// ASCII letters upper-cased: the key under which names compare and sort.
std::string NameKey(const std::string& name);

}  // namespace tovak::sim
