// The folder "boot" of the system drive, made fresh for the job, with "boot\qelv" in it.
#pragma once

#include <string>

#include "job/job_context.h"

namespace tovak {

enum class BootFolderPlan {
  Fresh,      // no "boot" yet
  Cancel,     // a job of this program has not run yet: it is cancelled first
  Leftover,   // what a cut runner left of a job of this program: it is removed first
  SetAside,   // somebody's "boot" becomes "msboot"
  Merge,      // somebody's "boot" joins the "msboot" already there
};

// Looks at "boot" and "msboot" before anything changes. Some layouts are refused, with the message
// in refusal: a merge that would write over a file, and a boot.ini that starts the job's loader
// with no job of this program to run. False when a search failed.
bool PlanBootFolder(JobContext& job, BootFolderPlan& plan, std::string& refusal);

// Carries out the plan and makes "boot" and "boot\qelv", closed to others from their creation;
// a folder somebody else put at either place fails it. What it changed is
// registered for the rollback: the job's folders go, "boot" only while it holds no saved copy that
// could not be put back, and somebody's files go back into "boot". setAside: the attributes of the
// "boot" it set aside as "msboot", or attr::kInvalid.
bool PrepareBootFolder(JobContext& job, BootFolderPlan plan, std::uint32_t& setAside);

// Gives "msboot", when there is one, its name "boot" back and the attributes it had before it was
// set aside (none: as it is); the rollback and the cancel both. False when it stays undone.
bool PutSetAsideBack(JobContext& job, std::uint32_t attributes);

}  // namespace tovak
