#include "job/boot_folder.h"

#include "job/job_messages.h"
#include "job/pending_job.h"

namespace tovak {
namespace {

// The files and folders below a folder, as paths relative to it; false when a listing failed.
bool ListTree(JobContext& job, const std::string& folder, std::vector<std::string>& files,
              std::vector<std::string>& folders) {
  Platform& p = job.platform;
  const std::string top = WithTrailingBackslash(folder);
  const Listing below = FindFolders(p.files, p.ui, p.lastError, top, "*.*");
  if (!below.complete) return false;
  for (const std::string& path : below.paths) folders.push_back(path.substr(top.size()));
  std::vector<std::string> all = below.paths;
  all.insert(all.begin(), top);
  for (const std::string& at : all) {
    const Listing here = FindFiles(p.files, p.ui, p.lastError, at, "*.*");
    if (!here.complete) return false;
    for (const std::string& path : here.paths) files.push_back(path.substr(top.size()));
  }
  return true;
}

// The first name of "boot" that "msboot" holds already, as a file or as a file in the way of a
// folder: a merge would write over it.
Presence FindClash(JobContext& job, const std::string& boot, const std::string& msboot,
                   std::string& clash) {
  std::vector<std::string> files, folders;
  if (!ListTree(job, boot, files, folders)) return Presence::Unknown;
  for (const std::string& name : files) {
    const Presence there = job.Entry(msboot + "\\" + name);
    if (there != Presence::Absent) {
      clash = name;
      return there;
    }
  }
  for (const std::string& name : folders) {
    const Presence there = job.File(msboot + "\\" + name);
    if (there != Presence::Absent) {
      clash = name;
      return there;
    }
  }
  return Presence::Absent;
}

bool SetAsideAsMsboot(JobContext& job, const std::string& boot, const std::string& msboot,
                      std::uint32_t& attributes) {
  FileSystem& files = job.platform.files;
  attributes = files.GetAttributes(boot);
  if (!files.Rename(boot, msboot)) return false;
  job.rollback.Add(Rollback::Phase::Folders, [&job, attributes] {
    // A "boot" kept for its saved copies is in the way: the folder stays "msboot".
    if (job.rollback.AllPutBack()) PutSetAsideBack(job, attributes);
  });
  return files.SetAttributes(msboot, attr::kNormal);
}

// Nothing in "msboot" has the name of a file of "boot" (the plan made sure), so whatever of those
// names "msboot" holds afterwards came from "boot" and can go back.
bool MergeIntoMsboot(JobContext& job, const std::string& boot, const std::string& msboot) {
  std::vector<std::string> files, folders;
  if (!ListTree(job, boot, files, folders)) return false;
  job.rollback.Add(Rollback::Phase::Folders, [&job, boot, msboot, files, folders] {
    auto make = [&job](const std::string& path) {
      return job.Entry(path) == Presence::Present || job.platform.files.CreateFolder(path);
    };
    // A "boot" that is there now is somebody else's, made since the job removed its own: the
    // user's files stay in "msboot".
    if (!job.rollback.AllPutBack() || !job.platform.files.CreateFolder(boot)) return;
    for (const std::string& folder : folders) make(boot + "\\" + folder);
    for (const std::string& name : files) {
      const std::string original = boot + "\\" + name, merged = msboot + "\\" + name;
      if (job.File(merged) != Presence::Present) continue;
      // A copy whose original is still in "boot" is just removed.
      if (job.File(original) == Presence::Present) {
        job.DeleteFile(merged);
      } else {
        job.control.MoveSingleFile(merged, original, true, true);
      }
    }
  });
  return job.control.MoveFolderTree(boot, msboot, true, true);
}

}  // namespace

bool PlanBootFolder(JobContext& job, BootFolderPlan& plan, std::string& refusal) {
  const std::string boot = job.Root() + layout::kBoot;
  const std::string msboot = job.Root() + layout::kSetAside;
  const Presence bootThere = job.Entry(boot);
  const Presence loader = DefaultStartsLoader(job);
  if (bootThere == Presence::Unknown || loader == Presence::Unknown) return false;
  if (loader == Presence::Present) {
    Operation operation;
    const Presence pending = LookForPendingJob(job, operation);
    if (pending == Presence::Unknown) return false;
    // Setting "boot" aside would save a boot.ini that starts the loader again at every start.
    if (pending == Presence::Absent) refusal = messages::kLoaderWithoutJob;
    plan = BootFolderPlan::Cancel;
    return true;
  }
  if (bootThere == Presence::Absent) {
    plan = BootFolderPlan::Fresh;
    return true;
  }
  JobRecord leftover;
  const Presence ownLeftover = LookForLeftover(job, leftover);
  if (ownLeftover == Presence::Unknown) return false;
  if (ownLeftover == Presence::Present) {
    plan = BootFolderPlan::Leftover;
    return true;
  }
  const Presence msbootThere = job.Entry(msboot);
  if (msbootThere == Presence::Unknown) return false;
  if (msbootThere == Presence::Absent) {
    plan = BootFolderPlan::SetAside;
    return true;
  }
  std::string clash;
  const Presence clashes = FindClash(job, boot, msboot, clash);
  if (clashes == Presence::Unknown) return false;
  if (clashes == Presence::Present) {
    refusal = messages::kMergeClashStart + clash + messages::kMergeClashEnd;
  }
  plan = BootFolderPlan::Merge;
  return true;
}

bool PutSetAsideBack(JobContext& job, std::uint32_t attributes) {
  const std::string boot = job.Root() + layout::kBoot;
  const std::string msboot = job.Root() + layout::kSetAside;
  FileSystem& files = job.platform.files;
  const Presence setAside = job.Entry(msboot);
  if (setAside != Presence::Present) return setAside == Presence::Absent;
  return files.Rename(msboot, boot) &&
         (attributes == attr::kInvalid || files.SetAttributes(boot, attr::Settable(attributes)));
}

bool PrepareBootFolder(JobContext& job, BootFolderPlan plan, std::uint32_t& setAside) {
  setAside = attr::kInvalid;
  const std::string boot = job.Root() + layout::kBoot;
  const std::string msboot = job.Root() + layout::kSetAside;
  if (plan == BootFolderPlan::Cancel || plan == BootFolderPlan::Leftover) {
    // The job it replaces is cancelled for good, or what a cut left of it removed: its "msboot"
    // is "boot" again, and set aside anew.
    JobRecord leftover;
    const bool cleared = plan == BootFolderPlan::Cancel
                             ? UndoPendingJob(job)
                             : LookForLeftover(job, leftover) == Presence::Present &&
                                   ClearLeftover(job, leftover);
    if (!cleared) return false;
    const Presence bootThere = job.Entry(boot);
    if (bootThere == Presence::Unknown) return false;
    plan = bootThere == Presence::Present ? BootFolderPlan::SetAside : BootFolderPlan::Fresh;
  }
  if (plan == BootFolderPlan::SetAside && !SetAsideAsMsboot(job, boot, msboot, setAside)) {
    return false;
  }
  if (plan == BootFolderPlan::Merge && !MergeIntoMsboot(job, boot, msboot)) return false;
  // Between the job and the restart nobody without rights may add, swap or read a file the DOS
  // side uses.
  const std::string jobFolder = job.Root() + layout::kJobFolder;
  if (!job.MakeClosedFolder(boot) || !job.MakeClosedFolder(jobFolder)) return false;
  // What the job writes goes first: it gives room to put the rest back.
  job.rollback.Add(Rollback::Phase::Remove,
                   [&job, jobFolder] { job.control.DeleteFolderTree(jobFolder); });
  return true;
}

}  // namespace tovak
