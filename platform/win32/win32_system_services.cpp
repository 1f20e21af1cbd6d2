#include <windows.h>
#include <winioctl.h>
#include <ntsecapi.h>

#include <cstring>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace tovak::win32 {
namespace {

static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "the privilege request is one 16-byte entry");

HANDLE ToHandle(Handle h) { return reinterpret_cast<HANDLE>(h); }

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
