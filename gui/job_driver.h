// The press of OK: the window's side of a job. It takes the user's choice from the window, locks
// the window while the job runs, shows what became of it, and offers to restart once prepared.
#pragma once

#include "job/job.h"
#include "gui/job_form.h"
#include "gui/window_timer.h"
#include "job/job_services.h"
#include "job/job_timer.h"
#include "platform/platform.h"
#include "platform/restarter.h"

namespace tovak {

class JobDriver {
 public:
  // Timers, when given, time the job's steps and the window's share of OK.
  JobDriver(Platform& platform, JobForm& form, DriveMap& driveMap, BootDeployment& deployment,
            Restarter& restarter, JobTimer* jobTimer = nullptr,
            WindowTimer* windowTimer = nullptr);

  // The Click of Cmd_Sure. Runs to its end on the window's thread.
  void OnOkClick();

 private:
  void SetWorking(bool working);

  Platform& platform_;
  JobForm& form_;
  Job job_;
  Restarter& restarter_;
  WindowTimer* windowTimer_;
};

}  // namespace tovak
