// The DOS side names the job's files in its batch files: each name there must be one the Windows
// side writes where the layout says, or the runner would look for a file that is never there.
#include "job/system_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

namespace tovak {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Every path the job writes or leaves, from a drive's root, as the runner may name it.
std::set<std::string> JobPaths() {
  const std::string boot = std::string("\\") + layout::kBoot;
  const std::string jobFolder = std::string("\\") + layout::kJobFolder;
  std::set<std::string> paths = {"\\*.*", boot, boot + "\\*.*", jobFolder, jobFolder + "\\*.*",
                                 std::string("\\") + layout::kSetAside};
  for (const char* name : {layout::kStateFile, layout::kJobRecord, layout::kImagingProgram, "%w%"}) {
    paths.insert(jobFolder + "\\" + name);
  }
  for (const layout::SavedBootFile& file : layout::kReplacedBootFiles) {
    paths.insert(std::string("\\") + file.name);
    paths.insert(boot + "\\" + file.backup);
  }
  for (const layout::RunnerCopy& file : layout::kRunnerCopies) {
    paths.insert(std::string("\\") + file.copy);
  }
  paths.insert(std::string("\\") + layout::kBootIniFile.name);
  paths.insert(boot + "\\" + layout::kBootIniFile.backup);
  // The record folder as the record's own line names it, and a restore's on the image's drive.
  paths.insert(std::string("%r%\\") + layout::kCompletedRecord);
  paths.insert(std::string("\\") + layout::kRecordFolder + "\\" + layout::kCompletedRecord);
  std::set<std::string> lower;
  for (const std::string& path : paths) lower.insert(Lower(path));
  return lower;
}

TEST(SystemLayout, TheRunnerNamesOnlyFilesTheJobLeaves) {
  const std::set<std::string> known = JobPaths();
  // A drive the runner found by the job's mark: %s% (or %1 in the per-drive file) and %i%.
  const std::regex onJobDrive(R"(%(?:s%|1|i%):([^\s,>|"]+))");
  std::set<std::string> named;
  for (const auto& entry : std::filesystem::directory_iterator(TOVAK_SOURCE_DIR "/payload/preboot")) {
    if (Lower(entry.path().extension().string()) != ".bat") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (std::sregex_iterator it(text.begin(), text.end(), onJobDrive), end; it != end; ++it) {
      const std::string path = Lower((*it)[1].str());
      named.insert(path);
      EXPECT_TRUE(known.count(path)) << entry.path().filename() << " names " << path;
    }
  }
  // And the runner reads what the job writes for it.
  for (const std::string& path : {std::string("\\boot\\qelv\\") + layout::kStateFile,
                                  std::string("\\boot\\qelv\\") + layout::kJobRecord,
                                  std::string("\\boot\\qelv\\") + layout::kImagingProgram,
                                  std::string("\\boot\\") + layout::kBootIniFile.backup,
                                  std::string("\\") + layout::kSetAside}) {
    EXPECT_TRUE(named.count(Lower(path))) << "the runner never names " << path;
  }
}

}  // namespace
}  // namespace tovak
