// Somebody without rights makes a folder where the job is about to make one of its own, in the
// instant before the create (users may make folders in the root, and names are public): the job
// never takes it for its own, fails, and the machine starts as before, with the user's own "boot"
// where the user finds it and nothing of the job's in the planted folder.
#include <gtest/gtest.h>

#include "tests/unit/job_harness.h"
#include "tests/unit/machine_starts.h"

namespace tovak::testing {
namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The job's own folders as the undisturbed job creates them: the call and the path.
std::vector<std::pair<int, std::string>> ClosedFolderCreates(Layout layout) {
  JobHarness job;
  Arrange(job, layout);
  const int start = job.windows.CallCount();
  EXPECT_EQ(job.Prepare(Backup()).kind, Outcome::Kind::Done);
  const std::string kCreate = "CreateClosedFolder ";
  std::vector<std::pair<int, std::string>> creates;
  for (int k = 1; start + k <= job.windows.CallCount(); ++k) {
    const std::string line = job.windows.CountedCall(start + k);
    // The image folder is the user's choice: one already there is used as it is.
    if (StartsWith(line, kCreate) && line.find(" images") == std::string::npos) {
      creates.emplace_back(k, line.substr(kCreate.size()));
    }
  }
  return creates;
}

TEST(PlantedFolder, AFolderMadeJustBeforeTheJobsOwnCreateIsNeverTaken) {
  const SystemBootFiles system{"C:\\",
                               {{"boot.ini", kBootIni},
                                {"ntldr", "system loader"},
                                {"bootfont.bin", "system font"}}};
  int planted = 0;
  for (Layout layout : {Layout::NoBoot, Layout::OwnBoot, Layout::BootAndMsboot,
                        Layout::PendingJob}) {
    for (const auto& [call, folder] : ClosedFolderCreates(layout)) {
      SCOPED_TRACE(std::string(Name(layout)) + ", " + folder);
      ++planted;
      JobHarness job;
      sim::SimWindows& w = job.windows;
      Arrange(job, layout);
      const sim::Snapshot before = w.Take();
      const std::string plantedFile = folder + "\\planted.txt";
      w.AtCall(call, [&w, folder = folder, plantedFile] {
        w.PutFile(plantedFile, "planted");
        w.SetOwner(folder, Ownership::Untrusted);
      });
      EXPECT_EQ(job.Prepare(Backup()).kind, Outcome::Kind::Failed);
      const sim::Snapshot after = w.Take();
      EXPECT_EQ(WhyItWouldNotStart(after, system), "");
      // A pending job is either still whole or cancelled for good.
      const std::string bootIni = w.Bytes("C:\\boot.ini");
      EXPECT_TRUE(bootIni == kBootIni || bootIni == before.at("C:\\boot.ini").bytes);
      for (const auto& [path, entry] : after) {
        if (StartsWith(path, folder + "\\")) {
          EXPECT_EQ(path, plantedFile);
        }
      }
      // Only inside the job's own closed "boot" (where nobody but an administrator could make it)
      // does the planted folder go, with the job's.
      EXPECT_EQ(w.Bytes(plantedFile), folder == "C:\\boot\\qelv" ? "" : "planted");
      // The user's own files of "boot" (a pending job's are the job's), in "boot" or "msboot" as a
      // job leaves them, but never in somebody else's folder.
      for (const auto& [path, entry] : before) {
        const bool inBoot = StartsWith(path, "C:\\boot\\"), inMsboot = StartsWith(path, "C:\\msboot\\");
        if (entry.folder || (!inBoot && !inMsboot) || (inBoot && layout == Layout::PendingJob)) {
          continue;
        }
        const std::string relative = path.substr(inBoot ? 8 : 10);
        const bool inUsersBoot = folder != "C:\\boot" && w.Bytes("C:\\boot\\" + relative) == entry.bytes;
        EXPECT_TRUE(inUsersBoot || w.Bytes("C:\\msboot\\" + relative) == entry.bytes) << path;
      }
    }
  }
  EXPECT_EQ(planted, 12);  // boot, boot\qelv and the record folder, in each layout
}

}  // namespace
}  // namespace tovak::testing
