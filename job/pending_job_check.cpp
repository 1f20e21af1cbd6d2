#include "job/pending_job_check.h"

#include "job/job_messages.h"
#include "job/failure_outcome.h"
#include "job/pending_job.h"

namespace tovak {

Presence FindPendingJob(Platform& platform, Operation& operation) {
  OwnContext own(platform);
  JobContext& job = own.job;
  return LookForPendingJob(job, operation);
}

std::string PendingJobImage(Platform& platform, Operation operation) {
  const std::string script =
      layout::JobFile(platform.system, JobScriptName(operation));
  std::string ansi, line;
  // Only the line is converted: the bytes after it, cut at the read's end, may not be text.
  if (!platform.files.Read(script, 512, ansi) ||
      !platform.text.FromAnsi(ansi.substr(0, ansi.find_first_of("\r\n")), line)) {
    return "";
  }
  return ImageOfCommandLine(line);
}

Outcome CancelPendingJob(Platform& platform) {
  OwnContext own(platform);
  JobContext& job = own.job;
  if (UndoPendingJob(job)) return {Outcome::Kind::Done, messages::kCancelled};
  return FailureOutcome(platform, own.rollback, messages::kCancelFailed, platform.lastError.Get(),
                        messages::kBootFilesBack);
}

}  // namespace tovak
