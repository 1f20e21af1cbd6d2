// Access lists and owners of files, for the Win32 file system.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace tovak::win32 {

bool CloseFolderToOthers(const std::string& folder);
bool CopyAccessList(const std::string& from, const std::string& to);
Ownership OwnerOfFile(const std::string& path);

}  // namespace tovak::win32
