#include "job/pending_job_check.h"

#include "job/job_messages.h"
#include "job/kept_copies.h"
#include "job/pending_job.h"

namespace tovak {

void OfferToCancelPendingJob(Platform& platform) {
  Rollback rollback;
  FileControl control(platform.files, platform.ui, platform.lastError);
  JobContext job{platform, control, rollback};
  Operation operation;
  if (FindPendingJob(job, operation) != Presence::Present) return;
  const char* question =
      operation == Operation::Backup ? messages::kPendingBackup : messages::kPendingRestore;
  if (platform.ui.ShowMessage(question, messages::kNoticeTitle, MessageButtons::YesNoDefaultNo,
                              MessageIcon::Information) != MessageAnswer::Yes) {
    return;
  }
  if (CancelPendingJob(job)) {
    platform.ui.ShowMessage(messages::kCancelled, messages::kNoticeTitle, MessageButtons::Ok,
                            MessageIcon::Information);
    return;
  }
  const std::uint32_t code = platform.lastError.Get();
  std::string text = messages::kCancelFailed;
  if (code != error::kSuccess) text += platform.system.ErrorText(code);
  const std::string kept = DescribeKeptCopies(rollback);
  text += "\r\n" + (kept.empty() ? std::string(messages::kBootFilesBack) : kept);
  platform.ui.ShowMessage(text, messages::kErrorTitle, MessageButtons::Ok, MessageIcon::Critical);
}

}  // namespace tovak
