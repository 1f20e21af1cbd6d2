#include "job/job_context.h"

namespace tovak {

bool JobContext::MakeClosedFolder(const std::string& path) {
  if (!platform.files.CreateClosedFolder(path, FolderAccess::JobOnly)) return false;
  rollback.Add(Rollback::Phase::Folders, [this, path] {
    if (rollback.AllPutBack()) control.DeleteFolderTree(path);
  });
  return true;
}

}  // namespace tovak
