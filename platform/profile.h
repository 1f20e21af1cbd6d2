// The private-profile (INI) functions. Strings are UTF-8; the file holds them in the ANSI code page.
#pragma once

#include <cstdint>
#include <string>

namespace tovak {

class Profile {
 public:
  virtual ~Profile() = default;
  // As GetPrivateProfileStringA with a buffer of bufferSize bytes: at most bufferSize - 1 bytes
  // of the value's ANSI form come back.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, std::uint32_t bufferSize,
                                 const std::string& file) = 0;
  // As WritePrivateProfileStringA.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& file) = 0;
};

}  // namespace tovak
