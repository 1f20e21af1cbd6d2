#include "job/job_record.h"

#include "platform/system_drive.h"

namespace tovak {
namespace {

const char kBackup[] = "backup";
const char kRestore[] = "restore";
const char kStatus[] = "status ";

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

}  // namespace

bool MakeJobTokenAndKey(SystemServices& system, JobRecord& record) {
  return RandomHex(system, kJobTokenLength, record.token) &&
         RandomHex(system, kJobKeyLength, record.key);
}

std::string JobRecordText(const JobRecord& record) {
  std::string text = record.token + "\r\n" + record.key + "\r\n" +
                     (record.operation == Operation::Backup ? kBackup : kRestore) + "\r\n" +
                     record.imagePath + "\r\n" + std::to_string(record.prepared) + "\r\n";
  if (record.completed) text += kStatus + std::to_string(record.exitStatus) + " \r\n";
  return text;
}

bool ParseJobRecord(const std::string& text, JobRecord& record) {
  // Every line ends in CR LF; DOS's echo leaves a blank before it.
  std::string line[6];
  int count = 0;
  for (std::size_t start = 0; start < text.size(); ++count) {
    const std::size_t end = text.find("\r\n", start);
    if (count == 6 || end == std::string::npos) return false;
    line[count] = text.substr(start, end - start);
    if (!line[count].empty() && line[count].back() == ' ') line[count].pop_back();
    start = end + 2;
  }
  std::uint64_t prepared = 0, status = 0;
  const bool backup = line[2] == kBackup;
  if (count < 5 || !IsHex(line[0], kJobTokenLength) || !IsHex(line[1], kJobKeyLength) ||
      (!backup && line[2] != kRestore) || line[3].empty() ||
      !ReadNumber(line[4], UINT64_MAX, prepared)) {
    return false;
  }
  const bool completed = count == 6;
  if (completed && (line[5].compare(0, sizeof kStatus - 1, kStatus) != 0 ||
                    !ReadNumber(line[5].substr(sizeof kStatus - 1), 255, status))) {
    return false;
  }
  record = JobRecord{line[0], line[1], backup ? Operation::Backup : Operation::Restore, line[3],
                     prepared, completed, static_cast<int>(status)};
  return true;
}

bool WriteJobRecord(Platform& platform, const JobRecord& record) {
  std::string text = JobRecordText(record);
  text.resize(text.size() - 2);  // WriteAnsiLine ends the last line
  return WriteAnsiLine(platform,
                       GetSystemDriveRoot(platform.system) + "boot\\qelv\\" + record.token, text);
}

}  // namespace tovak
