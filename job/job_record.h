// The job's record and its token. The token is hex digits from the system's random source that the
// deployed floppy image carries; the record, beside the job under a name that is the same for every
// job, says what the job is and starts with the token: names are public, even in a folder closed to
// users, so the secret lives only in the bytes. The DOS side runs only the job whose record holds
// its image's token, adds the imaging program's exit status to the record and leaves it in the
// record folder, where the next start finds it. The program knows the record for its own by a
// second random key, which it keeps in the registry: the registry goes into the backup image, and
// the token must not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "job/job_script.h"
#include "job/system_layout.h"
#include "platform/platform.h"

namespace tovak {

// Eight digits: a DOS file name without an extension.
constexpr std::size_t kJobTokenLength = 8;
constexpr std::size_t kJobKeyLength = 16;
// The program's value under HKEY_LOCAL_MACHINE that holds the last job's key: a record is the
// program's only when it carries that key.
constexpr char kLastJobValue[] = "LastJob";
// Beside it, what the job was: the next start tells a job that never reported from one whose
// record exists, and a system that a later restore wrote from one that is still the job's.
constexpr char kLastJobInfoValue[] = "LastJobInfo";

struct JobRecord {
  std::string token;
  std::string key;
  Operation operation = Operation::Backup;
  std::string imagePath;      // the image file, as Windows names it
  std::uint64_t prepared = 0;  // when the job was prepared, as FILETIME counts
  std::string recordFolder;   // from the system drive's root as DOS names it, "\WINDOWS\Tovak"
  // The image file that was at the path before the job, if any: an unchanged one after the job is
  // an earlier image, not this job's.
  bool imageWasThere = false;
  std::uint64_t sizeBefore = 0;
  std::uint64_t writtenBefore = 0;  // as FILETIME counts
  // A restore's mark of its record folder on the image's drive; empty when it has none.
  std::string imageDriveMark{};
  bool completed = false;     // the runner added the imaging program's exit status
  int exitStatus = 0;
};

// Upper-case hex digits from the random source, fresh for every job: the token and the key; a
// restore's mark on the image's drive.
bool MakeJobTokenAndKey(SystemServices& system, JobRecord& record);
bool MakeImageDriveMark(SystemServices& system, JobRecord& record);

// The record folder, as Windows names it and from the root as DOS does; false when the Windows
// folder is no plain 8.3 path on the system drive, which the DOS side could not name.
bool FindRecordFolder(SystemServices& system, std::string& folder, std::string& fromRoot);

// Lines ending in CR LF: the token, the key, "backup" or "restore", the image path, the time
// prepared, the record folder, the image before the job ("none", or its size and time), the mark
// on the image's drive ("none" or hex digits); the runner adds "status N" and a blank.
std::string JobRecordText(const JobRecord& record);
// False for anything else, such as a record cut short or written by somebody else's hand.
bool ParseJobRecord(const std::string& text, JobRecord& record);
// root\boot\qelv\job.txt, in the ANSI code page, flushed.
bool WriteJobRecord(Platform& platform, const JobRecord& record);
// The record as its own file in the ANSI code page; false when it is not one.
bool ReadJobRecord(Platform& platform, const std::string& path, JobRecord& record);

// "backup 133800000000000000 d:\Nusk\Nusk.gho": the operation, the time prepared and the image;
// the parse fills those three fields.
std::string LastJobInfoText(const JobRecord& record);
bool ParseLastJobInfo(const std::string& text, JobRecord& record);
// Deletes the key and what the job was; true when both are gone.
bool ForgetLastJob(Platform& platform);

}  // namespace tovak
