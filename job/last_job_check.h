// What became of the last job, as the DOS side recorded it or failed to.
#pragma once

#include <string>

#include "job/job_record.h"
#include "platform/platform.h"

namespace tovak {

// What became of the last job this program prepared here, as its box would say it: what the
// record that the DOS side left for it says, or that it never reported (cut short). No text: the
// system is what a later restore wrote, which succeeded. False, changing nothing, when no job is
// remembered, a job waits, or nothing can be told.
struct LastJobResult {
  std::string text;
  bool failed = true;
  bool cutShort = false;
  std::string recordPath;  // the record to delete once shown; empty: none
  // What a cut runner left of the job, to remove once told: the mark in "boot" says how.
  bool hasLeftover = false;
  JobRecord leftover;
};
bool ReadLastJobResult(Platform& platform, LastJobResult& result);

// Once told: deletes the record and forgets the job. Either one keeps the result from being told
// twice; neither failing matters more than the telling.
void ForgetLastJobResult(Platform& platform, const LastJobResult& result);

}  // namespace tovak
