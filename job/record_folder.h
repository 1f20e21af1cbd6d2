// The folder where the DOS side leaves the completed record of a job: made closed by the first job
// and kept for the later ones.
#pragma once

#include <string>

#include "job/job_context.h"

namespace tovak {

// Before anything changes: the folder is missing, or a folder that an administrator made (an
// earlier job); anything else at its place (a file, a junction, somebody else's folder) refuses
// the job with the message in refusal. False when the place could not be looked at.
bool PlanRecordFolder(JobContext& job, const std::string& folder, std::string& refusal);

// Whether the folder is missing or an administrator's: one the job may make or use.
bool RecordFolderUsable(JobContext& job, const std::string& folder);

// Makes the folder closed to others, or closes again the one an administrator made; a failed job
// removes the one it made.
bool PrepareRecordFolder(JobContext& job, const std::string& folder);

}  // namespace tovak
