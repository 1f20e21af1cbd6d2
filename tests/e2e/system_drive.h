// The XP system drive that the test run puts on C: (boot.ini, ntldr and bootfont.bin, each
// read-only, hidden and system), as read before Tovak starts, and what a prepared job leaves on it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/disk.h"

namespace tovak::e2e {

constexpr char kXpBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
    "/noexecute=optin /fastdetect\r\n";
// The entry's title "Tovak备份工具" in the system's code page: GBK, or what 1252 holds of it.
constexpr char kGbkTitle[] = "Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF";
constexpr char k1252Title[] = "Tovak????";
constexpr DWORD kHiddenSystemReadOnly =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

// One of the program's values under HKLM, as a job leaves it.
bool RememberValue(const char* name, const std::string& value);
// D: without the restore's record that a job leaves there.
Snapshot ImageDriveWithoutRecord();

class SystemDrive {
 public:
  // The drive as the run prepared it; fails the test when it is not.
  void Read();
  // What every prepared job leaves: the changed boot.ini, the saved boot files, the payload, and
  // the job's two files.
  void ExpectPreparedJob(const std::string& stateLine, const std::wstring& script,
                         const std::string& scriptLine, const char* bootTitle = kGbkTitle) const;
  // The boot files and the root's names as they were read: no boot, msboot or g1ldr left.
  void ExpectAsRead() const;

 private:
  std::string ntldr_;
  std::string bootfont_;
  std::vector<std::wstring> rootNames_;
};

}  // namespace tovak::e2e
