// Every counted call of a job made to fail in turn: the job either completes, or the machine is
// left as it was, with its boot files byte for byte and no file of "boot" or "msboot" lost.
#include <gtest/gtest.h>

#include <iostream>

#include "job/job_script.h"
#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

const char* const kRootBootFiles[] = {"C:\\boot.ini", "C:\\ntldr", "C:\\bootfont.bin", "C:\\g1ldr"};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

void Prepare(JobHarness& job, Layout layout, Operation operation) {
  Arrange(job, layout);
  if (operation == Operation::Restore) {
    job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
    job.form.SelectBackup(false);
    job.form.path = "d:\\Nusk\\Nusk.gho";
  }
  job.windows.QueueAnswer(MessageAnswer::No);
}

// Files and their bytes; the folder a superseded job waits in may outlive a job that succeeded.
std::map<std::string, std::string> Files(const sim::Snapshot& snapshot) {
  std::map<std::string, std::string> files;
  for (const auto& [path, entry] : snapshot) {
    if (!entry.folder && !StartsWith(path, "C:\\boot.superseded\\")) files[path] = entry.bytes;
  }
  return files;
}

bool Complete(JobHarness& job, const sim::Snapshot& prepared) {
  return job.form.unloaded && job.Errors().empty() && Files(job.windows.Take()) == Files(prepared);
}

// Why the machine is not as it was, or empty when it is.
std::string Difference(const sim::Snapshot& before, const sim::Snapshot& after) {
  for (const char* file : kRootBootFiles) {
    const bool was = before.count(file) != 0, is = after.count(file) != 0;
    if (was != is || (was && before.at(file).bytes != after.at(file).bytes)) {
      return std::string(file) + " changed";
    }
  }
  for (const auto& [path, entry] : before) {
    if (entry.folder || !(StartsWith(path, "C:\\boot\\") || StartsWith(path, "C:\\msboot\\"))) continue;
    // Merged into "msboot" counts as kept.
    const std::string merged = "C:\\msboot\\" + path.substr(path.find('\\', 3) + 1);
    const bool kept = (after.count(path) && after.at(path).bytes == entry.bytes) ||
                      (after.count(merged) && after.at(merged).bytes == entry.bytes);
    if (!kept) return path + " lost";
  }
  for (const auto& [path, entry] : after) {
    if (!before.count(path) && !StartsWith(path, "C:\\msboot\\")) return path + " left behind";
  }
  return std::string();
}

TEST(JobFaultSweep, EveryFailedCallEitherCompletesOrPutsTheMachineBack) {
  for (Operation operation : {Operation::Backup, Operation::Restore}) {
    for (Layout layout : {Layout::NoBoot, Layout::OwnBoot, Layout::BootAndMsboot,
                          Layout::PendingJob, Layout::OwnG1ldr}) {
      const char* what = operation == Operation::Backup ? "backup" : "restore";
      JobHarness clean(Payload::AsBuilt);
      Prepare(clean, layout, operation);
      clean.Click();
      ASSERT_TRUE(clean.form.unloaded && clean.Errors().empty()) << what << ", " << Name(layout);
      const sim::Snapshot prepared = clean.windows.Take();
      const int calls = clean.windows.CallCount();

      int completed = 0, restored = 0;
      for (int k = 1; k <= calls; ++k) {
        JobHarness job(Payload::AsBuilt);
        Prepare(job, layout, operation);
        const sim::Snapshot before = job.windows.Take();
        job.windows.FailCall(k, error::kAccessDenied);
        job.Click();
        if (Complete(job, prepared)) {
          ++completed;
          continue;
        }
        const std::string difference = Difference(before, job.windows.Take());
        const bool idle = job.form.Idle() && job.Errors().size() == 1;
        if (idle && difference.empty()) {
          ++restored;
          continue;
        }
        ADD_FAILURE() << what << ", " << Name(layout) << ": call " << k << " ("
                      << clean.windows.CountedCall(k) << ") failed; "
                      << (difference.empty() ? "the window is not idle or showed "
                                               + std::to_string(job.Errors().size()) + " errors"
                                             : difference);
      }
      std::cout << "fault sweep, " << what << ", " << Name(layout) << ": " << calls
                << " calls, " << completed << " completed, " << restored << " put back\n";
    }
  }
}

}  // namespace
}  // namespace tovak::testing
