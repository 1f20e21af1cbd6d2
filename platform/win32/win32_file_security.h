// Access lists and owners of files, for the Win32 file system.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace tovak::win32 {

// Administrators and the system have the rights (all there are, for a file or a key), nobody else
// any, and what is made below inherits that.
union ClosedList {
  ACL acl;
  BYTE bytes[512];
};
// readRights, when not 0, are what Backup Operators get besides.
bool ClosedAccessList(ClosedList& list, DWORD rights, DWORD readRights = 0);

// A descriptor that makes an object closed from the instant it is created: owned by the
// Administrators group, with a protected closed list. What it points to lives inside it.
struct ClosedDescriptor {
  SECURITY_DESCRIPTOR descriptor;
  ClosedList list;
  std::shared_ptr<void> owner;
};
bool MakeClosedDescriptor(ClosedDescriptor& closed, DWORD rights, DWORD readRights = 0);

// The process's token has the Administrators group enabled.
bool IsAdministratorsMember();

// Administrators, SYSTEM or the user running the program.
bool IsTrustedOwner(PSID owner);

bool CloseFolderToOthers(const std::string& folder);
bool CreateClosedFolder(const std::string& path, FolderAccess access);
bool CopyAccessList(const std::string& from, const std::string& to);
Ownership OwnerOfFile(const std::string& path);

}  // namespace tovak::win32
