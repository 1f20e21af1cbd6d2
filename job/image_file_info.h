// What the user is told about an image file: its size and the time it was last written.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tovak {

struct ImageFileInfo {
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // as FILETIME counts
};

// False when no file is there (a folder is none).
bool ReadImageFileInfo(Platform& platform, const std::string& path, ImageFileInfo& info);
// "1.15 GB", "523.4 MB", "12.0 KB" or "17 字节".
std::string FormatSize(std::uint64_t bytes);
// The window's line for the file a path names, or empty when there is none: the size and the time.
std::string DescribeImageAtPath(Platform& platform, const std::string& path);

}  // namespace tovak
