#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include "job/job_script.h"
#include "platform/system_drive.h"
#include "platform/text_utf8.h"

namespace tovak::fuzz {

void Require(bool holds, const char* invariant) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t count) {
  static const std::string kCut = "\n--8<--\n";
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (parts.size() + 1 < count) {
    const std::size_t cut = input.find(kCut, at);
    if (cut == std::string::npos) break;
    parts.push_back(input.substr(at, cut - at));
    at = cut + kCut.size();
  }
  parts.push_back(input.substr(std::min(at, input.size())));
  parts.resize(count);
  return parts;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > at && text[end - 1] == '\r') --end;
    lines.push_back(text.substr(at, end - at));
    at = next;
  }
  return lines;
}

bool IsUtf8(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char lead = text[at];
    std::size_t length = lead < 0x80         ? 1
                         : (lead >> 5) == 6  ? 2
                         : (lead >> 4) == 14 ? 3
                         : (lead >> 3) == 30 ? 4
                                             : 0;
    if (length == 0 || at + length > text.size()) return false;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    }
    at += length;
  }
  return true;
}

void MakeXpMachine(sim::SimWindows& windows, const std::string& bootIni) {
  windows.AddDrive('D');
  windows.PutFolder("C:\\WINDOWS\\system32");
  windows.PutFile("C:\\boot.ini", bootIni, kBootFileBits);
  windows.PutFile("C:\\ntldr", "system loader", kBootFileBits);
  windows.PutFile("C:\\bootfont.bin", "system font", kBootFileBits);
}

sim::Snapshot SystemDrive(const sim::Snapshot& snapshot) {
  sim::Snapshot entries;
  for (const auto& [path, entry] : snapshot) {
    const std::string lower = LowerAscii(path);
    if (lower.rfind("c:\\", 0) == 0 && lower.rfind("c:\\windows\\tovak", 0) != 0) {
      entries.emplace(path, entry);
    }
  }
  return entries;
}

bool SmallDeployment::DeployBootFiles(const std::string& jobToken) {
  token = jobToken;
  const std::string folder = GetSystemDriveRoot(platform_.system) + "boot\\qelv\\";
  for (const char* name : {"ntldr", "bootfont.bin", "g1ldr", "ghost.exe"}) {
    if (!WriteAnsiLine(platform_, folder + name, std::string("tool ") + name)) return false;
  }
  return true;
}

}  // namespace tovak::fuzz
