#include "job/failure_outcome.h"

#include "job/job_messages.h"

namespace tovak {

Outcome FailureOutcome(Platform& platform, const Rollback& rollback, std::string head,
                       std::uint32_t code, const char* allBack) {
  if (code != error::kSuccess) head += platform.system.ErrorText(code);
  if (rollback.AllPutBack()) return {Outcome::Kind::Failed, head + "\r\n" + allBack};
  head += std::string("\r\n") + messages::kNotPutBack;
  for (const KeptCopy& kept : rollback.Kept()) {
    head += "\r\n" + kept.file + messages::kSavedCopyAt + kept.savedCopy + messages::kSavedCopyEnd;
  }
  return {Outcome::Kind::NotPutBack, head};
}

}  // namespace tovak
