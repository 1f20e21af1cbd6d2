// The command line as Windows hands it over: split as CommandLineToArgvW splits it, arguments
// quoted as scripts quote them come back the same, and a command parsed, written again in its
// plain form, parses the same.
#include "cli/command_line.h"
#include "tests/fuzz/fuzz_support.h"

namespace tovak::fuzz {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// CommandLineToArgvW's rules, with the ones it does not document: the program's name ends at a
// blank, or quoted at the next quote; then 2n backslashes before a quote give n and the quote
// groups, 2n+1 give n and the quote; a closing quote right before a quote gives a quote, and a
// third quote in a row outside a group gives one too.
std::vector<std::string> Reference(const std::string& line) {
  std::size_t i = 0;
  if (i < line.size() && line[i] == '"') {
    i = line.find('"', 1);
    i = i == std::string::npos ? line.size() : i + 1;
  } else {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  std::vector<std::string> arguments;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i == line.size()) return arguments;
  arguments.emplace_back();
  int quotes = 0;
  std::size_t backslashes = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (IsBlank(c) && quotes == 0) {
      while (i < line.size() && IsBlank(line[i])) ++i;
      if (i < line.size()) arguments.emplace_back();
      backslashes = 0;
    } else if (c == '\\') {
      arguments.back() += c;
      ++backslashes;
      ++i;
    } else if (c == '"') {
      std::string& argument = arguments.back();
      argument.resize(argument.size() - backslashes / 2);
      if (backslashes % 2 == 0) {
        ++quotes;
      } else {
        argument.back() = '"';
      }
      ++i;
      backslashes = 0;
      while (i < line.size() && line[i] == '"') {
        if (++quotes == 3) {
          argument += '"';
          quotes = 0;
        }
        ++i;
      }
      if (quotes == 2) quotes = 0;
    } else {
      arguments.back() += c;
      backslashes = 0;
      ++i;
    }
  }
  return arguments;
}

// One argument as a script or a runner quotes it for any of the two rules.
std::string Quote(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

// The command as its plain arguments.
std::vector<std::string> Plain(const Command& command) {
  static const char* const kVerbs[] = {"/backup", "/restore", "/cancel", "/status", "/?"};
  std::vector<std::string> arguments{kVerbs[static_cast<int>(command.verb)]};
  if (command.verb == Verb::Backup || command.verb == Verb::Restore) {
    arguments.push_back(command.request.image.text);
  }
  if (!command.request.compression.empty()) {
    arguments.insert(arguments.end(), {"/z", command.request.compression.substr(1)});
  }
  if (command.request.mapDisks) arguments.push_back("/multidisk");
  if (command.restart) arguments.push_back("/restart");
  return arguments;
}

bool Same(const Command& a, const Command& b) {
  return a.verb == b.verb && a.restart == b.restart && a.request.operation == b.request.operation &&
         a.request.image.text == b.request.image.text && a.request.compression == b.request.compression &&
         a.request.mapDisks == b.request.mapDisks;
}

}  // namespace
}  // namespace tovak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find('\0'));  // the command line is a C string
  const std::vector<std::string> arguments = SplitArguments(line);
  Require(arguments == Reference(line), "split otherwise than CommandLineToArgvW splits");

  std::string quoted = "Tovak.exe";
  for (const std::string& argument : arguments) quoted += " " + Quote(argument);
  Require(SplitArguments(quoted) == arguments, "quoted arguments split otherwise");

  Command command;
  if (!ParseArguments(arguments, command)) return 0;
  Require(!(command.verb == Verb::Backup || command.verb == Verb::Restore) ||
              command.request.operation ==
                  (command.verb == Verb::Restore ? Operation::Restore : Operation::Backup),
          "a command's operation is not its verb's");
  Command again;
  Require(ParseArguments(Plain(command), again) && Same(again, command),
          "a command written again parses otherwise");
  return 0;
}
