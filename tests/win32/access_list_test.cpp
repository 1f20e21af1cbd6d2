// The job's folders closed to others and the access list a saved boot file keeps, read back with
// the real security calls.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/contract/contract_env.h"

namespace tovak {
namespace {

// Each entry as "SID mask", and whether the list is protected from what the folder hands down.
std::vector<std::string> Entries(const std::string& path, bool* isProtected = nullptr) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  std::vector<std::string> entries;
  if (::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    ADD_FAILURE() << "no access list: " << path;
    return entries;
  }
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    char* sid = nullptr;
    if (!::GetAce(dacl, i, reinterpret_cast<void**>(&ace)) ||
        !::ConvertSidToStringSidA(&ace->SidStart, &sid)) {
      continue;
    }
    entries.push_back(std::string(sid) + " " + std::to_string(ace->Mask));
    ::LocalFree(sid);
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ::GetSecurityDescriptorControl(descriptor, &control, &revision);
  if (isProtected) *isProtected = (control & SE_DACL_PROTECTED) != 0;
  ::LocalFree(descriptor);
  return entries;
}

// Users may read: as a root boot file's list usually has it.
void GiveUsersRead(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  PACL dacl = nullptr;
  BOOL present = FALSE, defaulted = FALSE;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:(A;;FA;;;BA)(A;;FA;;;SY)(A;;FR;;;BU)", SDDL_REVISION_1, &descriptor, nullptr));
  ASSERT_TRUE(::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted));
  EXPECT_EQ(::SetNamedSecurityInfoA(const_cast<char*>(path.c_str()), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
  ::LocalFree(descriptor);
}

TEST(AccessLists, TheJobsFolderIsClosedAndASavedCopyKeepsTheOriginalsList) {
  Win32Platform win32;
  FileSystem& fs = win32.platform().files;
  auto env = contract::MakeContractEnv();
  const std::string base = env->Base();
  const std::string folder = base + "\\boot", original = base + "\\ntldr";
  DWORD flags = 0;
  ::GetVolumeInformationA(base.substr(0, 3).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
  if ((flags & FILE_PERSISTENT_ACLS) == 0) GTEST_SKIP() << "the volume keeps no access lists";
  ASSERT_TRUE(fs.CreateFolder(folder));
  ASSERT_TRUE(fs.CloseToOthers(folder));
  bool closedProtected = false;
  const std::vector<std::string> closed = Entries(folder, &closedProtected);
  if (!closedProtected && win32.platform().system.RunningUnderWine()) {
    GTEST_SKIP() << "Wine makes a file's access list up from its Unix mode and keeps none it is given";
  }
  EXPECT_TRUE(closedProtected);
  EXPECT_EQ(closed, (std::vector<std::string>{"S-1-5-32-544 2032127", "S-1-5-18 2032127"}));

  auto file = fs.OpenForWriting(original);
  ASSERT_TRUE(file && file->Write("loader") && file->Close());
  GiveUsersRead(original);
  const std::vector<std::string> own = Entries(original);
  const std::string copy = folder + "\\ntldr.bak";
  ASSERT_TRUE(fs.Copy(original, copy, true));
  ASSERT_TRUE(fs.CopyAccessList(original, copy));
  EXPECT_EQ(Entries(copy), own);
  // Renamed back over the root's file, as a rollback puts it back, it keeps that list.
  ASSERT_TRUE(fs.Replace(copy, original));
  EXPECT_EQ(Entries(original), own);
}

// Made closed, owned by the Administrators group from the first instant: no moment when a user
// could open it. An image folder lets backup operators read.
TEST(AccessLists, AClosedFolderIsOwnedByAdministratorsAndClosedFromItsCreation) {
  Win32Platform win32;
  FileSystem& fs = win32.platform().files;
  auto env = contract::MakeContractEnv();
  const std::string base = env->Base();
  DWORD flags = 0;
  ::GetVolumeInformationA(base.substr(0, 3).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
  if ((flags & FILE_PERSISTENT_ACLS) == 0) GTEST_SKIP() << "the volume keeps no access lists";
  const struct {
    FolderAccess access;
    const char* name;
    std::vector<std::string> entries;
  } cases[] = {
      {FolderAccess::JobOnly, "job", {"S-1-5-32-544 2032127", "S-1-5-18 2032127"}},
      {FolderAccess::Images, "images",
       {"S-1-5-32-544 2032127", "S-1-5-18 2032127", "S-1-5-32-551 1179817"}},
  };
  for (const auto& c : cases) {
    const std::string folder = base + "\\" + c.name;
    ASSERT_TRUE(fs.CreateClosedFolder(folder, c.access)) << c.name;
    bool isProtected = false;
    const std::vector<std::string> entries = Entries(folder, &isProtected);
    if (!isProtected && win32.platform().system.RunningUnderWine()) {
      GTEST_SKIP() << "Wine makes a file's access list up from its Unix mode and keeps none it is given";
    }
    EXPECT_TRUE(isProtected) << c.name;
    EXPECT_EQ(entries, c.entries) << c.name;
    EXPECT_EQ(fs.OwnerOf(folder), Ownership::Trusted) << c.name;
  }
}

}  // namespace
}  // namespace tovak
