#include "job/job_token.h"

#include "job/job_script.h"
#include "platform/system_drive.h"

namespace tovak {

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

bool WriteJobTokenMark(Platform& platform, const std::string& token) {
  return WriteAnsiLine(platform, GetSystemDriveRoot(platform.system) + "boot\\qelv\\" + token,
                       token);
}

}  // namespace tovak
