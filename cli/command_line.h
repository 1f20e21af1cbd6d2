// The program's command line: which command, and for a job, the request it makes.
#pragma once

#include <string>
#include <vector>

#include "job/job.h"

namespace tovak {

enum class Verb { Backup, Restore, Cancel, Status, Usage };

struct Command {
  Verb verb = Verb::Usage;
  JobRequest request;    // Backup and Restore
  bool restart = false;  // restart once the job is prepared, without asking
};

// The arguments after the program's name, split as CommandLineToArgvW splits them: at blanks
// outside quotes; 2n backslashes before a quote give n and the quote groups, 2n+1 give n and the
// quote; of quotes in a row, the third counting the group's opening one gives a quote.
std::vector<std::string> SplitArguments(const std::string& commandLine);

// Switches start with "/" or "-", in any case. False, for the usage, on no command or two, an
// unknown switch or a stray word, a missing image or compression level, a switch the command does
// not take, or a switch given twice.
bool ParseArguments(const std::vector<std::string>& arguments, Command& command);

}  // namespace tovak
