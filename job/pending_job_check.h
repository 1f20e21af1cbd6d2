// A job of this program that waits for the next start of the machine: found, told and cancelled.
#pragma once

#include <string>

#include "job/job_script.h"
#include "job/outcome.h"
#include "platform/file_search.h"
#include "platform/platform.h"

namespace tovak {

// Whether a job of this program waits, and which; Unknown when the disk could not be read.
Presence FindPendingJob(Platform& platform, Operation& operation);

// The image that the waiting job's script names, as Ghost reads it ("1:2:\Nusk\Nusk.gho"); empty
// when the script cannot be read as the job wrote it.
std::string PendingJobImage(Platform& platform, Operation operation);

// Cancels the job that waits. Done says "任务已取消。"; Failed and NotPutBack say what could not be
// done, and whether the boot files are back or which saved copies stay.
Outcome CancelPendingJob(Platform& platform);

}  // namespace tovak
