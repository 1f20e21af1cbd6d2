#include "platform/system_drive.h"

#include <gtest/gtest.h>

#include "sim/sim_windows.h"

namespace tovak {
namespace {

TEST(SystemDriveRoot, IsTheFirstThreeCharactersOfTheSystemDirectory) {
  struct Case {
    const char* directory;
    const char* root;
  } cases[] = {
      {"C:\\WINDOWS\\system32", "C:\\"},
      {"D:\\WINNT\\system32", "D:\\"},
      {"c:\\windows\\system32", "c:\\"},  // the case Windows reports is kept
      {"C:", "C:"},
      {"", ""},  // Windows supplied nothing: every path becomes relative
  };
  for (const Case& c : cases) {
    sim::SimWindows windows;
    windows.SetSystemDirectory(c.directory);
    EXPECT_EQ(GetSystemDirectoryPath(windows), c.directory);
    EXPECT_EQ(GetSystemDriveRoot(windows), c.root) << c.directory;
  }
}

}  // namespace
}  // namespace tovak
