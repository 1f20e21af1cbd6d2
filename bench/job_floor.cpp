#include <cstring>

#include "bench/timing.h"
#include "bench/xp_drive.h"

namespace tovak::bench {
namespace {

constexpr char kBytes[] = "C:\\bench-bytes\\";  // the job's files as it left them
constexpr char kFloor[] = "C:\\bench-floor\\";  // where the floor writes them

// As the job flushes a copy: opened anew for writing.
bool FlushFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = ::FlushFileBuffers(file) != 0;
  return ::CloseHandle(file) && flushed;
}

// Makes the bench's folder (a path that ends in a backslash) anew and empty.
bool MakeEmpty(const char* folder) {
  const std::string path = std::string(folder, std::strlen(folder) - 1);
  DeleteTree(std::wstring(path.begin(), path.end()));
  return ::CreateDirectoryA(folder, nullptr) != 0;
}

}  // namespace

bool JobFloor::Take() {
  folders_.clear();
  files_.clear();
  for (const char* name : {"boot.ini", "ntldr", "bootfont.bin", "g1ldr"}) files_.push_back(name);
  // The job's folder tree, parents before what they hold.
  std::vector<std::string> pending = {"boot"};
  while (!pending.empty()) {
    const std::string folder = pending.back();
    pending.pop_back();
    folders_.push_back(folder);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(("C:\\" + folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        pending.push_back(path);
      } else {
        files_.push_back(path);
      }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  if (!MakeEmpty(kBytes)) return false;
  for (const std::string& folder : folders_) {
    if (!::CreateDirectoryA((kBytes + folder).c_str(), nullptr)) return false;
  }
  for (const std::string& file : files_) {
    const std::string copy = kBytes + file;
    if (!::CopyFileA(("C:\\" + file).c_str(), copy.c_str(), FALSE)) return false;
    // Plain files, as the job writes them before it sets any attribute.
    ::SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  return true;
}

double JobFloor::Write() const {
  if (files_.empty()) return -1;
  if (!MakeEmpty(kFloor)) return -1;
  const LARGE_INTEGER start = Now();
  for (const std::string& folder : folders_) {
    if (!::CreateDirectoryA((kFloor + folder).c_str(), nullptr)) return -1;
  }
  for (const std::string& file : files_) {
    const std::string target = kFloor + file;
    if (!::CopyFileA((kBytes + file).c_str(), target.c_str(), FALSE)) return -1;
    if (!FlushFile(target)) return -1;
  }
  return Milliseconds(start);
}

}  // namespace tovak::bench
