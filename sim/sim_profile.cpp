// GetPrivateProfileStringA and WritePrivateProfileStringA over the simulated files.
#include "sim/ini_text.h"
#include "sim/machine.h"

namespace tovak::sim {
namespace {

// A bare file name is looked for in the Windows folder, the parent of the system folder.
std::string ProfilePath(const Machine& machine, const std::string& file) {
  if (file.find_first_of("\\/:") != std::string::npos) return file;
  const std::size_t slash = machine.systemDirectory.rfind('\\');
  if (slash == std::string::npos) return file;
  return machine.systemDirectory.substr(0, slash) + "\\" + file;
}

// Windows drops the default's trailing blanks.
std::string TrimEnd(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

}  // namespace

std::string SimWindows::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, std::uint32_t bufferSize,
                                   const std::string& file) {
  Machine& m = *state_;
  const Charset& codePage = *m.codePage;
  std::string ansiSection, ansiKey, ansiDefault;
  const bool admitted =
      m.Admit(Op::ReadProfile, "ReadProfile " + file + " [" + section + "] " + key, file);
  if (!codePage.ToAnsi(section, ansiSection) || !codePage.ToAnsi(key, ansiKey) ||
      !codePage.ToAnsi(defaultValue, ansiDefault)) {
    m.Fail(error::kNoUnicodeTranslation);
    return std::string();
  }
  std::string found = TrimEnd(ansiDefault);
  Place place;
  if (admitted && m.Locate(ProfilePath(m, file), place)) {
    if (!place.node || place.node->folder) {
      m.Fail(error::kFileNotFound);
    } else if (auto value = ReadIniValue(place.node->bytes, ansiSection, ansiKey, codePage)) {
      found = *value;
    } else {
      m.Fail(error::kFileNotFound);
    }
  }
  if (bufferSize == 0) return std::string();
  return codePage.FromAnsiLossy(codePage.Cut(found, bufferSize - 1));
}

bool SimWindows::WriteString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) {
  Machine& m = *state_;
  const Charset& codePage = *m.codePage;
  std::string ansiSection, ansiKey, ansiValue;
  Place place;
  if (!m.Admit(Op::WriteProfile, "WriteProfile " + file + " [" + section + "] " + key + "=" + value,
               file)) {
    return false;
  }
  if (!codePage.ToAnsi(section, ansiSection) || !codePage.ToAnsi(key, ansiKey) ||
      !codePage.ToAnsi(value, ansiValue)) {
    return m.Fail(error::kNoUnicodeTranslation);
  }
  if (!m.Locate(ProfilePath(m, file), place)) return false;
  Node* node = place.node;
  if (!place.folder || (node && (node->folder || (node->bits & attr::kReadOnly)))) {
    return m.Fail(error::kAccessDenied);
  }
  if (place.trailingBackslash) return m.Fail(error::kInvalidName);
  if (node && m.IsOpen(*node)) return m.Fail(error::kSharingViolation);

  const std::string before = node ? node->bytes : std::string();
  const std::string after = node ? WriteIniValue(before, ansiSection, ansiKey, ansiValue, codePage)
                                 : "[" + ansiSection + "]\r\n" + ansiKey + "=" + ansiValue + "\r\n";
  if (!m.Fits(place.folder->Drive(), before.size(), after.size())) {
    return m.Fail(error::kDiskFull);
  }
  if (!node) node = &m.tree.Add(*place.folder, place.name, false);
  if (after != before) {
    node->bits |= attr::kArchive;
    node->unflushed = true;
  }
  node->bytes = after;
  return true;
}

}  // namespace tovak::sim
