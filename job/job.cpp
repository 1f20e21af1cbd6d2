#include "job/job.h"

#include <functional>
#include <utility>

#include "job/boot_files.h"
#include "job/boot_folder.h"
#include "job/image_drive_record.h"
#include "job/image_file_info.h"
#include "job/job_context.h"
#include "job/job_messages.h"
#include "job/job_record.h"
#include "job/failure_outcome.h"
#include "job/path_rules.h"
#include "job/record_folder.h"

namespace tovak {
namespace {

Outcome Refused(std::string text) { return {Outcome::Kind::Refused, std::move(text)}; }

// The Ghost command lines always image partition 1:1 and restore onto it; on another layout the
// job would image or overwrite the wrong partition. An address the map did not find says nothing.
const char* MappedLayoutRefusal(const DriveAddresses& mapped) {
  constexpr const char* kFirstPartition = "1:1";
  if (!mapped.system.empty() && mapped.system != kFirstPartition) {
    return messages::kSystemNotFirstPartition;
  }
  if (mapped.image == kFirstPartition) return messages::kImageOnFirstPartition;
  return nullptr;
}

// Without the drive map Windows can still say cheaply where the system drive lives; on another
// layout every start would end in the pre-boot loader's error. No answer says nothing.
const char* SystemPlaceRefusal(SystemServices& system, const std::string& root) {
  DevicePlace place;
  if (!system.DriveDevicePlace(root.substr(0, 2), place)) return nullptr;
  const bool first = place.device == 0 && place.partition == 1;
  return first ? nullptr : messages::kSystemNotFirstPartition;
}

// One of the program's values under HKLM; the earlier one comes back when the job fails, also
// when the write itself failed half-way (its flush, say).
bool RememberValue(JobContext& job, const char* name, const std::string& value) {
  SystemServices& system = job.platform.system;
  std::string earlier;
  const bool had = system.ReadMachineValue(name, earlier);
  if (!had && job.platform.lastError.Get() != error::kFileNotFound) return false;
  job.rollback.Add(Rollback::Phase::PutBack, [&system, name, had, earlier] {
    if (had) {
      system.WriteMachineValue(name, earlier);
    } else {
      system.DeleteMachineValue(name);
    }
  });
  return system.WriteMachineValue(name, value);
}

// The key of the job whose record the next start may show, and what the job is: without a record
// that start knows it from a job that never reported.
bool RememberLastJob(JobContext& job, const JobRecord& record) {
  return RememberValue(job, kLastJobValue, record.key) &&
         RememberValue(job, kLastJobInfoValue, LastJobInfoText(record));
}

// A backup's image file must not name a folder, nor its folder a file: Ghost would fail after the
// restart, and the job would only have restarted the machine for nothing. False when the place
// could not be looked at.
bool ImagePlaceRefusal(JobContext& job, const ImagePath& image, std::string& refusal) {
  const bool imageFile = image.namesFile;
  const std::string place = imageFile ? image.text : image.folder;
  std::uint32_t attributes = 0;
  const Presence there = job.Attributes(place, attributes);
  if (there == Presence::Unknown) return false;
  if (there == Presence::Present && ((attributes & attr::kDirectory) != 0) == imageFile) {
    refusal = "“" + place + (imageFile ? messages::kImageIsFolderEnd : messages::kImageFolderIsFileEnd);
  }
  return true;
}

// What is at the image path before the job: the next start tells this job's image from an earlier
// one by it. False when the path could not be looked at.
bool NoteImageBefore(JobContext& job, JobRecord& record) {
  std::uint32_t attributes = 0;
  const Presence there = job.Attributes(record.imagePath, attributes);
  if (there != Presence::Present) return there == Presence::Absent;
  if ((attributes & attr::kDirectory) != 0) return true;
  ImageFileInfo image;
  record.imageWasThere = ReadImageFileInfo(job.platform, record.imagePath, image);
  record.sizeBefore = image.size;
  record.writtenBefore = image.written;
  return record.imageWasThere;
}

// Made for the job when missing, readable by administrators and backup operators only: an image
// holds the system's registry, password hashes among it. A folder the user picked keeps its own
// list. Removed again on failure while it is still empty.
bool PrepareImageFolder(JobContext& job, const std::string& folder) {
  if (job.MakeKeptFolder(folder, FolderAccess::Images)) return true;
  const std::uint32_t why = job.platform.lastError.Get();
  const std::uint32_t attributes = job.platform.files.GetAttributes(folder);
  return (attributes != attr::kInvalid && (attributes & attr::kDirectory) != 0) || job.Fail(why);
}

}  // namespace

Job::Job(Platform& platform, DriveMap& driveMap, BootDeployment& deployment, JobTimer* timer)
    : platform_(platform), driveMap_(driveMap), deployment_(deployment), timer_(timer) {}

Outcome Job::Prepare(const JobRequest& request) {
  if (timer_) timer_->Began();
  Outcome outcome = CheckAndRun(request);
  if (timer_) timer_->Ended();
  return outcome;
}

Outcome Job::CheckAndRun(const JobRequest& request) {
  const ImagePath& image = request.image;
  // Every change would fail on the first write; nothing is tried.
  if (!platform_.system.RunsAsAdministrator()) return Refused(messages::kNotAdministrator);
  if (!deployment_.Deployable()) return Refused(messages::kSandboxBuild);
  // Without the system drive every path of the job would be relative to the current folder.
  const std::string root = GetSystemDriveRoot(platform_.system);
  if (root.size() < 2) return Refused(messages::kNoSystemDrive);
  if (OnSystemDrive(image, root)) return Refused(messages::kSystemPartition);
  const std::string refusal = PathRefusal(image.text, platform_.text);
  if (!refusal.empty()) return Refused(refusal);
  RecordPlace record;
  if (!FindRecordFolder(platform_.system, record.folder, record.fromRoot)) {
    return Refused(messages::kWindowsFolderUnnamed);
  }

  DriveAddresses mapped;
  if (request.mapDisks) {
    mapped = driveMap_.MapDrivesToPartitions(image.drive, root.substr(0, 2));
  }
  const char* layout = request.mapDisks ? MappedLayoutRefusal(mapped)
                                        : SystemPlaceRefusal(platform_.system, root);
  if (layout) return Refused(layout);
  // Ghost has no partition 0: a drive that neither the map nor the fixed table knows cannot be
  // addressed, and the job would only restart the machine for nothing.
  if (mapped.image.empty() && PartitionNumber(image.drive) == 0) {
    return Refused(request.mapDisks ? messages::kUnknownPartitionMapped
                                    : messages::kUnknownPartition);
  }

  const std::string command = GhostCommandLine(request, mapped.image);
  std::string ansiCommand;
  if (!platform_.text.ToAnsi(command, ansiCommand) || !FitsCommandTail(ansiCommand)) {
    return Refused(messages::kTooLong);
  }
  return Run(request, command, record);
}

Outcome Job::Run(const JobRequest& request, const std::string& command,
                 const RecordPlace& recordPlace) {
  const ImagePath& image = request.image;
  Rollback rollback;
  FileControl control(platform_.files, platform_.ui, platform_.lastError);
  JobContext job{platform_, control, rollback};
  // A step that fails puts back what the earlier ones changed, then says what failed and why.
  auto fail = [&](const char* step) {
    const std::uint32_t code = platform_.lastError.Get();
    rollback.Run();
    return FailureOutcome(platform_, rollback, std::string(step) + messages::kStepFailed, code,
                          messages::kRolledBack);
  };

  if (request.operation == Operation::Restore) {
    const Presence there = image.namesFile ? job.File(image.text) : Presence::Absent;
    if (there == Presence::Unknown) return fail(messages::kStepImageCheck);
    if (there == Presence::Absent) return {Outcome::Kind::ImageMissing, messages::kFileMissing};
  } else {
    std::string refusal;
    if (!ImagePlaceRefusal(job, image, refusal)) {
      return fail(messages::kStepImageCheck);
    }
    if (!refusal.empty()) return Refused(refusal);
  }

  std::string textRefusal;
  if (!CheckBootIniText(job, textRefusal)) return fail(messages::kStepBootIni);
  if (!textRefusal.empty()) return Refused(textRefusal);

  BootFolderPlan plan;
  std::string layoutRefusal;
  if (!PlanBootFolder(job, plan, layoutRefusal)) return fail(messages::kStepBootFolder);
  if (!layoutRefusal.empty()) return Refused(layoutRefusal);
  if (!PlanRecordFolder(job, recordPlace.folder, layoutRefusal)) {
    return fail(messages::kStepRecordFolder);
  }
  if (!layoutRefusal.empty()) return Refused(layoutRefusal);

  JobRecord record{std::string(), std::string(), request.operation, image.file,
                   platform_.system.Now(), recordPlace.fromRoot};
  if (!NoteImageBefore(job, record)) return fail(messages::kStepImageCheck);
  if (!MakeJobTokenAndKey(platform_.system, record)) return fail(messages::kStepRecord);

  // Everything the next start needs is written and on the disk before the root changes, and
  // boot.ini is switched last: a crash at any moment leaves Windows as it was or the whole job.
  struct Step {
    const char* name;
    std::function<bool()> run;
  };
  const Step steps[] = {
      {messages::kStepImageFolder, [&] { return PrepareImageFolder(job, image.folder); }},
      {messages::kStepRecordFolder,
       [&] { return PrepareRecordFolder(job, recordPlace.folder); }},
      {messages::kStepRecordFolder,
       [&] {
         return request.operation == Operation::Backup || PrepareImageDriveRecord(job, record);
       }},
      {messages::kStepBootFolder,
       [&] { return PrepareBootFolder(job, plan, record.setAsideAttributes); }},
      {messages::kStepStateFile, [&] { return WriteJobStateFile(platform_, request.operation); }},
      {messages::kStepRecord, [&] { return WriteJobRecord(platform_, record); }},
      {messages::kStepRecord, [&] { return RememberLastJob(job, record); }},
      {messages::kStepBootIni, [&] { return SaveBootIni(job); }},
      {messages::kStepBootFiles, [&] { return SaveBootFiles(job); }},
      {messages::kStepDeploy, [&] { return deployment_.DeployBootFiles(record.token); }},
      {messages::kStepScript,
       [&] { return WriteJobScript(platform_, request.operation, command); }},
      {messages::kStepDeploy, [&] { return InstallBootFiles(job); }},
      {messages::kStepBootIni, [&] { return SwitchBootIni(job); }},
  };
  for (const Step& step : steps) {
    if (!step.run()) return fail(step.name);
  }
  rollback.Commit();
  return {};
}

}  // namespace tovak
