// Access lists and owners of files, for the Win32 file system.
#pragma once

#include <windows.h>

#include <string>

#include "platform/file_system.h"

namespace tovak::win32 {

// Administrators and the system have the rights (all there are, for a file or a key), nobody else
// any, and what is made below inherits that.
union ClosedList {
  ACL acl;
  BYTE bytes[512];
};
bool ClosedAccessList(ClosedList& list, DWORD rights);

bool CloseFolderToOthers(const std::string& folder);
bool CopyAccessList(const std::string& from, const std::string& to);
Ownership OwnerOfFile(const std::string& path);

}  // namespace tovak::win32
