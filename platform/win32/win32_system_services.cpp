#include <windows.h>
#include <winioctl.h>
#include <ntsecapi.h>
#include <aclapi.h>

#include <cstring>

#include "platform/date_time_text.h"
#include "platform/win32/win32_file_security.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "the privilege request is one 16-byte entry");

HANDLE ToHandle(Handle h) { return reinterpret_cast<HANDLE>(h); }

// The program's key under HKEY_LOCAL_MACHINE.
constexpr char kKey[] = "SOFTWARE\\Tovak";

// RegGetValue is not on XP.
LONG QueryMachineValue(const std::string& name, DWORD* type, char* buffer, DWORD* size) {
  HKEY key = nullptr;
  LONG result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key);
  if (result != ERROR_SUCCESS) return result;
  result = ::RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(buffer), size);
  ::RegCloseKey(key);
  return result;
}

// A key that was there already is the program's only when an administrator made it; its list is
// closed again, as an earlier version may have left it.
LONG AdoptKey(HKEY key, ClosedDescriptor& closed) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  LONG result = static_cast<LONG>(::GetSecurityInfo(key, SE_REGISTRY_KEY, OWNER_SECURITY_INFORMATION,
                                                    &owner, nullptr, nullptr, nullptr, &descriptor));
  if (result == ERROR_SUCCESS && (!owner || !IsTrustedOwner(owner))) result = ERROR_ACCESS_DENIED;
  ::LocalFree(descriptor);
  if (result != ERROR_SUCCESS) return result;
  return static_cast<LONG>(::SetSecurityInfo(
      key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      nullptr, nullptr, &closed.list.acl, nullptr));
}

class Win32SystemServices final : public SystemServices {
 public:
  std::string SystemDirectory() override {
    char buffer[260] = {};
    UINT n = ::GetSystemDirectoryA(buffer, sizeof buffer);
    if (n == 0) return std::string();
    KeepLastError keep;
    // A result too long for the buffer leaves it unfilled: the text before the first NUL is empty.
    std::string utf8;
    AnsiToUtf8(std::string(buffer, strnlen(buffer, sizeof buffer)), utf8);
    return utf8;
  }

  std::uint32_t Version() override { return ::GetVersion(); }

  bool DriveDevicePlace(const std::string& drive, DevicePlace& place) override {
    std::string ansi;
    if (!Utf8ToAnsi("\\\\.\\" + drive, ansi)) return false;
    // No access asked: the question needs none, and no administrator rights.
    HANDLE volume = ::CreateFileA(ansi.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    if (volume == INVALID_HANDLE_VALUE) return false;
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    const bool told = ::DeviceIoControl(volume, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0,
                                        &number, sizeof number, &returned, nullptr) != 0 &&
                      returned >= sizeof number;
    KeepLastError keep;
    ::CloseHandle(volume);
    if (!told) return false;
    place.device = number.DeviceNumber;
    place.partition = number.PartitionNumber;
    return true;
  }

  Handle CurrentProcess() override { return reinterpret_cast<Handle>(::GetCurrentProcess()); }

  bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override {
    HANDLE h = nullptr;
    BOOL ok = ::OpenProcessToken(ToHandle(process), access, &h);
    token = reinterpret_cast<Handle>(h);
    return ok != 0;
  }

  bool LookupPrivilege(const std::string& name, Luid& luid) override {
    std::string ansi;
    LUID value = {};
    if (!Utf8ToAnsi(name, ansi) || !::LookupPrivilegeValueA(nullptr, ansi.c_str(), &value)) {
      return false;
    }
    luid.low = value.LowPart;
    luid.high = value.HighPart;
    return true;
  }

  bool AdjustPrivilege(Handle token, const Luid& luid, std::uint32_t attributes) override {
    TOKEN_PRIVILEGES request = {};
    request.PrivilegeCount = 1;
    request.Privileges[0].Luid.LowPart = luid.low;
    request.Privileges[0].Luid.HighPart = luid.high;
    request.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previous = {};
    DWORD returnLength = 0;
    // Success still leaves ERROR_NOT_ALL_ASSIGNED when the account lacks the privilege.
    return ::AdjustTokenPrivileges(ToHandle(token), FALSE, &request, sizeof request, &previous,
                                   &returnLength) != 0;
  }

  bool CloseHandle(Handle handle) override { return ::CloseHandle(ToHandle(handle)) != 0; }

  bool RequestExit(std::uint32_t flags, std::uint32_t reserved) override {
    return ::ExitWindowsEx(flags, reserved) != 0;
  }

  bool RunsAsAdministrator() override {
    KeepLastError keep;
    return IsAdministratorsMember();
  }

  bool RunningUnderWine() override {
    KeepLastError keep;
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
  }

  bool RandomBytes(unsigned char* buffer, std::size_t size) override {
    // It says nothing of why it failed.
    if (::RtlGenRandom(buffer, static_cast<ULONG>(size))) return true;
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }

  std::uint64_t Now() override {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  }

  std::string LocalTimeText(std::uint64_t time) override {
    KeepLastError keep;
    FILETIME utc{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    FILETIME local;
    SYSTEMTIME parts;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &parts)) {
      return std::string();
    }
    return DateTimeText(parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute);
  }

  bool ReadMachineValue(const std::string& name, std::string& value) override {
    char buffer[256];
    DWORD size = sizeof buffer - 1, type = 0;
    const LONG result = QueryMachineValue(name, &type, buffer, &size);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
      ::SetLastError(result != ERROR_SUCCESS ? result : ERROR_INVALID_DATA);
      return false;
    }
    buffer[size] = '\0';
    value = buffer;  // the program writes ASCII only
    return true;
  }

  bool WriteMachineValue(const std::string& name, const std::string& value) override {
    // Users may read HKLM\SOFTWARE: the key is closed from its creation on, and one that somebody
    // else made is not taken for the program's.
    ClosedDescriptor closed;
    HKEY key = nullptr;
    DWORD disposition = 0;
    LONG result = MakeClosedDescriptor(closed, KEY_ALL_ACCESS) ? ERROR_SUCCESS
                                                               : static_cast<LONG>(::GetLastError());
    if (result == ERROR_SUCCESS) {
      SECURITY_ATTRIBUTES attributes = {sizeof attributes, &closed.descriptor, FALSE};
      result = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_SET_VALUE | READ_CONTROL | WRITE_DAC, &attributes, &key,
                                 &disposition);
    }
    if (result == ERROR_SUCCESS) {
      if (disposition == REG_OPENED_EXISTING_KEY) result = AdoptKey(key, closed);
      if (result == ERROR_SUCCESS) {
        result = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1));
      }
      // On the disk before the restart, as the job's files are.
      if (result == ERROR_SUCCESS) result = ::RegFlushKey(key);
      ::RegCloseKey(key);
    }
    ::SetLastError(result);
    return result == ERROR_SUCCESS;
  }

  bool DeleteMachineValue(const std::string& name) override {
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key);
    if (result == ERROR_SUCCESS) {
      result = ::RegDeleteValueA(key, name.c_str());
      ::RegCloseKey(key);
    }
    ::SetLastError(result);
    return result == ERROR_SUCCESS;
  }

  std::string ErrorText(std::uint32_t code) override {
    KeepLastError keep;
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0) AnsiToUtf8(std::string(buffer, length), text);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
      text.pop_back();
    }
    return text.empty() ? "错误 " + std::to_string(code) : text;
  }
};

}  // namespace

std::unique_ptr<SystemServices> MakeSystemServices() {
  return std::make_unique<Win32SystemServices>();
}

}  // namespace tovak::win32
