#include "job/boot_menu_entry.h"

#include "platform/system_drive.h"

namespace tovak {
namespace {

constexpr std::uint32_t kIniBufferSize = 255;

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

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

bool AddBootEntry(Platform& platform) {
  const std::string root = GetSystemDriveRoot(platform.system);
  const std::string file = root + "boot.ini";
  const std::string loader = root + "g1ldr";
  // An entry already there keeps the title its owner gave it.
  if (ReadIniString(platform.profile, "operating systems", loader, file).empty() &&
      !WriteIniString(platform.profile, "operating systems", loader, "Tovak备份工具", file)) {
    return false;
  }
  return WriteIniString(platform.profile, "boot loader", "Default", loader, file) &&
         WriteIniString(platform.profile, "boot loader", "timeout", "0", file);
}

}  // namespace tovak
