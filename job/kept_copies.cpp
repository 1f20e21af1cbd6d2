#include "job/kept_copies.h"

#include "job/job_messages.h"

namespace tovak {

std::string DescribeKeptCopies(const Rollback& rollback) {
  if (rollback.AllPutBack()) return std::string();
  std::string text = messages::kNotPutBack;
  for (const KeptCopy& kept : rollback.Kept()) {
    text += "\r\n" + kept.file + messages::kSavedCopyAt + kept.savedCopy + messages::kSavedCopyEnd;
  }
  return text;
}

}  // namespace tovak
