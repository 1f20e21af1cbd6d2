#include "platform/system_drive.h"

namespace tovak {

std::string GetSystemDirectoryPath(SystemServices& system) { return system.SystemDirectory(); }

std::string GetSystemDriveRoot(SystemServices& system) {
  const std::string directory = GetSystemDirectoryPath(system);
  // Count characters, not bytes: a UTF-8 continuation byte never starts one.
  std::size_t end = 0;
  for (int characters = 0; end < directory.size() && characters < 3; ++characters) {
    ++end;
    while (end < directory.size() && (static_cast<unsigned char>(directory[end]) & 0xC0) == 0x80) ++end;
  }
  return directory.substr(0, end);
}

}  // namespace tovak
