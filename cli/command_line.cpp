#include "cli/command_line.h"

#include <optional>

#include "platform/text_utf8.h"

namespace tovak {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSwitch(const std::string& argument) {
  return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

struct VerbSwitch {
  const char* name;
  Verb verb;
};
constexpr VerbSwitch kVerbs[] = {{"backup", Verb::Backup}, {"restore", Verb::Restore},
                                 {"cancel", Verb::Cancel}, {"status", Verb::Status},
                                 {"?", Verb::Usage}};

bool IsJob(Verb verb) { return verb == Verb::Backup || verb == Verb::Restore; }

}  // namespace

std::vector<std::string> SplitArguments(const std::string& line) {
  std::size_t i = 0;
  // The program's name ends at the first blank or, quoted, at the next quote; no escapes.
  if (i < line.size() && line[i] == '"') {
    i = line.find('"', 1);
    i = i == std::string::npos ? line.size() : i + 1;
  } else {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }

  std::vector<std::string> arguments;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return arguments;
    std::string argument;
    int quotes = 0;  // 1 inside a quoted group
    std::size_t backslashes = 0;
    for (; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      if (c == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else {
          ++quotes;
        }
        backslashes = 0;
        // Quotes in a row: the third, counting the group's opening one, stands for a quote.
        for (; i + 1 < line.size() && line[i + 1] == '"'; ++i) {
          if (++quotes == 3) {
            argument += '"';
            quotes = 0;
          }
        }
        if (quotes == 2) quotes = 0;
        continue;
      }
      argument.append(backslashes, '\\');
      backslashes = 0;
      if (IsBlank(c) && quotes == 0) break;
      argument += c;
    }
    argument.append(backslashes, '\\');
    arguments.push_back(argument);
  }
}

bool ParseArguments(const std::vector<std::string>& arguments, Command& command) {
  command = Command{};
  std::optional<Verb> verb;
  bool compression = false, mapDisks = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (!IsSwitch(arguments[i])) return false;
    const std::string name = LowerAscii(arguments[i].substr(1));
    // The value of a switch that takes one; never another switch.
    auto value = [&](std::string& into) {
      if (i + 1 == arguments.size() || IsSwitch(arguments[i + 1])) return false;
      into = arguments[++i];
      return true;
    };
    bool known = false;
    for (const VerbSwitch& candidate : kVerbs) {
      if (name != candidate.name) continue;
      if (verb) return false;
      verb = candidate.verb;
      if (IsJob(*verb)) {
        std::string image;
        if (!value(image)) return false;
        command.request.image = ImagePath(image);
      }
      known = true;
    }
    if (known) continue;
    if (name == "z") {
      std::string level;
      if (compression || !value(level) || (level != "3" && level != "6" && level != "9")) {
        return false;
      }
      command.request.compression = "z" + level;
      compression = true;
    } else if (name == "multidisk" && !mapDisks) {
      mapDisks = command.request.mapDisks = true;
    } else if (name == "restart" && !command.restart) {
      command.restart = true;
    } else {
      return false;
    }
  }
  // The options belong to a job, compression to a backup only.
  if (!verb || (compression && *verb != Verb::Backup)) return false;
  if ((mapDisks || command.restart) && !IsJob(*verb)) return false;
  command.verb = *verb;
  command.request.operation = *verb == Verb::Restore ? Operation::Restore : Operation::Backup;
  return true;
}

}  // namespace tovak
