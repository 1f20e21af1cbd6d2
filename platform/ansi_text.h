// Conversion between the program's UTF-8 and the system's ANSI code page.
#pragma once

#include <cstdint>
#include <string>

namespace tovak {

class AnsiText {
 public:
  virtual ~AnsiText() = default;
  virtual std::uint32_t CodePage() = 0;
  // False, with ERROR_NO_UNICODE_TRANSLATION, when a character has no form in the code page: its
  // ANSI form would name something else.
  virtual bool ToAnsi(const std::string& utf8, std::string& ansi) = 0;
  virtual bool FromAnsi(const std::string& ansi, std::string& utf8) = 0;
};

}  // namespace tovak
