// The command line as Windows hands it over, split and read into a command.
#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace tovak {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, IsSplitAsTheCRuntimeSplitsIt) {
  struct Case {
    const char* line;
    Args arguments;
  } cases[] = {
      {"Tovak.exe", {}},
      {"\"C:\\Program Files\\Tovak.exe\"   ", {}},
      {"\"C:\\Program Files\\Tovak.exe\"/status", {"/status"}},
      {"Tovak.exe /backup d:\\Nusk /z 6", {"/backup", "d:\\Nusk", "/z", "6"}},
      {"Tovak.exe\t/backup\t\td:\\", {"/backup", "d:\\"}},
      {"Tovak.exe /restore \"d:\\镜象\\系统.gho\"", {"/restore", "d:\\镜象\\系统.gho"}},
      {"Tovak.exe a\"b c\"d \"\"", {"ab cd", ""}},
      // Backslashes count only before a quote: 2n give n and a quote that groups, 2n+1 a quote.
      {"Tovak.exe \"d:\\a b\\\\\" x", {"d:\\a b\\", "x"}},
      {"Tovak.exe d:\\\\x a\\\"b", {"d:\\\\x", "a\"b"}},
      {"Tovak.exe \"d:\\\"", {"d:\""}},
      // Quotes in a row, as CommandLineToArgvW reads them.
      {"Tovak.exe \"a\"\"b c", {"a\"b", "c"}},
      {"Tovak.exe \"\"\"", {"\""}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitArguments(c.line), c.arguments) << c.line;
}

TEST(CommandLine, NamesACommandAndItsRequest) {
  struct Case {
    Args arguments;
    Verb verb;
    const char* path;
    const char* compression;
    bool mapDisks;
    bool restart;
  } cases[] = {
      {{"/backup", "d:\\Nusk"}, Verb::Backup, "d:\\Nusk", "", false, false},
      {{"-BACKUP", "d:\\x.gho", "/Z", "9", "-MultiDisk", "/restart"},
       Verb::Backup, "d:\\x.gho", "z9", true, true},
      {{"/restart", "/z", "3", "/backup", "e:\\"}, Verb::Backup, "e:\\", "z3", false, true},
      {{"/Restore", "d:\\Nusk\\Nusk.gho", "/multidisk"},
       Verb::Restore, "d:\\Nusk\\Nusk.gho", "", true, false},
      {{"/cancel"}, Verb::Cancel, "", "", false, false},
      {{"-Status"}, Verb::Status, "", "", false, false},
      {{"/?"}, Verb::Usage, "", "", false, false},
      // The path as the path box takes it: refusing it is the job's.
      {{"/backup", "c:\\"}, Verb::Backup, "c:\\", "", false, false},
  };
  for (const Case& c : cases) {
    Command command;
    ASSERT_TRUE(ParseArguments(c.arguments, command)) << c.arguments[0];
    EXPECT_EQ(command.verb, c.verb) << c.arguments[0];
    EXPECT_EQ(command.request.operation,
              c.verb == Verb::Restore ? Operation::Restore : Operation::Backup);
    EXPECT_EQ(command.request.image.text, c.path);
    EXPECT_EQ(command.request.compression, c.compression);
    EXPECT_EQ(command.request.mapDisks, c.mapDisks);
    EXPECT_EQ(command.restart, c.restart);
  }
}

TEST(CommandLine, AnythingElseIsAUsageError) {
  const Args cases[] = {
      {},
      {"/backup"},
      {"/backup", "/z", "3"},
      {"/restore", "-multidisk"},
      {"/backup", "d:\\a", "d:\\b"},
      {"d:\\Nusk"},
      {"/backup", "d:\\a", "/restore", "d:\\a.gho"},
      {"/status", "/cancel"},
      {"/?", "/status"},
      {"/backup", "d:\\a", "/z"},
      {"/backup", "d:\\a", "/z", "5"},
      {"/backup", "d:\\a", "/z", "z6"},
      {"/backup", "d:\\a", "/z6"},
      {"/backup", "d:\\a", "/z", "3", "/z", "3"},
      {"/backup", "d:\\a", "/restart", "/restart"},
      {"/backup", "d:\\a", "/multidisk", "/multidisk"},
      {"/restore", "d:\\a.gho", "/z", "3"},
      {"/status", "/restart"},
      {"/cancel", "/multidisk"},
      {"/restart"},
      {"/backups", "d:\\a"},
      {"/help"},
      {"/"},
      {"-"},
  };
  for (const Args& arguments : cases) {
    Command command;
    std::string line;
    for (const std::string& argument : arguments) line += argument + " ";
    EXPECT_FALSE(ParseArguments(arguments, command)) << line;
  }
}

}  // namespace
}  // namespace tovak
