#include "job/job_context.h"

namespace tovak {

bool JobContext::CreateOrFindFolder(const std::string& path, bool& created) {
  created = platform.files.CreateFolder(path);
  if (created) return true;
  // Asked only when the creation failed: most folders of a job are new.
  const std::uint32_t why = platform.lastError.Get();
  const std::uint32_t attributes = platform.files.GetAttributes(path);
  if (attributes != attr::kInvalid && (attributes & attr::kDirectory) != 0) return true;
  return Fail(why);
}

bool JobContext::MakeFolder(const std::string& path) {
  bool created = false;
  if (!CreateOrFindFolder(path, created)) return false;
  if (!created) return true;
  rollback.Add(Rollback::Phase::Folders, [this, path] {
    if (rollback.AllPutBack()) control.DeleteFolderTree(path);
  });
  return true;
}

}  // namespace tovak
