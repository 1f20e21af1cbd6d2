#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace tovak::win32 {
namespace {

class Win32Resources final : public Resources {
 public:
  bool LoadCustom(int id, std::string_view& bytes) override {
    HRSRC found = ::FindResourceExA(nullptr, "CUSTOM", MAKEINTRESOURCEA(id),
                                    MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    if (!found) return false;
    HGLOBAL loaded = ::LoadResource(nullptr, found);
    if (!loaded) return false;
    const void* data = ::LockResource(loaded);
    DWORD size = ::SizeofResource(nullptr, found);
    if (!data && size != 0) return false;
    bytes = std::string_view(static_cast<const char*>(data), size);
    return true;
  }
};

}  // namespace

std::unique_ptr<Resources> MakeResources() { return std::make_unique<Win32Resources>(); }

}  // namespace tovak::win32
