// The system's boot files saved into "boot" before the job changes them: boot.ini is copied and
// then given the tool's entry, ntldr, bootfont.bin and g1ldr are moved. Each change is registered
// so that a failed job puts the file back from its copy.
#pragma once

#include "job/job_context.h"

namespace tovak {

bool SaveAndChangeBootIni(JobContext& job);
bool SaveBootFiles(JobContext& job);

}  // namespace tovak
