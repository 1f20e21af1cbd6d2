#include "job/pending_job_check.h"

#include "job/job_messages.h"
#include "job/kept_copies.h"
#include "job/pending_job.h"

namespace tovak {

Presence FindPendingJob(Platform& platform, Operation& operation) {
  Rollback rollback;
  FileControl control(platform.files, platform.ui, platform.lastError);
  JobContext job{platform, control, rollback};
  return FindPendingJob(job, operation);
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
  Rollback rollback;
  FileControl control(platform.files, platform.ui, platform.lastError);
  JobContext job{platform, control, rollback};
  if (CancelPendingJob(job)) return {Outcome::Kind::Done, messages::kCancelled};
  return FailureOutcome(platform, rollback, messages::kCancelFailed, platform.lastError.Get(),
                        messages::kBootFilesBack);
}

void OfferToCancelPendingJob(Platform& platform) {
  Operation operation;
  if (FindPendingJob(platform, operation) != Presence::Present) return;
  const std::string question =
      std::string(operation == Operation::Backup ? messages::kPendingBackup
                                                 : messages::kPendingRestore) +
      "\r\n" + messages::kCancelQuestion;
  if (platform.ui.ShowMessage(question, messages::kNoticeTitle, MessageButtons::YesNoDefaultNo,
                              MessageIcon::Information) != MessageAnswer::Yes) {
    return;
  }
  const Outcome outcome = CancelPendingJob(platform);
  const bool done = outcome.kind == Outcome::Kind::Done;
  platform.ui.ShowMessage(outcome.text, done ? messages::kNoticeTitle : messages::kErrorTitle,
                          MessageButtons::Ok,
                          done ? MessageIcon::Information : MessageIcon::Critical);
}

}  // namespace tovak
