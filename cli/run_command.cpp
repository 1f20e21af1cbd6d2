#include "cli/run_command.h"

#include "cli/command_line.h"
#include "job/job.h"
#include "job/last_job_check.h"
#include "job/pending_job_check.h"

namespace tovak {
namespace {

void WriteUsage(TextOutput& out) {
  out.WriteLine(messages::kUsage);
  for (const ExitCodeMeaning& meaning : kExitCodes) {
    out.WriteLine("  " + std::to_string(static_cast<int>(meaning.code)) + "  " + meaning.text);
  }
}

ExitCode PrepareJob(const Command& command, Platform& platform, DriveMap& driveMap,
                    BootDeployment& deployment, Restarter& restarter, TextOutput& out,
                    JobTimer* timer) {
  const Outcome outcome = Job(platform, driveMap, deployment, timer).Prepare(command.request);
  if (outcome.kind != Outcome::Kind::Done) {
    out.WriteLine(outcome.text);
    return ExitCodeOf(outcome.kind);
  }
  const bool backup = command.request.operation == Operation::Backup;
  out.WriteLine(backup ? messages::kBackupPrepared : messages::kRestorePrepared);
  if (!command.restart) return ExitCode::Done;
  if (restarter.RestartWindows()) {
    out.WriteLine(messages::kRestarting);
    return ExitCode::Done;
  }
  out.WriteLine(messages::kRestartRefused + platform.system.ErrorText(platform.lastError.Get()));
  out.WriteLine(messages::kRestartByHand);
  return ExitCode::RestartRefused;
}

// Tells what cannot be read, and that no job waits.
Presence FindJob(Platform& platform, Operation& operation, TextOutput& out) {
  const Presence pending = FindPendingJob(platform, operation);
  if (pending == Presence::Unknown) {
    out.WriteLine(messages::kPendingUnknown +
                  platform.system.ErrorText(platform.lastError.Get()));
  } else if (pending == Presence::Absent) {
    out.WriteLine(messages::kNoPendingJob);
  }
  return pending;
}

ExitCode Cancel(Platform& platform, TextOutput& out) {
  Operation operation;
  const Presence pending = FindJob(platform, operation, out);
  if (pending != Presence::Present) {
    return pending == Presence::Absent ? ExitCode::NoJob : ExitCode::Refused;
  }
  const Outcome outcome = CancelPendingJob(platform);
  out.WriteLine(outcome.text);
  return ExitCodeOf(outcome.kind);
}

// Changes nothing. A line for each thing it tells; the code says whether a job waits.
ExitCode Status(Platform& platform, TextOutput& out) {
  // The last job's record stays for the window to show and delete.
  LastJobResult last;
  const bool told = ReadLastJobResult(platform, last);
  if (told && !last.text.empty()) out.WriteLine(last.text);
  Operation operation;
  const Presence pending = FindJob(platform, operation, out);
  if (pending == Presence::Unknown) return ExitCode::Refused;
  // A job that waits is what a script acts on next; a failure it would hide is in the lines.
  if (pending == Presence::Absent) {
    if (!told) return ExitCode::Done;
    if (last.cutShort) return ExitCode::LastJobUnknown;
    return last.failed ? ExitCode::LastJobFailed : ExitCode::Done;
  }
  const bool backup = operation == Operation::Backup;
  out.WriteLine(backup ? messages::kPendingBackup : messages::kPendingRestore);
  const std::string image = PendingJobImage(platform, operation);
  out.WriteLine(image.empty() ? messages::kPendingImageUnread : messages::kPendingImage + image);
  return ExitCode::JobPending;
}

}  // namespace

ExitCode RunCommandLine(const std::vector<std::string>& arguments, Platform& platform,
                        DriveMap& driveMap, BootDeployment& deployment, Restarter& restarter,
                        TextOutput& out, JobTimer* timer) {
  Command command;
  if (!ParseArguments(arguments, command)) {
    WriteUsage(out);
    return ExitCode::Usage;
  }
  switch (command.verb) {
    case Verb::Backup:
    case Verb::Restore:
      return PrepareJob(command, platform, driveMap, deployment, restarter, out, timer);
    case Verb::Cancel: return Cancel(platform, out);
    case Verb::Status: return Status(platform, out);
    case Verb::Usage: break;
  }
  WriteUsage(out);
  return ExitCode::Done;
}

}  // namespace tovak
