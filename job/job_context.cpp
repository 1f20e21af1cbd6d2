#include "job/job_context.h"

namespace tovak {

bool JobContext::MakeFolder(const std::string& path) {
  const Presence there = Entry(path);
  if (there != Presence::Absent) return there == Presence::Present;
  if (!platform.files.CreateFolder(path)) return false;
  rollback.Add(Rollback::Phase::Folders, [this, path] {
    if (rollback.AllPutBack()) control.DeleteFolderTree(path);
  });
  return true;
}

}  // namespace tovak
