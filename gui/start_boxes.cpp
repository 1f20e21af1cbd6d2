#include "gui/start_boxes.h"

#include "job/job_messages.h"
#include "job/last_job_check.h"
#include "job/pending_job_check.h"

namespace tovak {

void ShowLastJobResult(Platform& platform) {
  LastJobResult result;
  if (!ReadLastJobResult(platform, result)) return;
  // No text: a restore that succeeded wrote this system, and there is nothing to tell.
  if (!result.text.empty()) {
    platform.ui.ShowMessage(result.text,
                            result.failed ? messages::kErrorTitle : kNoticeTitle,
                            MessageButtons::Ok,
                            result.failed ? MessageIcon::Critical : MessageIcon::Information);
  }
  ForgetLastJobResult(platform, result);
}

void OfferToCancelPendingJob(Platform& platform) {
  Operation operation;
  if (FindPendingJob(platform, operation) != Presence::Present) return;
  const std::string question =
      std::string(operation == Operation::Backup ? messages::kPendingBackup
                                                 : messages::kPendingRestore) +
      "\r\n" + messages::kCancelQuestion;
  if (platform.ui.ShowMessage(question, kNoticeTitle, MessageButtons::YesNoDefaultNo,
                              MessageIcon::Information) != MessageAnswer::Yes) {
    return;
  }
  const Outcome outcome = CancelPendingJob(platform);
  const bool done = outcome.kind == Outcome::Kind::Done;
  platform.ui.ShowMessage(outcome.text, done ? kNoticeTitle : messages::kErrorTitle,
                          MessageButtons::Ok,
                          done ? MessageIcon::Information : MessageIcon::Critical);
}

}  // namespace tovak
