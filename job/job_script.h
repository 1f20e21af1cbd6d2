// What the Windows side hands to the DOS side: the job state file, which names the job script, and
// the job script, one Ghost command line.
#pragma once

#include <cstddef>
#include <string>

#include "job/job_request.h"
#include "platform/platform.h"

namespace tovak {

// The fixed drive-letter table on the first disk: "c:" 1, "d:" 2, ... "g:" 6 ... "q:" 16; else 0.
int PartitionNumber(const std::string& drive);
// The requested compression when it is z3, z6 or z9 in any case (kept as given), else "z3".
std::string CompressionSwitch(const std::string& compression);
// The request's command line; mappedPartition is the drive map's "disk:partition", or empty for
// the fixed table.
std::string GhostCommandLine(const JobRequest& request, const std::string& mappedPartition);
// The image a Ghost command line of either form names, as Ghost reads it: the partition address,
// ":" and the path ("1:2:\Nusk\Nusk.gho"); empty for a line of another form.
std::string ImageOfCommandLine(const std::string& line);

// DOS hands a program at most 126 bytes of command tail: the blank after "ghost.exe" and the rest.
constexpr std::size_t kMaxCommandTail = 126;
bool FitsCommandTail(const std::string& ansiLine);

std::string JobStateText(Operation operation);   // "msback.bat" or "huifu.bat"
std::string JobScriptName(Operation operation);  // "MsBack.bat" or "huifu.bat"

// Creates or truncates the file and writes the line, CR LF, in the ANSI code page; flushed.
bool WriteAnsiLine(Platform& platform, const std::string& path, const std::string& line);
// root\boot\qelv\state.txt and the job script, the root asked for afresh.
bool WriteJobStateFile(Platform& platform, Operation operation);
bool WriteJobScript(Platform& platform, Operation operation, const std::string& commandLine);

}  // namespace tovak
