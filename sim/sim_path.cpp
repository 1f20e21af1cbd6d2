#include "sim/sim_path.h"

#include <cstring>

#include "platform/last_error.h"

namespace tovak::sim {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool ForbiddenIn(const std::string& name, bool wildcards) {
  for (char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || std::strchr("<>:\"|", c) != nullptr) return true;
    if ((c == '*' || c == '?') && !wildcards) return true;
  }
  return false;
}

}  // namespace

std::uint32_t ParsePath(const std::string& text, const SimPath& current, bool wildcards,
                        SimPath& path) {
  std::string rest = text;
  for (char& c : rest) {
    if (c == '/') c = '\\';
  }
  if (rest.empty() || rest.compare(0, 2, "\\\\") == 0) return error::kPathNotFound;

  path = SimPath{};
  if (rest.size() >= 2 && IsLetter(rest[0]) && rest[1] == ':') {
    path.drive = Upper(rest[0]);
    rest.erase(0, 2);
    // "X:name" is taken from the current folder of that drive, which is its root unless current.
    if ((rest.empty() || rest[0] != '\\') && path.drive == current.drive)
      path.parts = current.parts;
  } else {
    path.drive = current.drive;
    if (rest[0] != '\\') path.parts = current.parts;
  }

  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    if (end > start) names.push_back(rest.substr(start, end - start));
    start = end + 1;
  }
  bool trailingBackslash = !rest.empty() && rest.back() == '\\';
  // Win32 drops the dots and blanks that end a path, unless they are part of a wildcard pattern.
  if (!trailingBackslash && !names.empty() &&
      names.back().find_first_not_of('.') != std::string::npos &&
      names.back().find_first_of("*?") == std::string::npos) {
    std::string& last = names.back();
    last.erase(last.find_last_not_of(". ") + 1);
    if (last.empty()) {
      names.pop_back();
      trailingBackslash = true;
    }
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (name == ".") continue;
    if (name == "..") {
      if (!path.parts.empty()) path.parts.pop_back();
      continue;
    }
    if (ForbiddenIn(name, wildcards && i + 1 == names.size())) return error::kInvalidName;
    path.parts.push_back(name);
  }
  path.trailingBackslash = !path.parts.empty() && trailingBackslash;
  return error::kSuccess;
}

std::string ToText(const SimPath& path) {
  std::string text = std::string(1, path.drive) + ":";
  if (path.parts.empty()) return text + "\\";
  for (const std::string& part : path.parts) text += "\\" + part;
  return text;
}

std::string NameKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = Upper(c);
  return key;
}

}  // namespace tovak::sim
