// The contract environment for the real Win32 layer: each case works in its own folder on the
// system drive. The helpers here use the wide functions, so they do not share the seam's ANSI
// conversion they are meant to check.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "tests/contract/contract_env.h"

namespace tovak::contract {
namespace {

const wchar_t kParent[] = L"C:\\tovak-contract";

// Best effort: clears read-only, hidden and system bits so that everything can go.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &data));
    ::FindClose(search);
  }
  ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(folder.c_str());
}

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// Wine gives each Windows process a Unix process and maps Z: to "/", so the kernel's own record
// of this process tells its effective user id without help from the test runner.
bool EffectiveUidIsRoot() {
  HANDLE file = ::CreateFileW(L"Z:\\proc\\self\\status", GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  ::CloseHandle(file);
  // "Uid:\treal\teffective\tsaved\tfilesystem"
  std::size_t at = text.find("\nUid:");
  unsigned real = 0, effective = 0;
  return at != std::string::npos &&
         std::sscanf(text.c_str() + at + 5, "%u %u", &real, &effective) == 2 && effective == 0;
}

class Win32Env final : public ContractEnv {
 public:
  Win32Env() {
    static int counter = 0;
    ::CreateDirectoryW(kParent, nullptr);
    folder_ = std::wstring(kParent) + L"\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
              std::to_wstring(++counter);
    RemoveTree(folder_);  // a leftover of an earlier process with the same id
    ::CreateDirectoryW(folder_.c_str(), nullptr);
  }

  ~Win32Env() override {
    RemoveTree(folder_);
    ::RemoveDirectoryW(kParent);  // only once the last process's folders are gone
  }

  Platform& platform() override { return win32_.platform(); }

  std::string Base() override { return Narrow(folder_); }

  bool ReadBytes(const std::string& path, std::string& bytes) override {
    bytes.clear();
    std::wstring wide = win32::Utf8ToWide(path);
    if (wide.empty()) return false;
    HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) {
      bytes.append(buffer, got);
    }
    ::CloseHandle(file);
    return ok;
  }

  bool IsWine() override { return platform().system.RunningUnderWine(); }

  bool IsWineAsRoot() override { return IsWine() && EffectiveUidIsRoot(); }

 private:
  Win32Platform win32_;
  std::wstring folder_;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<Win32Env>(); }

}  // namespace tovak::contract
