#include "job/image_file_info.h"

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
  if (bytes < 1024) return std::to_string(bytes) + messages::kBytes;
  // Whole numbers only: the C runtime's float formatting would double the program's code.
  static const struct {
    int shift;
    std::uint64_t scale;  // the decimals shown
    const char* unit;
  } kUnits[] = {{10, 10, " KB"}, {20, 10, " MB"}, {30, 100, " GB"}};
  int unit = bytes < (1u << 20) ? 0 : bytes < (1u << 30) ? 1 : 2;
  const std::uint64_t scaled =
      (bytes * kUnits[unit].scale + (1ull << (kUnits[unit].shift - 1))) >> kUnits[unit].shift;
  std::string decimals = std::to_string(scaled % kUnits[unit].scale);
  decimals.insert(0, (kUnits[unit].scale == 100 ? 2 : 1) - decimals.size(), '0');
  return std::to_string(scaled / kUnits[unit].scale) + "." + decimals + kUnits[unit].unit;
}

std::string DescribeImageAtPath(Platform& platform, const std::string& path) {
  // Only a path the job takes as the image file itself; a folder shows nothing.
  ImageFileInfo info;
  if (!NamesImageFile(path) || !ReadImageFileInfo(platform, path, info)) return std::string();
  return std::string(messages::kImageAtPath) + FormatSize(info.size) + "，" +
         platform.system.LocalTimeText(info.written);
}

}  // namespace tovak
