#include "platform/system_drive.h"

#include "platform/text_utf8.h"

namespace tovak {

std::string GetSystemDirectoryPath(SystemServices& system) { return system.SystemDirectory(); }

std::string GetSystemDriveRoot(SystemServices& system) {
  return FirstCharacters(GetSystemDirectoryPath(system), 3);
}

}  // namespace tovak
