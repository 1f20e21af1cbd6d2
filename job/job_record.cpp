#include "job/job_record.h"

#include "job/path_rules.h"
#include "platform/system_drive.h"
#include "platform/text_utf8.h"

namespace tovak {
namespace {

const char kBackup[] = "backup";
const char kRestore[] = "restore";
const char kStatus[] = "status ";
const char kNoImage[] = "none";

bool IsHex(const std::string& text, std::size_t length) {
  return text.size() == length && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

bool RandomHex(SystemServices& system, std::size_t digits, std::string& hex) {
  unsigned char bytes[kJobKeyLength / 2];
  if (!system.RandomBytes(bytes, digits / 2)) return false;
  static const char kDigits[] = "0123456789ABCDEF";
  hex.clear();
  for (std::size_t i = 0; i < digits / 2; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 0xF];
  }
  return true;
}

// Digits only, and few enough to fit.
bool ReadNumber(const std::string& text, std::uint64_t limit, std::uint64_t& number) {
  if (text.empty() || text.size() > 20 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  number = 0;
  for (char digit : text) {
    const std::uint64_t next = number * 10 + static_cast<std::uint64_t>(digit - '0');
    if (next / 10 != number || next > limit) return false;
    number = next;
  }
  return true;
}

// A path from a drive's root that DOS and its batch files take as it is: 8.3 names of letters,
// digits and a few marks that no command line acts on.
bool IsPlainDosPath(const std::string& path) {
  if (path.size() < 2 || path.front() != '\\') return false;
  std::size_t start = 1;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(start, end - start);
    const std::size_t dot = name.find('.');
    const std::size_t base = dot == std::string::npos ? name.size() : dot;
    const std::size_t extension = dot == std::string::npos ? 0 : name.size() - dot - 1;
    if (base == 0 || base > 8 || extension > 3 || (dot != std::string::npos && extension == 0) ||
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-~$.",
                               0) != std::string::npos ||
        name.find('.', base + 1) != std::string::npos) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

}  // namespace

bool FindRecordFolder(SystemServices& system, std::string& folder, std::string& fromRoot) {
  const std::string root = GetSystemDriveRoot(system);
  const std::string windows = GetParentFolder(system.SystemDirectory());
  if (root.size() != 3 || windows.size() <= 3 ||
      LowerAscii(windows.substr(0, 3)) != LowerAscii(root)) {
    return false;
  }
  folder = windows + layout::kRecordFolder;
  fromRoot = folder.substr(2);
  return IsPlainDosPath(fromRoot);
}

bool MakeJobTokenAndKey(SystemServices& system, JobRecord& record) {
  return RandomHex(system, kJobTokenLength, record.token) &&
         RandomHex(system, kJobKeyLength, record.key);
}

bool MakeImageDriveMark(SystemServices& system, JobRecord& record) {
  return RandomHex(system, kJobTokenLength, record.imageDriveMark);
}

std::string JobRecordText(const JobRecord& record) {
  std::string text = record.token + "\r\n" + record.key + "\r\n" +
                     (record.operation == Operation::Backup ? kBackup : kRestore) + "\r\n" +
                     record.imagePath + "\r\n" + std::to_string(record.prepared) + "\r\n" +
                     record.recordFolder + "\r\n" +
                     (record.imageWasThere ? std::to_string(record.sizeBefore) + " " +
                                                 std::to_string(record.writtenBefore)
                                           : kNoImage) +
                     "\r\n" + (record.imageDriveMark.empty() ? kNoImage : record.imageDriveMark) +
                     "\r\n";
  if (record.completed) text += kStatus + std::to_string(record.exitStatus) + " \r\n";
  return text;
}

bool ParseJobRecord(const std::string& text, JobRecord& record) {
  // Every line ends in CR LF.
  std::string line[9];
  int count = 0;
  for (std::size_t start = 0; start < text.size(); ++count) {
    const std::size_t end = text.find("\r\n", start);
    if (count == 9 || end == std::string::npos) return false;
    line[count] = text.substr(start, end - start);
    start = end + 2;
  }
  // DOS's echo leaves a blank before the break of the line the runner adds; a blank on another
  // line is part of it, or the record would read otherwise when written again.
  if (count == 9 && !line[8].empty() && line[8].back() == ' ') line[8].pop_back();
  std::uint64_t prepared = 0, status = 0, size = 0, written = 0;
  const bool backup = line[2] == kBackup;
  const std::size_t blank = line[6].find(' ');
  const bool imageWasThere = line[6] != kNoImage;
  const bool marked = line[7] != kNoImage;
  if (count < 8 || !IsHex(line[0], kJobTokenLength) || !IsHex(line[1], kJobKeyLength) ||
      (!backup && line[2] != kRestore) || line[3].empty() ||
      !ReadNumber(line[4], UINT64_MAX, prepared) || !IsPlainDosPath(line[5]) ||
      (imageWasThere && (blank == std::string::npos ||
                         !ReadNumber(line[6].substr(0, blank), UINT64_MAX, size) ||
                         !ReadNumber(line[6].substr(blank + 1), UINT64_MAX, written))) ||
      (marked && !IsHex(line[7], kJobTokenLength))) {
    return false;
  }
  const bool completed = count == 9;
  if (completed && (line[8].compare(0, sizeof kStatus - 1, kStatus) != 0 ||
                    !ReadNumber(line[8].substr(sizeof kStatus - 1), 255, status))) {
    return false;
  }
  record = JobRecord{line[0],       line[1], backup ? Operation::Backup : Operation::Restore,
                     line[3],       prepared, line[5],
                     imageWasThere, size,     written,
                     marked ? line[7] : std::string(),
                     completed,     static_cast<int>(status)};
  return true;
}

bool WriteJobRecord(Platform& platform, const JobRecord& record) {
  std::string text = JobRecordText(record);
  text.resize(text.size() - 2);  // WriteAnsiLine ends the last line
  return WriteAnsiLine(platform,
                       layout::JobFile(platform.system, layout::kJobRecord),
                       text);
}

bool ReadJobRecord(Platform& platform, const std::string& path, JobRecord& record) {
  std::string ansi, text;
  return platform.files.Read(path, 4096, ansi) && platform.text.FromAnsi(ansi, text) &&
         ParseJobRecord(text, record);
}

std::string LastJobInfoText(const JobRecord& record) {
  return std::string(record.operation == Operation::Backup ? kBackup : kRestore) + " " +
         std::to_string(record.prepared) + " " + record.imagePath;
}

bool ParseLastJobInfo(const std::string& text, JobRecord& record) {
  const std::size_t first = text.find(' ');
  const std::size_t second = first == std::string::npos ? first : text.find(' ', first + 1);
  if (second == std::string::npos || second + 1 == text.size()) return false;
  const std::string operation = text.substr(0, first);
  if ((operation != kBackup && operation != kRestore) ||
      !ReadNumber(text.substr(first + 1, second - first - 1), UINT64_MAX, record.prepared)) {
    return false;
  }
  record.operation = operation == kBackup ? Operation::Backup : Operation::Restore;
  record.imagePath = text.substr(second + 1);
  return true;
}

bool ForgetLastJob(Platform& platform) {
  bool gone = true;
  for (const char* value : {kLastJobValue, kLastJobInfoValue}) {
    gone = (platform.system.DeleteMachineValue(value) ||
            platform.lastError.Get() == error::kFileNotFound) &&
           gone;
  }
  return gone;
}

}  // namespace tovak
