// The drive map over Windows Management Instrumentation (COM), for the Windows builds.
#pragma once

#include <functional>
#include <memory>

#include "disks/wql.h"
#include "job/job_services.h"

namespace tovak {

// Binds to the local computer's WMI service in root\cimv2 with impersonation, as the moniker
// "winmgmts:{impersonationLevel=Impersonate}!//." does, and hands it to use; everything is
// released before it returns. False when COM or WMI could not be set up.
bool WithWmi(const std::function<void(Wql&)>& use);

// Each call walks WMI afresh; a drive is not found when anything of COM or WMI fails.
std::unique_ptr<DriveMap> MakeWmiDriveMap();

}  // namespace tovak
