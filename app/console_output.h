// Where the command line's lines go on Windows.
#pragma once

#include <windows.h>

#include <string>

#include "cli/text_output.h"

namespace tovak {

// Standard output redirected to a file, a pipe or a device such as NUL takes the lines in the
// ANSI code page with CR LF, as a script reads them; else the console of the program that started
// this one takes them as UTF-16, whatever its code page; else they go nowhere.
class ConsoleOutput final : public TextOutput {
 public:
  ConsoleOutput();
  ~ConsoleOutput() override;
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;

  void WriteLine(const std::string& text) override;

 private:
  void ToConsole(const std::wstring& text);

  HANDLE redirected_ = nullptr;
  HANDLE console_ = INVALID_HANDLE_VALUE;
};

}  // namespace tovak
