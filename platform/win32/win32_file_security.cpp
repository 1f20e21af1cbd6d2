#include "platform/win32/win32_file_security.h"

#include <windows.h>
#include <aclapi.h>

#include <map>
#include <memory>

#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

// FAT volumes keep neither access lists nor owners. A drive's answer is kept for the run: the job
// asks it of the system drive at each folder it closes and each list it copies.
bool KeepsAccessLists(const std::string& path) {
  const std::string root = path.size() >= 3 && path[1] == ':' ? path.substr(0, 3) : std::string();
  static std::map<std::string, bool> known;
  auto found = known.find(root);
  if (!root.empty() && found != known.end()) return found->second;
  DWORD flags = 0;
  KeepLastError keep;
  const bool keeps = ::GetVolumeInformationA(root.empty() ? nullptr : root.c_str(), nullptr, 0,
                                             nullptr, nullptr, &flags, nullptr, 0) &&
                     (flags & FILE_PERSISTENT_ACLS) != 0;
  if (!root.empty()) known[root] = keeps;
  return keeps;
}

struct SidDeleter {
  void operator()(void* sid) const { ::FreeSid(sid); }
};
using Sid = std::unique_ptr<void, SidDeleter>;

// A well-known SID of the NT authority: one or two sub-authorities.
Sid NtSid(DWORD first, DWORD second = 0) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID sid = nullptr;
  ::AllocateAndInitializeSid(&nt, second ? 2 : 1, first, second, 0, 0, 0, 0, 0, 0, &sid);
  return Sid(sid);
}

bool IsProcessUser(PSID owner) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  union {
    TOKEN_USER user;
    BYTE bytes[256];
  } info;
  DWORD size = 0;
  const bool same = ::GetTokenInformation(token, TokenUser, &info, sizeof info, &size) &&
                    ::EqualSid(owner, info.user.User.Sid);
  ::CloseHandle(token);
  return same;
}

}  // namespace

bool ClosedAccessList(ClosedList& list, DWORD rights, DWORD readRights) {
  Sid admins = NtSid(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  Sid system = NtSid(SECURITY_LOCAL_SYSTEM_RID);
  Sid backup = NtSid(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_BACKUP_OPS);
  if (!admins || !system || !backup) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const DWORD inherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
  return ::InitializeAcl(&list.acl, sizeof list, ACL_REVISION) &&
         ::AddAccessAllowedAceEx(&list.acl, ACL_REVISION, inherited, rights, admins.get()) &&
         ::AddAccessAllowedAceEx(&list.acl, ACL_REVISION, inherited, rights, system.get()) &&
         (readRights == 0 ||
          ::AddAccessAllowedAceEx(&list.acl, ACL_REVISION, inherited, readRights, backup.get()));
}

bool MakeClosedDescriptor(ClosedDescriptor& closed, DWORD rights, DWORD readRights) {
  Sid admins = NtSid(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  if (!admins) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  closed.owner = std::shared_ptr<void>(admins.release(), ::FreeSid);
  return ClosedAccessList(closed.list, rights, readRights) &&
         ::InitializeSecurityDescriptor(&closed.descriptor, SECURITY_DESCRIPTOR_REVISION) &&
         ::SetSecurityDescriptorOwner(&closed.descriptor, closed.owner.get(), FALSE) &&
         ::SetSecurityDescriptorDacl(&closed.descriptor, TRUE, &closed.list.acl, FALSE) &&
         // Protected: the entries the folder above hands down, such as users' rights, stop here.
         ::SetSecurityDescriptorControl(&closed.descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
}

bool IsAdministratorsMember() {
  Sid admins = NtSid(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  BOOL member = FALSE;
  return admins && ::CheckTokenMembership(nullptr, admins.get(), &member) && member;
}

bool IsTrustedOwner(PSID owner) {
  Sid admins = NtSid(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  Sid system = NtSid(SECURITY_LOCAL_SYSTEM_RID);
  return (admins && ::EqualSid(owner, admins.get())) ||
         (system && ::EqualSid(owner, system.get())) || IsProcessUser(owner);
}

bool CreateClosedFolder(const std::string& path, FolderAccess access) {
  std::string ansi;
  if (!Utf8ToAnsi(path, ansi)) return false;
  ClosedDescriptor closed;
  const DWORD read = access == FolderAccess::Images ? FILE_GENERIC_READ | FILE_GENERIC_EXECUTE : 0;
  if (!MakeClosedDescriptor(closed, FILE_ALL_ACCESS, read)) return false;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, &closed.descriptor, FALSE};
  // A volume without access lists takes the folder and ignores the descriptor.
  return ::CreateDirectoryA(ansi.c_str(), &attributes) != 0;
}

bool CloseFolderToOthers(const std::string& folder) {
  if (!KeepsAccessLists(folder)) return true;
  const std::wstring wide = Utf8ToWide(folder);
  ClosedList list;
  if (wide.empty()) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (!ClosedAccessList(list, FILE_ALL_ACCESS)) return false;
  // Protected: the entries the root hands down, such as users' right to read, stop here.
  const DWORD result = ::SetNamedSecurityInfoW(
      const_cast<wchar_t*>(wide.c_str()), SE_FILE_OBJECT,
      DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
      &list.acl, nullptr);
  ::SetLastError(result);
  return result == ERROR_SUCCESS;
}

bool CopyAccessList(const std::string& from, const std::string& to) {
  if (!KeepsAccessLists(to)) return true;
  const std::wstring wideFrom = Utf8ToWide(from);
  const std::wstring wideTo = Utf8ToWide(to);
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD result = wideFrom.empty() || wideTo.empty()
                     ? ERROR_INVALID_PARAMETER
                     : ::GetNamedSecurityInfoW(wideFrom.c_str(), SE_FILE_OBJECT,
                                               DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                               nullptr, &descriptor);
  if (result == ERROR_SUCCESS) {
    // The inherited entries become the list's own: the folder the file goes to hands down others.
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
      ACE_HEADER* ace = nullptr;
      if (::GetAce(dacl, i, reinterpret_cast<void**>(&ace))) ace->AceFlags &= ~INHERITED_ACE;
    }
    result = ::SetNamedSecurityInfoW(const_cast<wchar_t*>(wideTo.c_str()), SE_FILE_OBJECT,
                                     DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                     nullptr, nullptr, dacl, nullptr);
  }
  ::LocalFree(descriptor);
  ::SetLastError(result);
  return result == ERROR_SUCCESS;
}

Ownership OwnerOfFile(const std::string& path) {
  if (!KeepsAccessLists(path)) return Ownership::Unknown;
  const std::wstring wide = Utf8ToWide(path);
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (wide.empty() || ::GetNamedSecurityInfoW(wide.c_str(), SE_FILE_OBJECT,
                                               OWNER_SECURITY_INFORMATION, &owner, nullptr,
                                               nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return Ownership::Unknown;
  }
  Ownership ownership = Ownership::Unknown;
  if (owner) ownership = IsTrustedOwner(owner) ? Ownership::Trusted : Ownership::Untrusted;
  ::LocalFree(descriptor);
  return ownership;
}

}  // namespace tovak::win32
