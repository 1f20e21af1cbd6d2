// The system's boot files: saved into "boot" by copying, so that the root keeps its loader at every
// instant, and replaced by the job's own by renaming them over in one step. boot.ini is switched
// last: from that moment the next start runs the job, and everything it needs is on the disk.
#pragma once

#include <cstdint>
#include <string>

#include "job/job_context.h"

namespace tovak {

// Why the NT loader could not read boot.ini as the ANSI text it takes (a byte-order mark, a NUL),
// as the message to show; empty when it can, or when there is no boot.ini. The INI functions would
// keep such a file's encoding in the changed copy. False when the file could not be read.
bool CheckBootIniText(JobContext& job, std::string& refusal);
// boot.ini to "boot\boot.bak"; a missing boot.ini fails the step.
bool SaveBootIni(JobContext& job);
// ntldr, bootfont.bin and g1ldr to "boot\*.bak", each on the disk before the step ends; a missing
// ntldr fails the step, a missing font or g1ldr is not saved.
bool SaveBootFiles(JobContext& job);
// Renames the job's ntldr, bootfont.bin and g1ldr from the payload folder over the root's.
bool InstallBootFiles(JobContext& job);
// Makes the changed boot.ini in the payload folder, flushes it and renames it over the root's.
bool SwitchBootIni(JobContext& job);

// Renames the saved copy over the root file, with the attributes given, in one step; a file that
// cannot be put back is recorded as kept, its copy left where it is.
void PutBack(JobContext& job, const std::string& file, const std::string& savedCopy,
             std::uint32_t attributes);

}  // namespace tovak
