// What the Windows side hands to the DOS side: the job state file, which names the job script, and
// the job script, one Ghost command line.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace tovak {

enum class Operation { Backup, Restore };

// Everything the command line is made of, as the job driver read it at the click.
struct JobLine {
  Operation operation = Operation::Backup;
  std::string path;             // the path text, as typed
  bool imageFileMode = false;   // the path names the image file itself
  std::string mappedPartition;  // the drive map's "disk:partition", or empty
  std::string compressionText;  // the combo box's text
};

// The path without its drive: "\" for a path of three characters or fewer.
std::string ImageSubPath(const std::string& path);
// The fixed drive-letter table on the first disk: "c:" 1, "d:" 2, ... "g:" 6 ... "q:" 16; else 0.
int PartitionNumber(const std::string& path);
// The mapped partition when there is one, else "1:" and the table's number.
std::string PartitionAddress(const std::string& mappedPartition, const std::string& path);
// The image file a path names, as Windows names it: the path itself, or the folder's Nusk.gho,
// the same file that the backup's command line names.
std::string ImageFilePath(const std::string& path, bool imageFileMode);
// The combo text when it is z3, z6 or z9 in any case (kept as typed), else "z3".
std::string CompressionSwitch(const std::string& comboText);
std::string GhostCommandLine(const JobLine& line);
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
