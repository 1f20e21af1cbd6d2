// The executable's own resources of type "CUSTOM".
#pragma once

#include <string_view>

namespace tovak {

class Resources {
 public:
  virtual ~Resources() = default;
  // The whole resource of type "CUSTOM", this id and language 2052 (Chinese, PRC), where it lies
  // for as long as the program runs: not copied (the boot image alone is megabytes).
  virtual bool LoadCustom(int id, std::string_view& bytes) = 0;
};

}  // namespace tovak
