// At start, a job prepared and not run is offered for cancelling; only the program's own.
#include "job/pending_job_check.h"
#include "gui/start_boxes.h"

#include <gtest/gtest.h>

#include <functional>

#include "job/job_record.h"
#include "job/job_script.h"
#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

const char* const kRootBootFiles[] = {"C:\\boot.ini", "C:\\ntldr", "C:\\bootfont.bin", "C:\\g1ldr"};

// Every file of C: by path and bytes. "msboot" counts as "boot": like a run, a cancel gives
// "msboot" its name back, a folder merged into it included.
std::map<std::string, std::string> FilesOfC(const sim::Snapshot& snapshot) {
  std::map<std::string, std::string> files;
  for (const auto& [path, entry] : snapshot) {
    if (entry.folder || path.rfind("C:\\", 0) != 0) continue;
    const bool setAside = path.rfind("C:\\msboot\\", 0) == 0;
    files[setAside ? "C:\\boot\\" + path.substr(10) : path] = entry.bytes;
  }
  return files;
}

// Yes leaves C: as it was before the job, every file byte for byte, the root's boot files as the
// DOS side leaves them; No leaves the job as it was.
TEST(PendingJobCheck, AJobNotRunIsOfferedAndYesPutsTheMachineBackAsBeforeIt) {
  for (Operation operation : {Operation::Backup, Operation::Restore}) {
    for (Layout layout : {Layout::NoBoot, Layout::OwnBoot, Layout::BootAndMsboot,
                          Layout::OwnG1ldr, Layout::LowerCaseRoot}) {
      for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        const std::string what = std::string(Name(layout)) +
                                 (operation == Operation::Backup ? ", backup" : ", restore") +
                                 (answer == MessageAnswer::Yes ? ", yes" : ", no");
        JobHarness job;
        Arrange(job, layout);
        job.windows.PutFile("D:\\Nusk\\Nusk.gho", "image");
        job.form.SelectBackup(operation == Operation::Backup);
        job.form.path = operation == Operation::Backup ? "d:\\Nusk" : "d:\\Nusk\\Nusk.gho";
        const sim::Snapshot untouched = job.windows.Take();
        job.windows.QueueAnswer(MessageAnswer::No);
        job.Click();
        const sim::Snapshot pending = job.windows.Take();
        const std::size_t shown = job.windows.Messages().size();

        job.windows.QueueAnswer(answer);
        OfferToCancelPendingJob(job.windows.platform());

        const std::vector<sim::MessageRecord>& boxes = job.windows.Messages();
        ASSERT_GE(boxes.size(), shown + 1) << what;
        const sim::MessageRecord& question = boxes[shown];
        EXPECT_EQ(question.text, operation == Operation::Backup
                                     ? "上次准备的备份任务还没有执行，下次启动电脑时会自动运行。\r\n"
                                       "要取消这个任务吗？"
                                     : "上次准备的恢复任务还没有执行，下次启动电脑时会自动运行。\r\n"
                                       "要取消这个任务吗？")
            << what;
        EXPECT_EQ(question.title, "提示");
        EXPECT_EQ(question.buttons, MessageButtons::YesNoDefaultNo);
        EXPECT_EQ(question.icon, MessageIcon::Information);
        if (answer == MessageAnswer::No) {
          EXPECT_EQ(boxes.size(), shown + 1) << what;
          EXPECT_EQ(job.windows.Take(), pending) << what;
          continue;
        }
        ASSERT_EQ(boxes.size(), shown + 2) << what;
        EXPECT_EQ(boxes.back().text, "任务已取消。");
        EXPECT_EQ(boxes.back().title, "提示");
        EXPECT_EQ(boxes.back().icon, MessageIcon::Information);
        EXPECT_EQ(FilesOfC(job.windows.Take()), FilesOfC(untouched)) << what;
        // The folder the job set aside is given its own attributes back.
        if (untouched.count("C:\\boot") && !untouched.count("C:\\msboot")) {
          EXPECT_EQ(job.windows.Attributes("C:\\boot"), untouched.at("C:\\boot").attributes) << what;
        }
        for (const char* file : kRootBootFiles) {
          if (job.windows.Exists(file)) {
            EXPECT_EQ(job.windows.Attributes(file), kBootFileBits) << what << ": " << file;
          }
        }
      }
    }
  }
}

// What only looks like a job of the program is somebody else's: no box, and nothing changes.
TEST(PendingJobCheck, AnythingButTheProgramsOwnJobIsLeftAloneWithoutABox) {
  auto pending = [](JobHarness& job) {
    job.windows.QueueAnswer(MessageAnswer::No);
    job.Click();
  };
  struct Case {
    const char* what;
    std::function<void(JobHarness&)> arrange;
  } cases[] = {
      {"boot.ini does not start the loader",
       [](JobHarness& job) {
         sim::SimWindows& w = job.windows;
         w.PutFile("C:\\boot\\boot.bak", "[boot loader]\r\ndefault=C:\\evil.bin\r\n");
         w.PutFile("C:\\boot\\qelv\\state.txt", "msback.bat\r\n");
         w.PutFile("C:\\boot\\qelv\\ghost.exe", "planted");
       }},
      {"a state file the DOS side would not run",
       [&](JobHarness& job) {
         pending(job);
         job.windows.PutFile("C:\\boot\\qelv\\state.txt", "MsBack.bat\r\n");
       }},
      {"no imaging program",
       [&](JobHarness& job) {
         pending(job);
         job.windows.Delete("C:\\boot\\qelv\\ghost.exe");
       }},
      {"a saved copy owned by somebody else",
       [&](JobHarness& job) {
         pending(job);
         job.windows.SetOwner("C:\\boot\\boot.bak", Ownership::Untrusted);
       }},
  };
  for (const Case& c : cases) {
    JobHarness job;
    c.arrange(job);
    const sim::Snapshot before = job.windows.Take();
    const std::size_t shown = job.windows.Messages().size();
    job.windows.QueueAnswer(MessageAnswer::Yes);
    OfferToCancelPendingJob(job.windows.platform());
    EXPECT_EQ(job.windows.Messages().size(), shown) << c.what;
    EXPECT_EQ(job.windows.Take(), before) << c.what;
  }
}

}  // namespace
}  // namespace tovak::testing

namespace tovak::testing {
namespace {

// The runner put boot.ini back and was cut off before it removed the job: the job's mark with this
// machine's key stays in "boot", and the user's own folder in "msboot". The start tells that the
// job never reported and removes what is left; a new job does the same before it begins.
TEST(PendingJobCheck, WhatACutRunnerLeftIsToldAndRemoved) {
  for (bool startFirst : {true, false}) {
    const char* what = startFirst ? "at start" : "by the next job";
    JobHarness job;
    Arrange(job, Layout::OwnBoot);
    job.windows.PutFile("C:\\g1ldr", "the system's own loader", kBootFileBits);
    const sim::Snapshot untouched = job.windows.Take();
    job.windows.QueueAnswer(MessageAnswer::No);
    job.Click();
    // What the runner did before the cut: boot.ini back, the system's g1ldr copied whole into the
    // root and not yet renamed over the job's.
    sim::SimWindows& w = job.windows;
    w.PutFile("C:\\boot.ini", w.Bytes("C:\\boot\\boot.bak"), kBootFileBits);
    w.PutFile("C:\\g1ldr.tvk", w.Bytes("C:\\boot\\g1ldr.bak"));
    job.form.unloaded = false;
    if (startFirst) {
      ShowLastJobResult(w.platform());
      ASSERT_FALSE(w.Messages().empty()) << what;
      EXPECT_EQ(w.Messages().back().text.rfind("上次的备份没有报告结束", 0), 0u) << what;
      EXPECT_EQ(w.MachineValue(kLastJobValue), "") << what;
      // The root's files are the runner's to put back; "boot" is the user's again, whole.
      auto underBoot = [](const sim::Snapshot& snapshot) {
        sim::Snapshot boot;
        for (const auto& [path, entry] : snapshot) {
          const bool folder = path == "C:\\boot" || path == "C:\\msboot";
          if (folder || path.rfind("C:\\boot\\", 0) == 0 || path.rfind("C:\\msboot\\", 0) == 0) {
            boot[path] = entry;
          }
        }
        return boot;
      };
      EXPECT_EQ(underBoot(w.Take()), underBoot(untouched)) << what;
      EXPECT_EQ(w.Bytes("C:\\g1ldr"), "the system's own loader") << what;
      EXPECT_FALSE(w.Exists("C:\\g1ldr.tvk")) << what;
    }
    job.windows.QueueAnswer(MessageAnswer::No);
    job.Click();
    EXPECT_TRUE(job.form.unloaded) << what;
    // The user's own folder is set aside whole, and nothing of the earlier job went into it.
    for (const auto& [path, entry] : w.Take()) {
      if (path.rfind("C:\\msboot\\", 0) != 0 || entry.folder) continue;
      const std::string own = "C:\\boot\\" + path.substr(10);
      EXPECT_TRUE(untouched.count(own) && untouched.at(own).bytes == entry.bytes)
          << what << ": " << path;
    }
  }
}

}  // namespace
}  // namespace tovak::testing
