// The job, and the cancel of a job prepared and not run, under faults, for both operations and
// every starting layout, at each counted call: one call fails; every call from there on fails (a
// full disk, a disk that refuses everything), so that the rollback meets the fault too; or the
// program stops dead there and the power goes, so that nothing is rolled back and what was not
// flushed is lost. Whatever happens, the machine starts, nothing of the user's is lost, and the box
// never says it put back what it did not.
#include <gtest/gtest.h>

#include <iostream>

#include "job/job_script.h"
#include "job/pending_job_check.h"
#include "tests/unit/job_harness.h"
#include "tests/unit/machine_starts.h"

namespace tovak::testing {
namespace {

const Layout kLayouts[] = {Layout::NoBoot,     Layout::OwnBoot,  Layout::BootAndMsboot,
                           Layout::PendingJob, Layout::OwnG1ldr, Layout::LowerCaseRoot};
const char* const kRootBootFiles[] = {"boot.ini", "ntldr", "bootfont.bin", "g1ldr"};

enum class Fault { OneCall, DiskFullFrom, RefusedFrom, CrashAt };

const char* Name(Fault fault) {
  switch (fault) {
    case Fault::OneCall: return "one call fails";
    case Fault::DiskFullFrom: return "the disk is full from a call on";
    case Fault::RefusedFrom: return "every call is refused from a call on";
    case Fault::CrashAt: return "a crash and a power cut at a call";
  }
  return "";
}

struct Crash {};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// What runs under the fault: the press of OK, or the cancel offered at start.
enum class Action { Job, Cancel };

struct Scenario {
  Action action;
  Operation operation;
  Layout layout;

  std::string What() const {
    return std::string(action == Action::Job ? "" : "cancel, ") +
           (operation == Operation::Backup ? "backup" : "restore") + ", " + Name(layout);
  }
  // The job's own folder holds nothing of the user's: the pending job's, or the one cancelled.
  bool JobOwnsBoot() const { return layout == Layout::PendingJob || action == Action::Cancel; }
  void Prepare(JobHarness& job) const {
    Arrange(job, layout);
    if (operation == Operation::Restore) {
      job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
      job.form.SelectBackup(false);
      job.form.path = "d:\\Nusk\\Nusk.gho";
    }
    job.windows.QueueAnswer(MessageAnswer::No);
    if (action == Action::Job) return;
    job.Click();
    job.windows.QueueAnswer(MessageAnswer::Yes);
  }
  void Act(JobHarness& job) const {
    if (action == Action::Job) {
      job.Click();
    } else {
      OfferToCancelPendingJob(job.windows.platform());
    }
  }
  bool Done(JobHarness& job) const {
    if (!job.Errors().empty()) return false;
    return action == Action::Job ? job.form.unloaded
                                 : job.windows.Messages().back().text == "任务已取消。";
  }
  SystemBootFiles System() const {
    SystemBootFiles system{layout == Layout::LowerCaseRoot ? "c:\\" : "C:\\",
                           {{"boot.ini", kBootIni},
                            {"ntldr", "system loader"},
                            {"bootfont.bin", "system font"}}};
    if (layout == Layout::OwnG1ldr) system.files["g1ldr"] = "an earlier loader";
    return system;
  }
};

// A file of the user's: anything before the job but the root's boot files and a pending job's
// own folder. One from "boot" or "msboot" may end up in either.
std::string WhatWasLost(const Scenario& scenario, const sim::Snapshot& before,
                        const sim::Snapshot& after) {
  for (const auto& [path, entry] : before) {
    if (entry.folder || StartsWith(path, sim::kMachineKey) ||
        path.find('\\', 3) == std::string::npos) {
      continue;
    }
    const bool inBoot = StartsWith(path, "C:\\boot\\"), inMsboot = StartsWith(path, "C:\\msboot\\");
    // The job's own: its files in "boot", and a restore's record on the image's drive.
    if ((inBoot || StartsWith(path, "D:\\Tovak\\")) && scenario.JobOwnsBoot()) continue;
    std::vector<std::string> places = {path};
    if (inBoot || inMsboot) {
      const std::string relative = path.substr(inBoot ? 8 : 10);
      places = {"C:\\boot\\" + relative, "C:\\msboot\\" + relative};
    }
    bool kept = false;
    for (const std::string& place : places) {
      kept = kept || (after.count(place) && after.at(place).bytes == entry.bytes);
    }
    if (!kept) return path + " lost";
  }
  return std::string();
}

// Each root boot file is as it was (or, after a pending job was cancelled, as the system had it),
// or the box names it with its saved copy, which is there and whole.
std::string WhatWasNotPutBack(const Scenario& scenario, const sim::Snapshot& before,
                              const sim::Snapshot& after, const std::string& box) {
  const SystemBootFiles system = scenario.System();
  for (const char* name : kRootBootFiles) {
    const std::string path = std::string("C:\\") + name;
    const bool was = before.count(path), is = after.count(path);
    // Bytes, attributes and access list: a copy put back must not keep the closed folder's.
    if (was == is && (!was || before.at(path) == after.at(path))) {
      continue;
    }
    auto own = system.files.find(name);
    // One the system never had may stay: nothing names it, as after a job that ran.
    if (own == system.files.end() && is && after.at(path).bytes == SmallPayload(name)) continue;
    if (scenario.JobOwnsBoot() &&
        (own == system.files.end()
             ? !is
             : is && after.at(path).bytes == own->second &&
                   after.at(path).attributes == kBootFileBits)) {
      continue;
    }
    const std::string named = system.root + name + "（副本：";
    const std::size_t at = box.find(named);
    if (at == std::string::npos) return path + " is not put back and the box does not say so";
    const std::size_t end = box.find("）", at);
    const std::string copy = box.substr(at + named.size(), end - at - named.size());
    const std::string copyKey = "C:" + copy.substr(2);
    if (own == system.files.end() || !after.count(copyKey) ||
        after.at(copyKey).bytes != own->second) {
      return path + " is named but its copy " + copy + " is not whole";
    }
  }
  return std::string();
}

// A user's file or folder that the job moved from "boot" to "msboot", or back.
bool MovedBetweenBootFolders(const std::string& path, const sim::Snapshot& before) {
  const std::pair<std::string, std::string> moves[] = {{"C:\\boot\\", "C:\\msboot\\"},
                                                       {"C:\\msboot\\", "C:\\boot\\"}};
  for (const auto& [from, to] : moves) {
    if (StartsWith(path, from) && before.count(to + path.substr(from.size()))) return true;
  }
  return false;
}

// The remembered key after a failure: the earlier one, or none once a pending job was cancelled.
std::string WhatKeyChanged(const Scenario& scenario, const sim::Snapshot& before,
                           const sim::Snapshot& after) {
  const std::string key = std::string(sim::kMachineKey) + "LASTJOB";
  const bool was = before.count(key), is = after.count(key);
  if (was == is && (!is || before.at(key) == after.at(key))) return std::string();
  if (!is && scenario.JobOwnsBoot()) return std::string();
  return "the remembered key changed";
}

// Anything the job made that a failure on a healthy disk should have taken away again.
std::string WhatWasLeftBehind(const sim::Snapshot& before, const sim::Snapshot& after) {
  for (const auto& [path, entry] : after) {
    if (!before.count(path) && !MovedBetweenBootFolders(path, before)) return path + " left behind";
  }
  return std::string();
}

class JobSweep {
 public:
  JobSweep(Scenario scenario, Fault fault) : scenario_(scenario), fault_(fault) {}

  // Counts the calls of an undisturbed run, then runs once per call with the fault there; the
  // power also goes once after the last call.
  int Run(int& runs) {
    JobHarness clean;
    scenario_.Prepare(clean);
    const int start = clean.windows.CallCount();
    scenario_.Act(clean);
    EXPECT_TRUE(scenario_.Done(clean)) << scenario_.What();
    const int calls = clean.windows.CallCount() - start;
    runs = calls + (fault_ == Fault::CrashAt ? 1 : 0);
    int kept = 0;
    for (int k = 1; k <= runs; ++k) {
      const std::string broken = RunAt(k);
      if (broken.empty()) {
        ++kept;
      } else {
        ADD_FAILURE() << Name(fault_) << ", " << scenario_.What() << ", call " << k << " ("
                      << (k <= calls ? clean.windows.CountedCall(start + k) : "after the last")
                      << "): " << broken;
      }
    }
    return kept;
  }

 private:
  // Why the promise was broken with the fault at call k, or empty.
  std::string RunAt(int k) {
    JobHarness job;
    sim::SimWindows& w = job.windows;
    scenario_.Prepare(job);
    const sim::Snapshot before = w.Take();
    const std::size_t asked = w.Messages().size();
    switch (fault_) {
      case Fault::OneCall: w.FailCall(k, error::kAccessDenied); break;
      case Fault::DiskFullFrom:
        w.AtCall(k, [&w] {
          w.SetFreeSpace('C', 0);
          w.SetFreeSpace('D', 0);
        });
        break;
      case Fault::RefusedFrom: w.AtCall(k, [&w] { w.FailEveryCall(error::kAccessDenied); }); break;
      case Fault::CrashAt: w.AtCall(k, [] { throw Crash(); }); break;
    }
    bool crashed = false;
    try {
      scenario_.Act(job);
    } catch (const Crash&) {
      crashed = true;
    }
    if (fault_ == Fault::CrashAt) w.PowerCut();
    const sim::Snapshot after = w.Take();
    std::string broken = WhyItWouldNotStart(after, scenario_.System());
    if (broken.empty()) broken = WhatWasLost(scenario_, before, after);
    if (!broken.empty() || crashed || scenario_.Done(job)) return broken;
    // A pending job that cannot be read is left alone, without a box.
    if (scenario_.action == Action::Cancel && w.Messages().size() == asked) {
      return after == before ? std::string() : "the cancel was not offered, yet something changed";
    }

    if ((scenario_.action == Action::Job && !job.form.Idle()) || job.Errors().size() != 1) {
      return "the window is not idle, or showed " + std::to_string(job.Errors().size()) + " errors";
    }
    if (after.count("C:\\boot.superseded")) return "boot.superseded left behind";
    broken = WhatWasNotPutBack(scenario_, before, after, job.Errors()[0].text);
    // A registry that refuses everything keeps the new key: nothing can put the earlier one back.
    if (broken.empty() && fault_ != Fault::RefusedFrom) {
      broken = WhatKeyChanged(scenario_, before, after);
    }
    if (broken.empty() && fault_ == Fault::OneCall) broken = WhatWasLeftBehind(before, after);
    return broken;
  }

  Scenario scenario_;
  Fault fault_;
};

class JobSweepTest : public ::testing::TestWithParam<Fault> {};

TEST_P(JobSweepTest, WhateverFailsOrStopsTheMachineStartsAndNothingIsLost) {
  for (Action action : {Action::Job, Action::Cancel}) {
    int kept = 0, runs = 0;
    for (Operation operation : {Operation::Backup, Operation::Restore}) {
      for (Layout layout : kLayouts) {
        int calls = 0;
        kept += JobSweep({action, operation, layout}, GetParam()).Run(calls);
        runs += calls;
      }
    }
    std::cout << (action == Action::Job ? "job" : "cancel") << " sweep, " << Name(GetParam())
              << ": " << kept << "/" << runs << "\n";
  }
}

std::string TestName(const ::testing::TestParamInfo<Fault>& info) {
  switch (info.param) {
    case Fault::OneCall: return "OneCall";
    case Fault::DiskFullFrom: return "DiskFullFrom";
    case Fault::RefusedFrom: return "RefusedFrom";
    case Fault::CrashAt: return "CrashAt";
  }
  return "";
}

INSTANTIATE_TEST_SUITE_P(Faults, JobSweepTest,
                         ::testing::Values(Fault::OneCall, Fault::DiskFullFrom, Fault::RefusedFrom,
                                           Fault::CrashAt),
                         TestName);

}  // namespace
}  // namespace tovak::testing
