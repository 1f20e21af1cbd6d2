// A job this program prepared that has not run yet, and putting the machine back as it was before it.
#pragma once

#include "job/job_context.h"
#include "job/job_record.h"
#include "job/job_script.h"

namespace tovak {

// Whether boot.ini's default entry starts the job's loader (root followed by "g1ldr"): only an
// administrator or this program can have made it so, while anybody may create a folder "boot".
Presence DefaultStartsLoader(JobContext& job);

// The job's loader is the default, and "boot" holds a job state file that names one of the two
// jobs, the imaging program and the saved boot.ini, none of them owned by anybody the job does not
// trust (where the volume keeps owners). Anything else in "boot" is somebody's own folder.
Presence LookForPendingJob(JobContext& job, Operation& operation);

// Puts boot.ini, ntldr, bootfont.bin and g1ldr back from their saved copies, boot.ini first so
// that a cancel cut off half-way still starts Windows; then removes "boot" and gives "msboot" its
// name back. A file that cannot be put back is recorded as kept and "boot" stays. False when
// anything was left undone.
bool UndoPendingJob(JobContext& job);

// A job of this program whose runner put boot.ini back and was cut off before it removed the job:
// boot.ini no longer starts the loader, and "boot" holds the job's mark, not completed, with the
// key this machine remembers. record: that mark.
Presence LookForLeftover(JobContext& job, JobRecord& record);
// Removes it: "boot" goes, and "msboot" gets its name and its attributes back.
bool ClearLeftover(JobContext& job, const JobRecord& record);

}  // namespace tovak
