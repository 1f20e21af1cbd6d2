#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace tovak::win32 {
namespace {

class Win32LastError final : public LastError {
 public:
  std::uint32_t Get() override { return ::GetLastError(); }
  void Set(std::uint32_t code) override { ::SetLastError(code); }
};

}  // namespace

std::unique_ptr<LastError> MakeLastError() { return std::make_unique<Win32LastError>(); }

}  // namespace tovak::win32
