#include "job/record_folder.h"

#include "job/job_messages.h"

namespace tovak {
namespace {

enum class Place { Empty, Ours, Taken, Unknown };

// Ours: a folder of its own, no junction into somebody else's, that an administrator made.
Place LookAt(JobContext& job, const std::string& folder) {
  std::uint32_t attributes = 0;
  const Presence there = job.Attributes(folder, attributes);
  if (there != Presence::Present) return there == Presence::Absent ? Place::Empty : Place::Unknown;
  FileSystem& files = job.platform.files;
  const bool ours = (attributes & attr::kDirectory) != 0 &&
                    (attributes & attr::kReparsePoint) == 0 &&
                    files.OwnerOf(folder) != Ownership::Untrusted;
  return ours ? Place::Ours : Place::Taken;
}

}  // namespace

bool PlanRecordFolder(JobContext& job, const std::string& folder, std::string& refusal) {
  const Place place = LookAt(job, folder);
  if (place == Place::Taken) {
    refusal = messages::kRecordFolderTakenStart + folder + messages::kRecordFolderTakenEnd;
  }
  return place != Place::Unknown;
}

bool RecordFolderUsable(JobContext& job, const std::string& folder) {
  const Place place = LookAt(job, folder);
  return place == Place::Empty || place == Place::Ours;
}

bool PrepareRecordFolder(JobContext& job, const std::string& folder) {
  if (job.MakeKeptFolder(folder, FolderAccess::JobOnly)) return true;
  // Kept from an earlier job; made by somebody else in the instant since the plan, it is not ours.
  const std::uint32_t why = job.platform.lastError.Get();
  if (why != error::kAlreadyExists || LookAt(job, folder) != Place::Ours) return job.Fail(why);
  return job.platform.files.CloseToOthers(folder);
}

}  // namespace tovak
