// Where the command line's lines go: for the program, the caller's console, a file or a pipe.
#pragma once

#include <string>

namespace tovak {

class TextOutput {
 public:
  virtual ~TextOutput() = default;
  // One line of UTF-8 text; one with line breaks in it is several.
  virtual void WriteLine(const std::string& text) = 0;
};

}  // namespace tovak
