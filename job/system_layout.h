// Where the job's files live, named from a drive's root: the system drive's job folders and the
// boot files they save, the record folders. The DOS side's AUTOEXEC.BAT names the same files, and a
// test holds the two together.
#pragma once

#include <string>

#include "platform/system_drive.h"

namespace tovak::layout {

constexpr char kBoot[] = "boot";             // the job's folder, closed to others
constexpr char kJobFolder[] = "boot\\qelv";  // the payload and the job's own files
constexpr char kSetAside[] = "msboot";       // an earlier "boot", set aside for the job

// In kJobFolder: the file that names the job script, the job's record (its mark), the imaging
// program, and the two job scripts.
constexpr char kStateFile[] = "state.txt";
constexpr char kJobRecord[] = "job.txt";
constexpr char kImagingProgram[] = "ghost.exe";
constexpr char kBackupScript[] = "MsBack.bat";
constexpr char kRestoreScript[] = "huifu.bat";

// The folder where the runner leaves a job's completed record: in the Windows folder of the
// system drive, and a restore's in the root of the image's drive; the record's name there.
constexpr char kRecordFolder[] = "Tovak";
constexpr char kCompletedRecord[] = "tovakjob.txt";

// A root boot file the job replaces, and the name of its saved copy in "boot".
struct SavedBootFile {
  const char* name;
  const char* backup;
  bool required;  // a system without it cannot start through boot.ini at all
};
constexpr SavedBootFile kBootIniFile = {"boot.ini", "boot.bak", true};
// The payload brings its own of each; a system without a font (most but the Chinese ones) or
// without a g1ldr simply has no copy saved.
constexpr SavedBootFile kReplacedBootFiles[] = {{"ntldr", "ntldr.bak", true},
                                                {"bootfont.bin", "bootfont.bak", false},
                                                {"g1ldr", "g1ldr.bak", false}};

// The runner puts each of these back from its saved copy by way of a whole copy in the root, which
// it then renames over the file; a power cut may leave that copy for Windows to find.
struct RunnerCopy {
  const SavedBootFile& file;
  const char* copy;
};
constexpr RunnerCopy kRunnerCopies[] = {{kBootIniFile, "bootini.tvk"},
                                        {kReplacedBootFiles[1], "bootfont.tvk"},
                                        {kReplacedBootFiles[2], "g1ldr.tvk"}};

// A file of kJobFolder on the system drive, the root asked afresh.
inline std::string JobFile(SystemServices& system, const std::string& name) {
  return GetSystemDriveRoot(system) + kJobFolder + "\\" + name;
}

}  // namespace tovak::layout
