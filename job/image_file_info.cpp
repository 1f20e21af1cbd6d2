#include "job/image_file_info.h"

#include <cstdio>

#include "job/job_messages.h"
#include "job/path_rules.h"

namespace tovak {

bool ReadImageFileInfo(Platform& platform, const std::string& path, ImageFileInfo& info) {
  const std::uint32_t attributes = platform.files.GetAttributes(path);
  return attributes != attr::kInvalid && (attributes & attr::kDirectory) == 0 &&
         platform.files.FileLength(path, info.size) &&
         platform.files.LastWriteTime(path, info.written);
}

std::string FormatSize(std::uint64_t bytes) {
  static const char* const kUnits[] = {"KB", "MB", "GB"};
  if (bytes < 1024) return std::to_string(bytes) + messages::kBytes;
  double size = static_cast<double>(bytes) / 1024;
  int unit = 0;
  while (size >= 1024 && unit < 2) {
    size /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, unit == 2 ? "%.2f %s" : "%.1f %s", size, kUnits[unit]);
  return text;
}

std::string DescribeImageAtPath(Platform& platform, const std::string& path) {
  // Only a path the job takes as the image file itself; a folder shows nothing.
  ImageFileInfo info;
  if (!NamesImageFile(path) || !ReadImageFileInfo(platform, path, info)) return std::string();
  return std::string(messages::kImageAtPath) + FormatSize(info.size) + "，" +
         platform.system.LocalTimeText(info.written);
}

}  // namespace tovak
