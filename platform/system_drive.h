// The root of the drive that holds the Windows system directory, such as C:\. Every path of the
// job on the system drive is this root followed by a relative name; nothing caches it.
#pragma once

#include <string>

#include "platform/system_services.h"

namespace tovak {

// The system directory, such as C:\WINDOWS\system32; empty when Windows does not supply it.
std::string GetSystemDirectoryPath(SystemServices& system);

// The system directory's first three characters (all of it when shorter), case as Windows gives it.
std::string GetSystemDriveRoot(SystemServices& system);

}  // namespace tovak
