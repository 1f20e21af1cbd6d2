#include "job/job_script.h"

#include <utility>

#include "job/system_layout.h"
#include "platform/system_drive.h"
#include "platform/text_utf8.h"

namespace tovak {
namespace {

const char kBackupStart[] = "ghost.exe -clone,mode=pdump,src=1:1,dst=";
const char kBackupEnd[] = " -fx -sure -fro -";
const char kRestoreStart[] = "Ghost.exe -clone,mode=pload,src=";
const char kRestoreEnd[] = ":1,dst=1:1 -fx -sure";

// The image file without its drive, as the backup's command line names it.
std::string ImageFileSubPath(const std::string& path, bool imageFileMode) {
  std::string image = ImageSubPath(path);
  if (!imageFileMode) {
    if (image.back() != '\\') image += '\\';
    image += "Nusk.gho";
  }
  return image;
}

// "disk:partition:" and the path from the root, as the command lines name an image.
bool IsGhostAddress(const std::string& image) {
  std::size_t at = 0;
  for (int number = 0; number < 2; ++number) {
    const std::size_t digits = image.find_first_not_of("0123456789", at);
    if (digits == at || digits == std::string::npos || image[digits] != ':') return false;
    at = digits + 1;
  }
  return image.compare(at, 1, "\\") == 0;
}

}  // namespace

std::string ImageSubPath(const std::string& path) {
  // A path shorter than two characters has no drive to drop either: it gets the root as well.
  if (CountCharacters(path) <= 3) return "\\";
  return path.substr(2);  // the drive letter and colon are one byte each
}

int PartitionNumber(const std::string& path) {
  // The first disk as it is usually laid out; "g:" is 6, not 5.
  static const std::pair<const char*, int> kTable[] = {
      {"c:", 1},  {"d:", 2},  {"e:", 3},  {"f:", 4},  {"g:", 6},  {"h:", 7},  {"i:", 8},  {"j:", 9},
      {"k:", 10}, {"l:", 11}, {"m:", 12}, {"n:", 13}, {"o:", 14}, {"p:", 15}, {"q:", 16},
  };
  const std::string drive = LowerAscii(path.substr(0, 2));
  for (const auto& [letter, number] : kTable) {
    if (drive == letter) return number;
  }
  return 0;
}

std::string PartitionAddress(const std::string& mappedPartition, const std::string& path) {
  if (!mappedPartition.empty()) return mappedPartition;
  return "1:" + std::to_string(PartitionNumber(path));
}

std::string ImageFilePath(const std::string& path, bool imageFileMode) {
  // The drive letter and colon are one byte each.
  return path.substr(0, 2) + ImageFileSubPath(path, imageFileMode);
}

std::string CompressionSwitch(const std::string& comboText) {
  const std::string lower = LowerAscii(comboText);
  if (lower == "z3" || lower == "z6" || lower == "z9") return comboText;
  return "z3";
}

std::string GhostCommandLine(const JobLine& line) {
  const std::string address = PartitionAddress(line.mappedPartition, line.path);
  if (line.operation == Operation::Restore) {
    return kRestoreStart + address + ":" + ImageSubPath(line.path) + kRestoreEnd;
  }
  const std::string image = ImageFileSubPath(line.path, line.imageFileMode);
  return kBackupStart + address + ":" + image + kBackupEnd +
         CompressionSwitch(line.compressionText);
}

std::string ImageOfCommandLine(const std::string& line) {
  const std::pair<std::string, std::string> kForms[] = {{kBackupStart, kBackupEnd},
                                                        {kRestoreStart, kRestoreEnd}};
  for (const auto& [start, end] : kForms) {
    if (line.compare(0, start.size(), start) != 0) continue;
    // The path holds no blank, so the first end is the path's.
    const std::size_t at = line.find(end, start.size());
    if (at == std::string::npos) continue;
    const std::string image = line.substr(start.size(), at - start.size());
    const std::string rest = line.substr(at + end.size());
    // Only a line as the job writes it: another one names no image of this program's.
    const bool backup = start == kBackupStart;
    if (image.find(' ') != std::string::npos || !IsGhostAddress(image) ||
        (backup ? CompressionSwitch(rest) != rest : !rest.empty())) {
      return std::string();
    }
    return image;
  }
  return std::string();
}

bool FitsCommandTail(const std::string& ansiLine) {
  const std::size_t blank = ansiLine.find(' ');
  // DOS counts the blank after the program's name as part of the tail.
  const std::size_t tail = blank == std::string::npos ? 0 : ansiLine.size() - blank;
  return tail <= kMaxCommandTail;
}

std::string JobStateText(Operation operation) {
  return operation == Operation::Backup ? "msback.bat" : "huifu.bat";
}

std::string JobScriptName(Operation operation) {
  return operation == Operation::Backup ? layout::kBackupScript : layout::kRestoreScript;
}

bool WriteAnsiLine(Platform& platform, const std::string& path, const std::string& line) {
  std::string ansi;
  if (!platform.text.ToAnsi(line, ansi)) return false;
  std::unique_ptr<OutputFile> file = platform.files.OpenForWriting(path);
  // A failed write skips Close, which would hide the write's error; the handle is released anyway.
  return file && file->Write(ansi + "\r\n") && file->Flush() && file->Close();
}

bool WriteJobStateFile(Platform& platform, Operation operation) {
  return WriteAnsiLine(platform, layout::JobFile(platform.system, layout::kStateFile),
                       JobStateText(operation));
}

bool WriteJobScript(Platform& platform, Operation operation, const std::string& commandLine) {
  return WriteAnsiLine(
      platform, layout::JobFile(platform.system, JobScriptName(operation)),
      commandLine);
}

}  // namespace tovak
