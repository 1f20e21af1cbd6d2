#include "job/job_record.h"

#include "platform/system_drive.h"

namespace tovak {
namespace {

const char kBackup[] = "backup";
const char kRestore[] = "restore";
const char kStatus[] = "status ";

bool IsToken(const std::string& text) {
  return text.size() == kJobTokenLength &&
         text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

// Digits only, and few enough to fit.
bool ReadNumber(const std::string& text, std::uint64_t limit, std::uint64_t& number) {
  if (text.empty() || text.size() > 20 || text.find_first_not_of("0123456789") != std::string::npos) {
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

}  // namespace

bool MakeJobToken(SystemServices& system, std::string& token) {
  unsigned char bytes[kJobTokenLength / 2];
  if (!system.RandomBytes(bytes, sizeof bytes)) return false;
  static const char kDigits[] = "0123456789ABCDEF";
  token.clear();
  for (unsigned char byte : bytes) {
    token += kDigits[byte >> 4];
    token += kDigits[byte & 0xF];
  }
  return true;
}

std::string ImageFilePath(const std::string& path, bool imageFileMode) {
  if (imageFileMode) return path;
  return path + (path.size() > 2 && path.back() == '\\' ? "" : "\\") + "Nusk.gho";
}

std::string JobRecordText(const JobRecord& record) {
  std::string text = record.token + "\r\n" +
                     (record.operation == Operation::Backup ? kBackup : kRestore) + "\r\n" +
                     record.imagePath + "\r\n" + std::to_string(record.prepared) + "\r\n";
  if (record.completed) text += kStatus + std::to_string(record.exitStatus) + " \r\n";
  return text;
}

bool ParseJobRecord(const std::string& text, JobRecord& record) {
  // Every line ends in CR LF; DOS's echo leaves a blank before it.
  std::string line[5];
  int count = 0;
  for (std::size_t start = 0; start < text.size(); ++count) {
    const std::size_t end = text.find("\r\n", start);
    if (count == 5 || end == std::string::npos) return false;
    line[count] = text.substr(start, end - start);
    if (!line[count].empty() && line[count].back() == ' ') line[count].pop_back();
    start = end + 2;
  }
  std::uint64_t prepared = 0, status = 0;
  const bool backup = line[1] == kBackup;
  if (count < 4 || !IsToken(line[0]) || (!backup && line[1] != kRestore) || line[2].empty() ||
      !ReadNumber(line[3], UINT64_MAX, prepared)) {
    return false;
  }
  const bool completed = count == 5;
  if (completed && (line[4].compare(0, sizeof kStatus - 1, kStatus) != 0 ||
                    !ReadNumber(line[4].substr(sizeof kStatus - 1), 255, status))) {
    return false;
  }
  record = JobRecord{line[0], backup ? Operation::Backup : Operation::Restore, line[2], prepared,
                     completed, static_cast<int>(status)};
  return true;
}

bool WriteJobRecord(Platform& platform, const JobRecord& record) {
  std::string text = JobRecordText(record);
  text.resize(text.size() - 2);  // WriteAnsiLine ends the last line
  return WriteAnsiLine(platform,
                       GetSystemDriveRoot(platform.system) + "boot\\qelv\\" + record.token, text);
}

}  // namespace tovak
