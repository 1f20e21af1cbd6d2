// What the program returns to a script, one code for each thing it must be able to tell apart.
#pragma once

#include "job/job_messages.h"
#include "job/outcome.h"

namespace tovak {

enum class ExitCode {
  Done = 0,        // a job prepared, a job cancelled, or no job waiting
  Usage = 1,       // the command line is wrong; nothing was looked at
  Refused = 2,     // nothing changed: a job refused, or the disk could not be read
  Failed = 3,      // a step failed and everything was put back
  NotPutBack = 4,  // a step failed and a boot file is not back
  NoJob = 5,       // /cancel found no job
  JobPending = 6,  // /status found a job waiting
  RestartRefused = 7,  // a job prepared, and Windows refused the restart /restart asked for
  LastJobFailed = 8,   // /status: the last job's record tells of a failure, and no job waits
  LastJobUnknown = 9,  // /status: the last job never reported its end, and no job waits
};

struct ExitCodeMeaning {
  ExitCode code;
  const char* text;
};
constexpr ExitCodeMeaning kExitCodes[] = {
    {ExitCode::Done, messages::kExitDone},
    {ExitCode::Usage, messages::kExitUsage},
    {ExitCode::Refused, messages::kExitRefused},
    {ExitCode::Failed, messages::kExitFailed},
    {ExitCode::NotPutBack, messages::kExitNotPutBack},
    {ExitCode::NoJob, messages::kExitNoJob},
    {ExitCode::JobPending, messages::kExitJobPending},
    {ExitCode::RestartRefused, messages::kExitRestartRefused},
    {ExitCode::LastJobFailed, messages::kExitLastJobFailed},
    {ExitCode::LastJobUnknown, messages::kExitLastJobUnknown},
};

inline ExitCode ExitCodeOf(Outcome::Kind kind) {
  switch (kind) {
    case Outcome::Kind::Done: return ExitCode::Done;
    case Outcome::Kind::Refused:
    case Outcome::Kind::ImageMissing: return ExitCode::Refused;
    case Outcome::Kind::Failed: return ExitCode::Failed;
    case Outcome::Kind::NotPutBack: return ExitCode::NotPutBack;
  }
  return ExitCode::Failed;
}

}  // namespace tovak
