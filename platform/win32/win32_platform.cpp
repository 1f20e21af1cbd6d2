#include "platform/win32/win32_platform.h"

namespace tovak {

Win32Platform::Win32Platform()
    : files_(win32::MakeFileSystem()),
      profile_(win32::MakeProfile()),
      ui_(win32::MakeUserInterface()),
      system_(win32::MakeSystemServices()),
      resources_(win32::MakeResources()),
      text_(win32::MakeAnsiText()),
      lastError_(win32::MakeLastError()),
      platform_{*files_, *profile_, *ui_, *system_, *resources_, *text_, *lastError_} {}

}  // namespace tovak
