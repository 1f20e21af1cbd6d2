#include "bench/timing.h"

namespace tovak::bench {

double CopyWithCopyFileA(const std::string& from, const std::string& to,
                         const std::vector<std::string>& names) {
  ::CreateDirectoryA(to.c_str(), nullptr);
  for (const std::string& name : names) ::DeleteFileA((to + "\\" + name).c_str());
  const LARGE_INTEGER start = Now();
  for (const std::string& name : names) {
    if (!::CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE)) return -1;
  }
  return Milliseconds(start);
}

}  // namespace tovak::bench
