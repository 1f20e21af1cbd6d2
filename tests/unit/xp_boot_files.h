// The system drive of an XP machine as the tests set it up: its boot.ini and the attributes of its
// root boot files. Shared by the unit tests and the fuzz targets.
#pragma once

#include <cstdint>

#include "platform/file_system.h"

namespace tovak::testing {

constexpr char kBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
    "/fastdetect\r\n";
constexpr std::uint32_t kBootFileBits = attr::kReadOnly | attr::kHidden | attr::kSystem;

}  // namespace tovak::testing
