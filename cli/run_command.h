// The command line's side of the program: the same job as the window's, and the pending job's
// cancel and status, each told as lines of output and an exit code, with no window and no box.
#pragma once

#include <string>
#include <vector>

#include "cli/exit_code.h"
#include "cli/text_output.h"
#include "job/job_services.h"
#include "job/job_timer.h"
#include "platform/platform.h"
#include "platform/restarter.h"

namespace tovak {

// Runs the command the arguments name, or writes the usage. The platform is a QuietPlatform's, and
// the deployment and the restarter work over it. A timer, when given, times the job's steps.
ExitCode RunCommandLine(const std::vector<std::string>& arguments, Platform& platform,
                        DriveMap& driveMap, BootDeployment& deployment, Restarter& restarter,
                        TextOutput& out, JobTimer* timer = nullptr);

}  // namespace tovak
