// The executable's own resources of type "CUSTOM".
#pragma once

#include <string>

namespace tovak {

class Resources {
 public:
  virtual ~Resources() = default;
  // Reads the whole resource of type "CUSTOM", this id and language 2052 (Chinese, PRC).
  virtual bool LoadCustom(int id, std::string& bytes) = 0;
};

}  // namespace tovak
