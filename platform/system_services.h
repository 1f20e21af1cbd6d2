// The system directory, the version word, the process token and the restart request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tovak {

using Handle = std::uintptr_t;

// Where a drive lives, as IOCTL_STORAGE_GET_DEVICE_NUMBER tells it: the disk counted from 0 and the
// partition counted from 1.
struct DevicePlace {
  std::uint32_t device = 0;
  std::uint32_t partition = 0;
};

struct Luid {
  std::uint32_t low = 0;
  std::int32_t high = 0;
};

class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // As GetSystemDirectoryA into a buffer of 260 bytes; empty when Windows does not supply it.
  virtual std::string SystemDirectory() = 0;
  // As GetVersion: the top bit is set on the Windows 9x family.
  virtual std::uint32_t Version() = 0;
  virtual Handle CurrentProcess() = 0;
  virtual bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) = 0;
  // LookupPrivilegeValueA on the local system.
  virtual bool LookupPrivilege(const std::string& name, Luid& luid) = 0;
  // AdjustTokenPrivileges with one entry (a 16-byte request) and a previous-state record.
  virtual bool AdjustPrivilege(Handle token, const Luid& luid, std::uint32_t attributes) = 0;
  virtual bool CloseHandle(Handle handle) = 0;
  // ExitWindowsEx.
  virtual bool RequestExit(std::uint32_t flags, std::uint32_t reserved) = 0;
  // The disk and partition of a drive such as "C:"; false when Windows cannot tell.
  virtual bool DriveDevicePlace(const std::string& drive, DevicePlace& place) = 0;
  // Wine, not Windows, runs the program: ntdll exports wine_get_version.
  virtual bool RunningUnderWine() = 0;
  // The program runs with the Administrators group enabled in its token (CheckTokenMembership).
  virtual bool RunsAsAdministrator() = 0;
  // The system's own text for an error code (FormatMessage), without the trailing line break.
  virtual std::string ErrorText(std::uint32_t code) = 0;
  // Bytes from the system's random source (RtlGenRandom), which nobody can foresee.
  virtual bool RandomBytes(unsigned char* buffer, std::size_t size) = 0;
  // Now, in 100-ns steps since 1601 (UTC); and such a time as the user's clock shows it,
  // "YYYY-MM-DD HH:MM".
  virtual std::uint64_t Now() = 0;
  virtual std::string LocalTimeText(std::uint64_t time) = 0;
  // The program's values under HKEY_LOCAL_MACHINE, where only administrators write. Reading a
  // value that is not there fails with ERROR_FILE_NOT_FOUND.
  virtual bool ReadMachineValue(const std::string& name, std::string& value) = 0;
  virtual bool WriteMachineValue(const std::string& name, const std::string& value) = 0;
  virtual bool DeleteMachineValue(const std::string& name) = 0;
};

}  // namespace tovak
