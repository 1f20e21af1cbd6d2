#include "job/boot_folder.h"

namespace tovak {
namespace {

// Where a superseded job waits until the new one is prepared, so that a failure can bring it back.
constexpr const char* kSupersededFolder = "boot.superseded";

// A job of this tool that has not run: the runner deletes both files when it does.
Presence HoldsPendingJob(JobContext& job, const std::string& boot) {
  const Presence state = job.File(boot + "\\qelv\\state.txt");
  if (state != Presence::Present) return state;
  return job.File(boot + "\\qelv\\ghost.exe");
}

// Sets the root file aside in the superseded folder and puts back the copy the old job saved.
bool PutBackSavedFile(JobContext& job, const std::string& held, const SavedBootFile& file) {
  FileSystem& files = job.platform.files;
  const std::string path = job.Root() + file.name;
  const std::string aside = held + "\\" + file.name;
  const std::string saved = held + "\\" + file.backup;
  const Presence now = job.File(path);
  const Presence original = job.File(saved);
  if (now == Presence::Unknown || original == Presence::Unknown) return false;
  if (now == Presence::Present) {
    if (!files.Rename(path, aside)) return false;
    job.rollback.Add([&files, path, aside] { files.Rename(aside, path); });
  }
  if (original == Presence::Absent) return true;
  job.rollback.Add([&job, path] { job.DeleteFile(path); });
  return job.control.CopySingleFile(saved, path, true, false);
}

bool SupersedePendingJob(JobContext& job, const std::string& boot) {
  FileSystem& files = job.platform.files;
  const std::string held = job.Root() + kSupersededFolder;
  // Left by a job that was cut off half-way: it may hold the only copies of the boot files.
  const Presence leftover = job.Entry(held);
  if (leftover != Presence::Absent) {
    if (leftover == Presence::Present) job.platform.lastError.Set(error::kAlreadyExists);
    return false;
  }
  if (!files.Rename(boot, held)) return false;
  job.rollback.Add([&files, boot, held] { files.Rename(held, boot); });
  job.rollback.OnCommit([&job, held] { job.control.DeleteFolderTree(held); });
  if (!PutBackSavedFile(job, held, kBootIniFile)) return false;
  for (const SavedBootFile& file : kMovedBootFiles) {
    if (!PutBackSavedFile(job, held, file)) return false;
  }
  return true;
}

bool SetAsideAsMsboot(JobContext& job, const std::string& boot, const std::string& msboot) {
  FileSystem& files = job.platform.files;
  const std::uint32_t attributes = files.GetAttributes(boot);
  if (!files.Rename(boot, msboot)) return false;
  job.rollback.Add([&files, boot, msboot, attributes] {
    if (files.Rename(msboot, boot) && attributes != attr::kInvalid) {
      files.SetAttributes(boot, attr::Settable(attributes));
    }
  });
  return files.SetAttributes(msboot, attr::kNormal);
}

}  // namespace

bool PrepareBootFolder(JobContext& job) {
  const std::string boot = job.Root() + "boot";
  const std::string msboot = job.Root() + "msboot";
  Presence bootThere = job.Entry(boot);
  if (bootThere == Presence::Present) {
    const Presence pending = HoldsPendingJob(job, boot);
    if (pending == Presence::Unknown) return false;
    if (pending == Presence::Present) {
      if (!SupersedePendingJob(job, boot)) return false;
      bootThere = Presence::Absent;
    }
  }
  if (bootThere == Presence::Unknown) return false;
  if (bootThere == Presence::Present) {
    const Presence msbootThere = job.Entry(msboot);
    if (msbootThere == Presence::Unknown) return false;
    const bool setAside = msbootThere == Presence::Absent
                              ? SetAsideAsMsboot(job, boot, msboot)
                              : job.control.MoveFolderTree(boot, msboot, true, true);
    if (!setAside) return false;
  }
  return job.MakeFolder(boot) && job.MakeFolder(boot + "\\qelv");
}

}  // namespace tovak
