#include "tests/e2e/system_drive.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/disk.h"
#include "tests/e2e/e2e_env.h"

namespace tovak::e2e {
namespace {

std::string JobBootIni(const std::string& title) {
  return "[boot loader]\r\n"
         "timeout=0\r\n"
         "default=C:\\g1ldr\r\n"
         "[operating systems]\r\n"
         "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
         "/noexecute=optin /fastdetect\r\n"
         "C:\\g1ldr=" + title + "\r\n";
}

const wchar_t* const kRootPayload[] = {L"bootfont.bin", L"ntldr", L"g1ldr"};
const wchar_t* const kFolderPayload[] = {
    L"e2fs_stage1_5",  L"fastfat.sys",       L"fat_stage1_5",  L"ffs_stage1_5",
    L"iso9660_stage1_5", L"jfs_stage1_5",    L"memdisk.gz",    L"menu.lst",
    L"minix_stage1_5", L"ntfs_stage1_5",     L"reiserfs_stage1_5", L"stage1",
    L"stage2",         L"ufs2_stage1_5",     L"vstafs_stage1_5", L"xfs_stage1_5",
    L"qelv.img",       L"ghost.exe"};

// Byte for byte, reported by size and first difference: the files run to megabytes.
::testing::AssertionResult SameBytes(const std::wstring& written, const std::wstring& source) {
  const auto got = ReadBytes(written);
  const auto want = ReadBytes(source);
  if (!want) return ::testing::AssertionFailure() << "cannot read " << Narrow(source);
  if (!got) return ::testing::AssertionFailure() << Narrow(written) << " is missing";
  if (*got == *want) return ::testing::AssertionSuccess();
  const auto diff = std::mismatch(got->begin(), got->end(), want->begin(), want->end());
  return ::testing::AssertionFailure()
         << Narrow(written) << ": " << got->size() << " bytes, " << want->size()
         << " expected; first difference at byte " << (diff.first - got->begin());
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The first line of the record beside the job: eight hex digits.
std::string JobToken() {
  const std::string record = ReadBytes(L"C:\\boot\\qelv\\job.txt").value_or("");
  const std::string token = record.substr(0, record.find("\r\n"));
  EXPECT_TRUE(token.size() == 8 && token.find_first_not_of("0123456789ABCDEF") == std::string::npos)
      << record;
  return token;
}

}  // namespace

void SystemDrive::Read() {
  ASSERT_EQ(ReadBytes(L"C:\\boot.ini"), kXpBootIni);
  for (const wchar_t* file : {L"C:\\boot.ini", L"C:\\ntldr", L"C:\\bootfont.bin"}) {
    ASSERT_EQ(Attributes(file) & kHiddenSystemReadOnly, kHiddenSystemReadOnly) << Narrow(file);
  }
  ntldr_ = ReadBytes(L"C:\\ntldr").value_or("");
  bootfont_ = ReadBytes(L"C:\\bootfont.bin").value_or("");
  rootNames_ = Names(L"C:");
}

void SystemDrive::ExpectPreparedJob(const std::string& stateLine, const std::wstring& script,
                                    const std::string& scriptLine, const char* bootTitle) const {
  EXPECT_EQ(ReadBytes(L"C:\\boot.ini"), JobBootIni(bootTitle));
  EXPECT_EQ(Attributes(L"C:\\boot.ini") & kHiddenSystemReadOnly, 0u);
  EXPECT_EQ(Names(L"C:\\boot"), Sorted({L"boot.bak", L"bootfont.bak", L"ntldr.bak", L"qelv"}));
  EXPECT_EQ(ReadBytes(L"C:\\boot\\boot.bak"), kXpBootIni);
  EXPECT_EQ(ReadBytes(L"C:\\boot\\ntldr.bak"), ntldr_);
  EXPECT_EQ(ReadBytes(L"C:\\boot\\bootfont.bak"), bootfont_);
  for (const wchar_t* saved : {L"boot.bak", L"ntldr.bak", L"bootfont.bak"}) {
    EXPECT_EQ(Attributes(std::wstring(L"C:\\boot\\") + saved) & kHiddenSystemReadOnly, 0u)
        << Narrow(saved);
  }
  EXPECT_EQ(ReadBytes(L"C:\\boot\\qelv\\state.txt"), stateLine + "\r\n");
  EXPECT_EQ(ReadBytes(L"C:\\boot\\qelv\\" + script), scriptLine + "\r\n");

  const std::wstring payload = BuildFolder() + L"payload\\";
  std::vector<std::wstring> root = rootNames_;
  root.push_back(L"boot");
  root.push_back(L"g1ldr");
  EXPECT_EQ(Names(L"C:"), Sorted(root)) << "the root gains boot and g1ldr only";
  for (const wchar_t* name : kRootPayload) {
    EXPECT_TRUE(SameBytes(std::wstring(L"C:\\") + name, payload + name));
  }
  // The image differs from the build's only in the token that the record beside the job holds.
  const std::string token = JobToken();
  std::vector<std::wstring> folder = {L"state.txt", script, L"job.txt"};
  const std::string operation = stateLine == "msback.bat" ? "backup" : "restore";
  const std::string record = ReadBytes(L"C:\\boot\\qelv\\job.txt").value_or("");
  EXPECT_NE(record.find("\r\n" + operation + "\r\n"), std::string::npos) << record;
  // Where the runner leaves the completed record, which the next start reads.
  EXPECT_NE(record.find("\r\n\\windows\\Tovak\r\n"), std::string::npos) << record;
  EXPECT_NE(Attributes(L"C:\\windows\\Tovak") & FILE_ATTRIBUTE_DIRECTORY, 0u);
  // The key that the next start trusts a record by, where only administrators write; the
  // registry goes into the backup image, and the token must not.
  char remembered[64] = {};
  DWORD size = sizeof remembered;
  EXPECT_EQ(::RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tovak", "LastJob", RRF_RT_REG_SZ,
                           nullptr, remembered, &size), ERROR_SUCCESS);
  EXPECT_EQ(record.find(token + "\r\n" + remembered + "\r\n"), 0u) << record;
  EXPECT_NE(std::string(remembered), token);
  // A restore's record on the image's drive, which the runner finds by the mark on line 8.
  const std::string mark = record.substr(record.rfind("\r\n", record.size() - 3) + 2);
  if (operation == "backup") {
    EXPECT_EQ(mark, "none\r\n") << record;
  } else {
    EXPECT_EQ(mark.size(), 10u) << record;
    EXPECT_EQ(ReadBytes(L"D:\\Tovak\\tovakjob.txt"), mark + record.substr(token.size() + 2))
        << record;
  }
  for (const wchar_t* name : kFolderPayload) {
    folder.push_back(name);
    if (std::wstring(name) == L"qelv.img") continue;
    EXPECT_TRUE(SameBytes(std::wstring(L"C:\\boot\\qelv\\") + name, payload + name));
  }
  auto image = ReadBytes(payload + L"qelv.img");
  const auto offset = ReadBytes(payload + L"token-offset.txt");
  ASSERT_TRUE(image && offset);
  image->replace(std::stoul(*offset), token.size(), token);
  EXPECT_EQ(ReadBytes(L"C:\\boot\\qelv\\qelv.img"), image);
  EXPECT_EQ(Names(L"C:\\boot\\qelv"), Sorted(folder));
}

// One of the program's values under HKLM, as a job leaves it.
bool RememberValue(const char* name, const std::string& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tovak", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool set = ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return set;
}

Snapshot ImageDriveWithoutRecord() {
  Snapshot drive = TakeSnapshot(L"D:", 4);
  for (auto it = drive.begin(); it != drive.end();) {
    it = it->first.rfind(L"D:\\Tovak", 0) == 0 ? drive.erase(it) : std::next(it);
  }
  return drive;
}

void SystemDrive::ExpectAsRead() const {
  EXPECT_EQ(ReadBytes(L"C:\\boot.ini"), kXpBootIni);
  EXPECT_EQ(ReadBytes(L"C:\\ntldr"), ntldr_);
  EXPECT_EQ(ReadBytes(L"C:\\bootfont.bin"), bootfont_);
  EXPECT_EQ(Names(L"C:"), rootNames_) << "no boot, msboot or g1ldr left";
}

}  // namespace tovak::e2e
