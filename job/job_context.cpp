#include "job/job_context.h"

namespace tovak {

bool JobContext::MakeClosedFolder(const std::string& path) {
  if (!platform.files.CreateClosedFolder(path, FolderAccess::JobOnly)) return false;
  rollback.Add(Rollback::Phase::Folders, [this, path] {
    if (rollback.AllPutBack()) control.DeleteFolderTree(path);
  });
  return true;
}

bool JobContext::MakeKeptFolder(const std::string& path, FolderAccess access) {
  FileSystem& files = platform.files;
  if (!files.CreateClosedFolder(path, access)) return false;
  rollback.Add(Rollback::Phase::Folders, [&files, path] { files.RemoveFolder(path); });
  return true;
}

}  // namespace tovak
