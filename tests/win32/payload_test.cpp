// The payload as the Windows builds embed it, read back through Win32: each catalogue file is one
// "CUSTOM" resource in Chinese (PRC) holding the file's bytes, and a deployment writes them all.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "job/system_layout.h"
#include "payload/payload_catalogue.h"
#include "payload/payload_deployment.h"
#include "platform/file_search.h"
#include "platform/system_drive.h"
#include "platform/win32/win32_platform.h"

namespace tovak {
namespace {

const WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// This program's folder, the build folder, with its trailing backslash.
std::string BuildFolder() {
  char path[MAX_PATH];
  const std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
  return self.substr(0, self.rfind('\\') + 1);
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

BOOL CALLBACK AddName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  reinterpret_cast<std::set<ULONG_PTR>*>(names)->insert(reinterpret_cast<ULONG_PTR>(name));
  return TRUE;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::set<WORD>*>(languages)->insert(language);
  return TRUE;
}

// The module's CUSTOM resources are exactly the catalogue, each the file of that name.
void ExpectCatalogue(HMODULE module, const std::string& payloadFolder) {
  std::set<ULONG_PTR> ids;
  ::EnumResourceNamesA(module, "CUSTOM", AddName, reinterpret_cast<LONG_PTR>(&ids));
  std::set<ULONG_PTR> catalogueIds;
  for (const PayloadFile& file : PayloadCatalogue()) catalogueIds.insert(file.id);
  EXPECT_EQ(ids, catalogueIds);

  for (const PayloadFile& file : PayloadCatalogue()) {
    SCOPED_TRACE(file.name);
    std::set<WORD> languages;
    ::EnumResourceLanguagesA(module, "CUSTOM", MAKEINTRESOURCEA(file.id), AddLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::set<WORD>{kChinesePrc});
    HRSRC found = ::FindResourceExA(module, "CUSTOM", MAKEINTRESOURCEA(file.id), kChinesePrc);
    ASSERT_TRUE(found);
    const std::string expected = ReadWhole(payloadFolder + file.name);
    ASSERT_FALSE(expected.empty());
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    ASSERT_TRUE(data);
    EXPECT_EQ(std::string(data, ::SizeofResource(module, found)), expected);
  }
}

TEST(EmbeddedPayload, ThisProgramCarriesTheCatalogue) {
  const std::string folder = BuildFolder() + "payload\\";
  ExpectCatalogue(::GetModuleHandleA(nullptr), folder);
  for (const PayloadFile& file : PayloadCatalogue()) {
    EXPECT_EQ(static_cast<std::size_t>(file.size), ReadWhole(folder + file.name).size())
        << file.name;
  }
}

TEST(EmbeddedPayload, TheBuiltExesCarryTheCatalogue) {
  // This build's exe, and the 32-bit release exe beside it when that build exists.
  int checked = 0;
  for (const std::string& build : {BuildFolder(), BuildFolder() + "..\\win32\\"}) {
    const std::string exe = build + "Tovak.exe";
    if (::GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    SCOPED_TRACE(exe);
    HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << ::GetLastError();
    ExpectCatalogue(module, build + "payload\\");
    ::FreeLibrary(module);
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "no Tovak.exe built";
}

TEST(PayloadDeployment, WritesEveryFileThroughWin32) {
  Win32Platform win32;
  Platform& p = win32.platform();
  // The system drive of a throw-away Wine prefix, never a real machine's.
  if (!p.system.RunningUnderWine()) GTEST_SKIP() << "writes to the system drive: Wine only";
  const std::string root = GetSystemDriveRoot(p.system);
  const std::string folder = root + layout::kJobFolder + "\\";
  for (const std::string& made : {root + "boot", root + layout::kJobFolder}) {
    ASSERT_TRUE(p.files.CreateFolder(made) || p.lastError.Get() == error::kAlreadyExists);
  }

  ASSERT_TRUE(DeployBootFiles(p, PayloadCatalogue(), "C0FFEE42")) << p.lastError.Get();

  // All into the payload folder: the job renames those for the root into place. The image the
  // build made carries the placeholder where the token now is, and differs nowhere else.
  const std::string payload = BuildFolder() + "payload\\";
  for (const PayloadFile& file : PayloadCatalogue()) {
    std::string made = ReadWhole(payload + file.name);
    if (file.tokenOffset >= 0) {
      ASSERT_EQ(made.substr(static_cast<std::size_t>(file.tokenOffset), 8), kTokenPlaceholder);
      made.replace(static_cast<std::size_t>(file.tokenOffset), 8, "C0FFEE42");
    }
    EXPECT_EQ(ReadWhole(folder + file.name), made) << file.name;
  }
  EXPECT_EQ(FindFiles(p.files, p.ui, p.lastError, folder, "*").paths.size(), 21u);
  // Under Wine even a build with stand-ins may prepare a job.
  EXPECT_TRUE(PayloadDeployment(p).Deployable());
}

}  // namespace
}  // namespace tovak
