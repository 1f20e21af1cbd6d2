// The XP boot files of the run's C:, put back before each timing of Tovak so that every one starts
// from the same drive: a job left prepared, or its remembered key, would make the next start ask
// or tell about it first. The record folder stays, as after a first job.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tovak::bench {

// Removes a file, or a folder with all it holds, whatever their attributes.
void DeleteTree(const std::wstring& path);

class XpDrive {
 public:
  XpDrive();  // takes the drive as it is now
  void Restore() const;

 private:
  struct SavedFile {
    std::wstring path;
    std::string bytes;
    DWORD attributes;
  };
  std::vector<SavedFile> files_;
};

}  // namespace tovak::bench
