// What the steps of one job share: the platform, the file operations, and what to put back.
#pragma once

#include <string>

#include "job/rollback.h"
#include "job/system_layout.h"
#include "platform/file_control.h"
#include "platform/file_search.h"
#include "platform/platform.h"
#include "platform/system_drive.h"

namespace tovak {

// The attributes the DOS side leaves on the root's files.
constexpr std::uint32_t kRootFileBits = attr::kReadOnly | attr::kHidden | attr::kSystem;

struct JobContext {
  Platform& platform;
  FileControl& control;
  Rollback& rollback;

  // Asked afresh for every path: nothing caches the system drive root.
  std::string Root() { return GetSystemDriveRoot(platform.system); }
  std::string InBoot(const std::string& name) { return Root() + layout::kBoot + "\\" + name; }
  // Where the files for the root are made before they are renamed into place.
  std::string Staged(const std::string& name) { return layout::JobFile(platform.system, name); }
  Presence File(const std::string& path) {
    return ProbeFile(platform.files, platform.lastError, path);
  }
  Presence Entry(const std::string& path) {
    return ProbeEntry(platform.files, platform.lastError, path);
  }
  Presence Attributes(const std::string& path, std::uint32_t& attributes) {
    return ProbeAttributes(platform.files, platform.lastError, path, attributes);
  }
  // Creates the folder closed to others; anything already at its place fails the step, as a
  // folder somebody else made there would let them read or swap what the job puts in it. A
  // failed job removes it again, unless a boot file could not be put back: the folder may hold
  // its only copy.
  bool MakeClosedFolder(const std::string& path);
  // The same for a folder that outlives the job (the image's, the record's): a failed job removes
  // it again only while it is empty. The create's own error when anything is at its place.
  bool MakeKeptFolder(const std::string& path, FolderAccess access);
  // Deletes a file whatever its attributes; true when it is gone.
  bool DeleteFile(const std::string& path) { return control.DeleteSingleFile(path, true); }
  // Fails the step with this code as the reason.
  bool Fail(std::uint32_t code) {
    platform.lastError.Set(code);
    return false;
  }
};

// A context of its own for a look or a cancel outside a job's run, which has its own.
struct OwnContext {
  explicit OwnContext(Platform& platform)
      : control(platform.files, platform.ui, platform.lastError),
        job{platform, control, rollback} {}
  OwnContext(const OwnContext&) = delete;
  OwnContext& operator=(const OwnContext&) = delete;

  Rollback rollback;
  FileControl control;
  JobContext job;
};

}  // namespace tovak
