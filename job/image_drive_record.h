// A restore's record on the image's drive. The imaging program rewrites the system partition under
// the DOS side's NTFS driver, so the runner writes nothing there after a restore: it leaves the
// record on the drive it only read, in a folder the job made closed there. It finds that drive by
// a mark of its own, not by the token: where the volume keeps no access lists anybody may read the
// file, and the token would let them plant a job.
#pragma once

#include <string>

#include "job/job_context.h"
#include "job/job_record.h"

namespace tovak {

// "D:\Tovak\tovakjob.txt" for the image "D:\Nusk\Nusk.gho".
std::string ImageDriveRecordPath(const std::string& imagePath);

// Makes the folder (or closes again the one an administrator made) and writes the record there
// with the mark in place of the token, so that the runner knows the drive. Anything at the place
// that is not the program's, or a step that fails, leaves the record without a mark and the job
// goes on: the runner then writes the restore's record nowhere. A failed job deletes the file.
// False only when the random source fails.
bool PrepareImageDriveRecord(JobContext& job, JobRecord& record);

// The record at the image's drive, when its folder and the file are no other user's.
bool ReadImageDriveRecord(JobContext& job, const std::string& imagePath, JobRecord& record);

}  // namespace tovak
