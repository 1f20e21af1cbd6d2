// What the steps of one job share: the platform, the file operations, and what to put back.
#pragma once

#include <string>

#include "job/rollback.h"
#include "platform/file_control.h"
#include "platform/file_search.h"
#include "platform/platform.h"
#include "platform/system_drive.h"

namespace tovak {

// The root files the job sets aside in "boot", and the names of their copies there.
struct SavedBootFile {
  const char* name;
  const char* backup;
};
constexpr SavedBootFile kBootIniFile = {"boot.ini", "boot.bak"};
constexpr SavedBootFile kMovedBootFiles[] = {
    {"ntldr", "ntldr.bak"}, {"bootfont.bin", "bootfont.bak"}, {"g1ldr", "g1ldr.bak"}};

struct JobContext {
  Platform& platform;
  FileControl& control;
  Rollback& rollback;

  // Asked afresh for every path: nothing caches the system drive root.
  std::string Root() { return GetSystemDriveRoot(platform.system); }
  Presence File(const std::string& path) {
    return ProbeFile(platform.files, platform.lastError, path);
  }
  Presence Entry(const std::string& path) {
    return ProbeEntry(platform.files, platform.lastError, path);
  }
  // Creates the folder when it is missing, to be removed again if the job fails.
  bool MakeFolder(const std::string& path);
  // Deletes a file whatever its attributes; true when it is gone.
  bool DeleteFile(const std::string& path) { return control.DeleteSingleFile(path, true); }
};

}  // namespace tovak
