// The folder "boot" of the system drive, made fresh for the job, with "boot\qelv" in it.
#pragma once

#include "job/job_context.h"

namespace tovak {

// An earlier "boot" is set aside as "msboot" (or merged into an existing "msboot"); a job of
// this tool that has not run yet is superseded instead: its saved boot files go back to the root
// and it is removed once the new job is prepared, so that it never runs after the new one.
// False when a step fails; what it changed is registered for rollback.
bool PrepareBootFolder(JobContext& job);

}  // namespace tovak
