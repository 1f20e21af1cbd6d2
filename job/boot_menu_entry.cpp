#include "job/boot_menu_entry.h"

#include <algorithm>

#include "platform/system_drive.h"
#include "platform/text_utf8.h"

namespace tovak {
namespace {

constexpr std::uint32_t kIniBufferSize = 255;

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// What the code page can hold of the text, each character it cannot becoming "?".
std::string InCodePage(AnsiText& text, const std::string& utf8) {
  std::string held, ansi;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = std::min(CharacterLength(utf8[at]), utf8.size() - at);
    const std::string character = utf8.substr(at, length);
    held += text.ToAnsi(character, ansi) ? character : "?";
    at += length;
  }
  return held;
}

}  // namespace

std::string ReadIniString(Profile& profile, const std::string& section, const std::string& key,
                          const std::string& file) {
  return profile.ReadString(section, key, "", kIniBufferSize, file);
}

bool WriteIniString(Profile& profile, const std::string& section, const std::string& key,
                    const std::string& value, const std::string& file) {
  if (IsBlank(section) || IsBlank(key)) return false;
  return profile.WriteString(section, key, value, file);
}

bool AddBootEntry(Platform& platform, const std::string& file) {
  const std::string root = GetSystemDriveRoot(platform.system);
  const std::string loader = root + "g1ldr";
  // An entry already there keeps the title its owner gave it. The loader never shows the title at
  // time-out 0, so a code page without Chinese gets question marks rather than a failed job.
  const std::string title = InCodePage(platform.text, "Tovak备份工具");
  if (ReadIniString(platform.profile, "operating systems", loader, file).empty() &&
      !WriteIniString(platform.profile, "operating systems", loader, title, file)) {
    return false;
  }
  return WriteIniString(platform.profile, "boot loader", "Default", loader, file) &&
         WriteIniString(platform.profile, "boot loader", "timeout", "0", file);
}

}  // namespace tovak
