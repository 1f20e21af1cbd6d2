#include "job/pending_job.h"

#include "job/boot_files.h"
#include "job/boot_folder.h"
#include "job/boot_menu_entry.h"
#include "job/image_drive_record.h"
#include "job/job_record.h"
#include "platform/text_utf8.h"

namespace tovak {

Presence DefaultStartsLoader(JobContext& job) {
  // An empty answer is either no default or a boot.ini that could not be read: the last error
  // tells which, and taking an unreadable one for "no job" would save the job's boot.ini as the
  // system's own.
  job.platform.lastError.Set(error::kSuccess);
  const std::string root = job.Root();
  const std::string loader = ReadIniString(job.platform.profile, "boot loader", "default",
                                           root + layout::kBootIniFile.name);
  if (loader.empty()) {
    const std::uint32_t code = job.platform.lastError.Get();
    return code == error::kSuccess || code == error::kFileNotFound ? Presence::Absent
                                                                   : Presence::Unknown;
  }
  return LowerAscii(loader) == LowerAscii(root + "g1ldr") ? Presence::Present : Presence::Absent;
}

Presence LookForPendingJob(JobContext& job, Operation& operation) {
  const Presence loader = DefaultStartsLoader(job);
  if (loader != Presence::Present) return loader;
  FileSystem& files = job.platform.files;
  for (const std::string& path :
       {job.Staged(layout::kStateFile), job.Staged(layout::kImagingProgram),
        job.InBoot(layout::kBootIniFile.backup)}) {
    const Presence there = job.File(path);
    if (there != Presence::Present) return there;
  }
  // What would be put back or run: a file planted by somebody else is no job of ours.
  std::vector<std::string> saved = {job.Staged(layout::kStateFile),
                                    job.InBoot(layout::kBootIniFile.backup)};
  for (const layout::SavedBootFile& file : layout::kReplacedBootFiles) {
    saved.push_back(job.InBoot(file.backup));
  }
  for (const std::string& path : saved) {
    const Presence there = job.File(path);
    if (there == Presence::Unknown) return there;
    if (there == Presence::Present && files.OwnerOf(path) == Ownership::Untrusted) {
      return Presence::Absent;
    }
  }
  // The DOS side compares the whole first line, case included.
  std::string state;
  if (!files.Read(job.Staged(layout::kStateFile), 64, state)) return Presence::Unknown;
  const std::string line = state.substr(0, state.find_first_of("\r\n"));
  for (Operation candidate : {Operation::Backup, Operation::Restore}) {
    if (line == JobStateText(candidate)) {
      operation = candidate;
      return Presence::Present;
    }
  }
  return Presence::Absent;
}

bool UndoPendingJob(JobContext& job) {
  JobRecord record;
  const bool recorded = ReadJobRecord(job.platform, job.Staged(layout::kJobRecord), record);
  PutBack(job, job.Root() + layout::kBootIniFile.name, job.InBoot(layout::kBootIniFile.backup),
          kRootFileBits);
  // Until boot.ini is back, the job stays as it was: the next start still runs it.
  if (!job.rollback.AllPutBack()) return false;
  for (const layout::SavedBootFile& file : layout::kReplacedBootFiles) {
    const std::string path = job.Root() + file.name;
    const std::string saved = job.InBoot(file.backup);
    const Presence copy = job.File(saved);
    if (copy == Presence::Unknown) {
      job.rollback.Keep(path, saved);
    } else if (copy == Presence::Present) {
      PutBack(job, path, saved, kRootFileBits);
    } else if (job.File(path) == Presence::Present) {
      // The system had none: the job's own goes.
      job.DeleteFile(path);
    }
  }
  if (!job.rollback.AllPutBack()) return false;
  if (!job.control.DeleteFolderTree(job.Root() + layout::kBoot) ||
      !PutSetAsideBack(job, recorded ? record.setAsideAttributes : attr::kInvalid)) {
    return false;
  }
  // Copies a runner cut off before its commit made: the next run would have made them anew.
  for (const layout::RunnerCopy& runner : layout::kRunnerCopies) {
    if (job.File(job.Root() + runner.copy) == Presence::Present) {
      job.DeleteFile(job.Root() + runner.copy);
    }
  }
  // A restore's record waiting on the image's drive would tell of a restore that never ran.
  JobRecord waiting;
  if (recorded && !record.imageDriveMark.empty() &&
      ReadImageDriveRecord(job, record.imagePath, waiting) && !waiting.completed &&
      waiting.token == record.imageDriveMark) {
    job.DeleteFile(ImageDriveRecordPath(record.imagePath));
  }
  // The key of a job that will never run would make its missing result look like a cut-short job.
  return ForgetLastJob(job.platform);
}

Presence LookForLeftover(JobContext& job, JobRecord& record) {
  const Presence loader = DefaultStartsLoader(job);
  if (loader != Presence::Absent) return loader == Presence::Present ? Presence::Absent : loader;
  const Presence mark = job.File(job.Staged(layout::kJobRecord));
  if (mark != Presence::Present) return mark;
  std::string key;
  // Somebody's copy of a mark, or another machine's, is not this program's to remove.
  const bool ours = job.platform.system.ReadMachineValue(kLastJobValue, key) &&
                    ReadJobRecord(job.platform, job.Staged(layout::kJobRecord), record) &&
                    !record.completed && record.key == key &&
                    job.platform.files.OwnerOf(job.Staged(layout::kJobRecord)) !=
                        Ownership::Untrusted;
  return ours ? Presence::Present : Presence::Absent;
}

// A whole copy the runner made in the root and had not yet renamed over its file goes into place,
// as the runner would have put it; one whose saved file is gone is an earlier job's, and goes.
bool PutRunnerCopiesInPlace(JobContext& job) {
  FileSystem& files = job.platform.files;
  for (const layout::RunnerCopy& runner : layout::kRunnerCopies) {
    const std::string copy = job.Root() + runner.copy;
    const Presence there = job.File(copy);
    if (there != Presence::Present) {
      if (there == Presence::Unknown) return false;
      continue;
    }
    const Presence saved = job.File(job.InBoot(runner.file.backup));
    if (saved == Presence::Unknown) return false;
    const std::string target = job.Root() + runner.file.name;
    const bool placed = saved == Presence::Absent
                            ? job.DeleteFile(copy)
                            : (job.File(target) == Presence::Absent ||
                               files.SetAttributes(target, attr::kNormal)) &&
                                  files.Replace(copy, target) &&
                                  files.SetAttributes(target, kRootFileBits);
    if (!placed) return false;
  }
  return true;
}

bool ClearLeftover(JobContext& job, const JobRecord& record) {
  return PutRunnerCopiesInPlace(job) && job.control.DeleteFolderTree(job.Root() + layout::kBoot) &&
         PutSetAsideBack(job, record.setAsideAttributes);
}

}  // namespace tovak
