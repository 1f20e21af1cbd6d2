// The entry of the tool's loader in boot.ini, and the two INI procedures.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tovak {

// The value of key in section; empty when the file, section or key is missing. At most 254 bytes
// of its ANSI form (a 255-byte buffer).
std::string ReadIniString(Profile& profile, const std::string& section, const std::string& key,
                          const std::string& file);

// False, writing nothing, when the section or key is empty or blank; otherwise the result of the
// write, so that a boot.ini that could not be changed is not taken for a prepared job.
bool WriteIniString(Profile& profile, const std::string& section, const std::string& key,
                    const std::string& value, const std::string& file);

// In the INI file (a copy of root\boot.ini): the entry root\g1ldr titled "Tovak备份工具" when it
// has no value yet, then "Default" = root\g1ldr and "timeout" = 0. False at the first write that
// fails.
bool AddBootEntry(Platform& platform, const std::string& file);

}  // namespace tovak
