#include "job/job_driver.h"

#include <functional>

#include "job/boot_files.h"
#include "job/boot_folder.h"
#include "job/job_context.h"
#include "job/job_messages.h"
#include "job/job_script.h"
#include "job/job_record.h"
#include "job/kept_copies.h"
#include "job/path_rules.h"

namespace tovak {
namespace {

constexpr FormControl kLockedControls[] = {FormControl::Cmd_Sure, FormControl::Cmd_Exit,
                                           FormControl::Cmd_Path, FormControl::Check_Disk,
                                           FormControl::Combo_Compress};

// The user's choice, read once at the click: messages pumped during the job may change the
// window, but the state file and the script must name the same operation and path.
struct Choice {
  std::string path;
  Operation operation;
  bool mapDisks;
  std::string compression;
};

// The folder the image goes into; a bare drive means its root.
std::string ImageFolder(const std::string& path) {
  std::string folder = NamesImageFile(path) ? GetParentFolder(path) : path;
  if (folder.size() == 2) folder += "\\";
  return folder;
}

// The Ghost command lines always image partition 1:1 and restore onto it; on another layout the
// job would image or overwrite the wrong partition. An address the map did not find says nothing.
const char* LayoutRefusal(const DriveAddresses& mapped) {
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

// The key of the job whose record the next start may show; the earlier one comes back when the
// job fails.
bool RememberLastJob(JobContext& job, const std::string& key) {
  SystemServices& system = job.platform.system;
  std::string earlier;
  const bool had = system.ReadMachineValue(kLastJobValue, earlier);
  if (!system.WriteMachineValue(kLastJobValue, key)) return false;
  job.rollback.Add(Rollback::Phase::PutBack, [&system, had, earlier] {
    if (had) {
      system.WriteMachineValue(kLastJobValue, earlier);
    } else {
      system.DeleteMachineValue(kLastJobValue);
    }
  });
  return true;
}

// Made for the job when missing; removed again on failure while it is still empty.
bool PrepareImageFolder(JobContext& job, const std::string& folder) {
  const Presence there = job.Entry(folder);
  if (there != Presence::Absent) return there == Presence::Present;
  if (!job.platform.files.CreateFolder(folder)) return false;
  job.rollback.Add(Rollback::Phase::Folders,
                   [&job, folder] { job.platform.files.RemoveFolder(folder); });
  return true;
}

}  // namespace

JobDriver::JobDriver(Platform& platform, JobForm& form, DriveMap& driveMap,
                     BootDeployment& deployment, Restarter& restarter)
    : platform_(platform), form_(form), driveMap_(driveMap), deployment_(deployment),
      restarter_(restarter) {}

void JobDriver::ShowError(const std::string& text) {
  platform_.ui.ShowMessage(text, messages::kErrorTitle, MessageButtons::Ok, MessageIcon::Critical);
}

void JobDriver::Refuse(const std::string& text) {
  ShowError(text);
  form_.FocusPath();
}

void JobDriver::SetWorking(bool working) {
  form_.SetJobInProgress(working);
  for (FormControl control : kLockedControls) {
    // Restore has no compression: the combo stays as the option's click left it.
    const bool compression = control != FormControl::Combo_Compress || form_.BackupSelected();
    form_.SetEnabled(control, !working && compression);
  }
}

void JobDriver::OnOkClick() {
  const Choice choice{form_.PathText(),
                      form_.BackupSelected() ? Operation::Backup : Operation::Restore,
                      form_.DiskTicked(), form_.CompressionText()};
  const std::string& path = choice.path;

  if (!deployment_.Deployable()) return Refuse(messages::kSandboxBuild);
  // Without the system drive every path of the job would be relative to the current folder.
  const std::string root = GetSystemDriveRoot(platform_.system);
  if (root.size() < 2) return Refuse(messages::kNoSystemDrive);
  if (OnSystemDrive(path, root)) return Refuse(messages::kSystemPartition);
  const std::string refusal = PathRefusal(path, platform_.text);
  if (!refusal.empty()) return Refuse(refusal);

  const std::string idleCaption = form_.IdleCaption();
  form_.SetCaption(messages::kWaitCaption);
  DriveAddresses mapped;
  if (choice.mapDisks) mapped = driveMap_.MapDrivesToPartitions(path.substr(0, 2), root.substr(0, 2));
  const char* placeRefusal = choice.mapDisks ? LayoutRefusal(mapped)
                                             : SystemPlaceRefusal(platform_.system, root);
  // Ghost has no partition 0: a drive that neither the map nor the fixed table knows cannot be
  // addressed, and the job would only restart the machine for nothing.
  if (!placeRefusal && mapped.image.empty() && PartitionNumber(path) == 0) {
    placeRefusal = choice.mapDisks ? messages::kUnknownPartitionMapped : messages::kUnknownPartition;
  }
  if (placeRefusal) {
    form_.SetCaption(idleCaption);
    return Refuse(placeRefusal);
  }
  SetWorking(true);

  const JobLine line{choice.operation, path, NamesImageFile(path), mapped.image,
                     choice.compression};
  const std::string command = GhostCommandLine(line);
  std::string ansiCommand;
  if (!platform_.text.ToAnsi(command, ansiCommand) || !FitsCommandTail(ansiCommand)) {
    form_.SetCaption(idleCaption);
    SetWorking(false);
    return Refuse(messages::kTooLong);
  }

  Rollback rollback;
  FileControl control(platform_.files, platform_.ui, platform_.lastError);
  JobContext job{platform_, control, rollback};
  // A step that fails puts back what the earlier ones changed, then says what failed and why.
  auto fail = [&](const char* step) {
    const std::uint32_t code = platform_.lastError.Get();
    rollback.Run();
    std::string text = std::string(step) + messages::kStepFailed;
    if (code != error::kSuccess) text += platform_.system.ErrorText(code);
    const std::string kept = DescribeKeptCopies(rollback);
    ShowError(text + "\r\n" + (kept.empty() ? messages::kRolledBack : kept));
    form_.SetCaption(idleCaption);
    SetWorking(false);
  };

  if (choice.operation == Operation::Restore) {
    const Presence image = line.imageFileMode ? job.File(path) : Presence::Absent;
    if (image == Presence::Unknown) return fail(messages::kStepImageCheck);
    if (image == Presence::Absent) {
      ShowError(messages::kFileMissing);
      SetWorking(false);
      return;
    }
  }

  BootFolderPlan plan;
  std::string layoutRefusal;
  if (!PlanBootFolder(job, plan, layoutRefusal)) return fail(messages::kStepBootFolder);
  if (!layoutRefusal.empty()) {
    ShowError(layoutRefusal);
    form_.SetCaption(idleCaption);
    SetWorking(false);
    return;
  }

  JobRecord record{std::string(), std::string(), choice.operation,
                   ImageFilePath(path, line.imageFileMode), platform_.system.Now()};
  if (!MakeJobTokenAndKey(platform_.system, record)) return fail(messages::kStepRecord);

  // Everything the next start needs is written and on the disk before the root changes, and
  // boot.ini is switched last: a crash at any moment leaves Windows as it was or the whole job.
  struct Step {
    const char* name;
    std::function<bool()> run;
  };
  const Step steps[] = {
      {messages::kStepImageFolder, [&] { return PrepareImageFolder(job, ImageFolder(path)); }},
      {messages::kStepBootFolder, [&] { return PrepareBootFolder(job, plan); }},
      {messages::kStepStateFile, [&] { return WriteJobStateFile(platform_, choice.operation); }},
      {messages::kStepRecord, [&] { return WriteJobRecord(platform_, record); }},
      {messages::kStepRecord, [&] { return RememberLastJob(job, record.key); }},
      {messages::kStepBootIni, [&] { return SaveBootIni(job); }},
      {messages::kStepBootFiles, [&] { return SaveBootFiles(job); }},
      {messages::kStepDeploy, [&] { return deployment_.DeployBootFiles(record.token); }},
      {messages::kStepScript,
       [&] { return WriteJobScript(platform_, choice.operation, command); }},
      {messages::kStepDeploy, [&] { return InstallBootFiles(job); }},
      {messages::kStepBootIni, [&] { return SwitchBootIni(job); }},
  };
  for (const Step& step : steps) {
    if (!step.run()) return fail(step.name);
  }
  rollback.Commit();

  form_.SetJobInProgress(false);
  const char* prompt = choice.operation == Operation::Backup ? messages::kRestartBackup
                                                             : messages::kRestartRestore;
  form_.Unload();
  const MessageAnswer answer = platform_.ui.ShowMessage(
      prompt, messages::kRestartTitle, MessageButtons::YesNo, MessageIcon::Information);
  if (answer == MessageAnswer::Yes) restarter_.RestartWindows();
}

}  // namespace tovak
