// The press of OK: checks the user's choice, prepares the next start of the machine for the job,
// and offers to restart. A job that fails part-way is put back, so that the machine boots as before.
#pragma once

#include <string>

#include "job/job_form.h"
#include "job/job_services.h"
#include "platform/platform.h"

namespace tovak {

class JobDriver {
 public:
  JobDriver(Platform& platform, JobForm& form, DriveMap& driveMap, BootDeployment& deployment,
            Restarter& restarter);

  // The Click of Cmd_Sure. Runs to its end on the window's thread.
  void OnOkClick();

 private:
  // Nothing has changed yet: the box, then the focus back to the path.
  void Refuse(const std::string& text);
  void SetWorking(bool working);
  void ShowError(const std::string& text);

  Platform& platform_;
  JobForm& form_;
  DriveMap& driveMap_;
  BootDeployment& deployment_;
  Restarter& restarter_;
};

}  // namespace tovak
