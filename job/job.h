// One backup or restore job, without a window: a request in, what became of it out. It checks the
// request, prepares the next start of the machine, and puts back what it changed when a step fails,
// so that the machine boots as before.
#pragma once

#include <string>

#include "job/job_request.h"
#include "job/job_services.h"
#include "job/job_timer.h"
#include "job/outcome.h"
#include "platform/platform.h"

namespace tovak {

// Where the DOS side leaves the job's completed record, as Windows and as DOS name it.
struct RecordPlace {
  std::string folder;
  std::string fromRoot;
};

class Job {
 public:
  Job(Platform& platform, DriveMap& driveMap, BootDeployment& deployment,
      JobTimer* timer = nullptr);

  // Done once the next start runs the job. Refused and ImageMissing before anything changed;
  // Failed or NotPutBack after putting back what the steps had changed.
  Outcome Prepare(const JobRequest& request);

 private:
  // The checks, then the steps.
  Outcome CheckAndRun(const JobRequest& request);
  // The steps that look at and change the disks, once the request is known to be carried.
  Outcome Run(const JobRequest& request, const std::string& command, const RecordPlace& record);

  Platform& platform_;
  DriveMap& driveMap_;
  BootDeployment& deployment_;
  JobTimer* timer_;
};

}  // namespace tovak
