#include "job/boot_files.h"

#include "job/boot_menu_entry.h"

namespace tovak {
namespace {

// Puts a root file back as its copy in "boot" holds it, with the attributes it had.
void RestoreFromBackup(JobContext& job, const std::string& path, const std::string& backup,
                       std::uint32_t attributes) {
  if (job.File(backup) != Presence::Present) return;
  job.control.CopySingleFile(backup, path, true, false);
  if (attributes != attr::kInvalid) job.platform.files.SetAttributes(path, attr::Settable(attributes));
}

}  // namespace

bool SaveAndChangeBootIni(JobContext& job) {
  const std::string ini = job.Root() + kBootIniFile.name;
  const std::string backup = job.Root() + "boot\\" + kBootIniFile.backup;
  const std::uint32_t attributes = job.platform.files.GetAttributes(ini);
  if (!job.control.CopySingleFile(ini, backup, true, false)) return false;
  job.rollback.Add([&job, ini, backup, attributes] { RestoreFromBackup(job, ini, backup, attributes); });
  return job.platform.files.SetAttributes(ini, attr::kNormal) && AddBootEntry(job.platform);
}

bool SaveBootFiles(JobContext& job) {
  for (const SavedBootFile& file : kMovedBootFiles) {
    const std::string path = job.Root() + file.name;
    const std::string backup = job.Root() + "boot\\" + file.backup;
    const Presence there = job.File(path);
    if (there == Presence::Unknown) return false;
    if (there == Presence::Absent) {
      // The deployment writes a file the system did not have.
      job.rollback.Add([&job, path] { job.DeleteFile(path); });
      // A missing g1ldr is simply not saved; a missing ntldr or bootfont.bin is reported by the move.
      if (std::string(file.name) == "g1ldr") continue;
    }
    const std::uint32_t attributes = job.platform.files.GetAttributes(path);
    if (!job.control.MoveSingleFile(path, backup, true, false)) return false;
    // Only a whole move has a copy worth putting back; a failed one left the file where it was.
    if (there == Presence::Present) {
      job.rollback.Add([&job, path, backup, attributes] {
        RestoreFromBackup(job, path, backup, attributes);
      });
    }
  }
  return true;
}

}  // namespace tovak
