#include "bench/timing.h"

namespace tovak::bench {
namespace {

// As the job flushes a file: opened anew for writing.
bool FlushFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = ::FlushFileBuffers(file) != 0;
  return ::CloseHandle(file) && flushed;
}

}  // namespace

double CopyWithCopyFileA(const std::string& from, const std::string& to,
                         const std::vector<std::string>& names, bool flushEach) {
  ::CreateDirectoryA(to.c_str(), nullptr);
  for (const std::string& name : names) ::DeleteFileA((to + "\\" + name).c_str());
  const LARGE_INTEGER start = Now();
  for (const std::string& name : names) {
    const std::string target = to + "\\" + name;
    if (!::CopyFileA((from + "\\" + name).c_str(), target.c_str(), FALSE)) return -1;
    if (flushEach && !FlushFile(target)) return -1;
  }
  return Milliseconds(start);
}

}  // namespace tovak::bench
