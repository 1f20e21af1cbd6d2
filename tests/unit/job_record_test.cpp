// The job's token and record: fresh for every job, carried by the deployed image, written beside
// the job, remembered where only administrators write, and read back as the DOS side leaves it.
#include "job/job_record.h"

#include <gtest/gtest.h>

#include "job/pending_job_check.h"
#include "payload/payload_catalogue.h"
#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

// The token the deployed image carries, after checking that nothing else of it changed and that
// the record beside the job names it.
std::string DeployedToken(sim::SimWindows& w, const std::string& imagePath) {
  const PayloadFile& image = SmallCatalogue()[18];
  const std::string bytes = w.Bytes("C:\\boot\\qelv\\qelv.img");
  const std::string token = bytes.substr(static_cast<std::size_t>(image.tokenOffset), kJobTokenLength);
  EXPECT_EQ(bytes, DeployedPayload("qelv.img", token));
  JobRecord record;
  EXPECT_TRUE(ParseJobRecord(w.Bytes("C:\\boot\\qelv\\job.txt"), record)) << token;
  EXPECT_EQ(record.token, token);
  EXPECT_EQ(record.imagePath, imagePath);
  EXPECT_EQ(record.recordFolder, "\\WINDOWS\\Tovak");
  EXPECT_EQ(record.imageWasThere, w.Exists(imagePath));
  // Names are public, even in a closed folder: the secrets live in bytes only.
  for (const auto& [path, entry] : w.Take()) {
    EXPECT_EQ(path.find(token), std::string::npos) << path;
    EXPECT_EQ(path.find(record.key), std::string::npos) << path;
  }
  EXPECT_EQ(record.prepared, w.Now());
  EXPECT_FALSE(record.completed);
  // The registry goes into a backup image: it holds the key, never the token.
  EXPECT_EQ(record.key.size(), kJobKeyLength);
  EXPECT_EQ(w.MachineValue(kLastJobValue), record.key);
  EXPECT_EQ(w.MachineValue(kLastJobInfoValue), LastJobInfoText(record));
  return token;
}

// A restore's record goes to the image's drive, which the imaging program only reads, found there
// by a mark of its own; where that cannot be, the restore goes on and its record goes nowhere.
TEST(JobRecord, ARestoreLeavesItsMarkedRecordOnTheImagesDriveOrNowhere) {
  static constexpr char kFolder[] = "D:\\Tovak";
  static constexpr char kPreRecord[] = "D:\\Tovak\\tovakjob.txt";
  struct Case {
    const char* what;
    bool restore;
    void (*arrange)(sim::SimWindows&);
    bool marked;
  } cases[] = {
      {"a restore", true, [](sim::SimWindows&) {}, true},
      {"a backup", false, [](sim::SimWindows&) {}, false},
      {"another user's folder at the place", true,
       [](sim::SimWindows& w) {
         w.PutFile("D:\\Tovak\\mine.txt", "mine");
         w.SetOwner(kFolder, Ownership::Untrusted);
       },
       false},
      {"the folder cannot be made", true,
       [](sim::SimWindows& w) { w.FailOn(sim::Op::CreateClosedFolder, kFolder, 5); }, false},
      {"the record cannot be written", true,
       [](sim::SimWindows& w) { w.FailOn(sim::Op::OpenForWriting, kPreRecord, 5); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JobHarness job;
    sim::SimWindows& w = job.windows;
    w.PutFile("D:\\Nusk\\Nusk.gho", "image");
    job.form.SelectBackup(!c.restore);
    job.form.path = "d:\\Nusk\\Nusk.gho";
    c.arrange(w);
    const bool planted = w.Exists("D:\\Tovak\\mine.txt");
    job.Click();
    ASSERT_TRUE(job.form.unloaded);
    JobRecord record, onImageDrive;
    ASSERT_TRUE(ParseJobRecord(w.Bytes("C:\\boot\\qelv\\job.txt"), record));
    EXPECT_EQ(!record.imageDriveMark.empty(), c.marked);
    EXPECT_EQ(planted, w.Exists("D:\\Tovak\\mine.txt"));
    if (!c.marked) {
      EXPECT_FALSE(w.Exists(kPreRecord));
      continue;
    }
    ASSERT_TRUE(ParseJobRecord(w.Bytes(kPreRecord), onImageDrive));
    EXPECT_EQ(onImageDrive.token, record.imageDriveMark);
    EXPECT_NE(record.imageDriveMark, record.token);
    onImageDrive.token = record.token;
    EXPECT_EQ(JobRecordText(onImageDrive), JobRecordText(record));
    // A cancelled restore leaves no record that would tell of it.
    w.QueueAnswer(MessageAnswer::Yes);
    OfferToCancelPendingJob(w.platform());
    EXPECT_FALSE(w.Exists(kPreRecord));
    EXPECT_EQ(w.MachineValue(kLastJobInfoValue), "");
  }
}

TEST(JobRecord, EachJobCarriesAFreshTokenAndACancelTakesItsRecordAway) {
  JobHarness job;
  sim::SimWindows& w = job.windows;
  job.Click();  // the restart question is answered No
  const std::string first = DeployedToken(w, "d:\\Nusk\\Nusk.gho");

  w.QueueAnswer(MessageAnswer::Yes);
  OfferToCancelPendingJob(w.platform());
  EXPECT_FALSE(w.Exists("C:\\boot\\qelv\\job.txt"));
  // A job that will never run has no result to wait for.
  EXPECT_EQ(w.MachineValue(kLastJobValue), "");

  job.form.unloaded = false;
  job.form.path = "d:\\images\\sys.gho";
  job.Click();
  EXPECT_NE(DeployedToken(w, "d:\\images\\sys.gho"), first);
}

// Nothing on the disk changes, and the last job's token stays what it was.
TEST(JobRecord, AJobThatFailsLeavesNoRecordAndTheEarlierTokenStays) {
  struct Case {
    const char* what;
    void (*arrange)(sim::SimWindows&);
    const char* box;
  } cases[] = {
      {"no random source", [](sim::SimWindows& w) { w.SetRandomFails(true); },
       "写入任务记录失败："},
      {"the machine's value refused", [](sim::SimWindows& w) { w.SetMachineValuesFail(true); },
       "写入任务记录失败：拒绝访问。"},
      {"the key written, its flush failed",
       [](sim::SimWindows& w) { w.SetMachineFlushFails(true); }, "写入任务记录失败：拒绝访问。"},
      {"the key made by somebody else", [](sim::SimWindows& w) { w.PlantMachineKey(); },
       "写入任务记录失败：拒绝访问。"},
      {"the payload refused",
       [](sim::SimWindows& w) { w.FailOn(sim::Op::OpenForWriting, "C:\\boot\\qelv\\stage2", 5); },
       "写入启动文件失败：拒绝访问。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JobHarness job;
    job.windows.PutMachineValue(kLastJobValue, "0BADCAFE");
    c.arrange(job.windows);
    const sim::Snapshot before = job.windows.Take();
    job.Click();
    EXPECT_TRUE(job.windows.Take() == before);
    EXPECT_EQ(job.windows.MachineValue(kLastJobValue), "0BADCAFE");
    ASSERT_EQ(job.Errors().size(), 1u);
    EXPECT_EQ(job.Errors()[0].text.rfind(c.box, 0), 0u) << job.Errors()[0].text;
  }
}

TEST(JobRecord, ReadsWhatTheJobWritesAndWhatTheRunnerAdds) {
  const std::string written =
      "0A1B2C3D\r\n00112233445566AA\r\nbackup\r\nd:\\Nusk\\Nusk.gho\r\n133800000000000000\r\n"
      "\\WINNT\\Tovak\r\n1536 133700000000000000\r\nnone\r\n";
  const std::string marked = written.substr(0, written.size() - 6) + "A0B1C2D3\r\n";
  struct Case {
    const char* what;
    std::string text;
    bool parsed;
    bool completed;
    int status;
    const char* mark = "";
  } cases[] = {
      {"a restore's mark on the image's drive", marked + "status 3 \r\n", true, true, 3,
       "A0B1C2D3"},
      {"a mark in lower case", written.substr(0, written.size() - 6) + "a0b1c2d3\r\n", false,
       false, 0},
      {"as the job writes it", written, true, false, 0},
      {"as the runner leaves it", written + "status 0 \r\n", true, true, 0},
      {"a failure", written + "status 255 \r\n", true, true, 255},
      {"a status beyond DOS's", written + "status 256 \r\n", false, false, 0},
      {"no number", written + "status \r\n", false, false, 0},
      {"more lines", written + "status 1 \r\nstatus 0 \r\n", false, false, 0},
      {"cut short", written.substr(0, 30), false, false, 0},
      {"a token in lower case", "0a1b2c3d" + written.substr(8), false, false, 0},
      // Only the runner's line ends in DOS's blank.
      {"a blank after the token", "0A1B2C3D " + written.substr(8), false, false, 0},
      {"no key", "0A1B2C3D\r\nbackup\r\nd:\\x.gho\r\n1\r\nstatus 0 \r\n", false, false, 0},
      {"another operation", "0A1B2C3D\r\n00112233445566AA\r\ncopy\r\nd:\\x.gho\r\n1\r\n", false,
       false, 0},
      {"no image before", written.substr(0, written.find("1536")), false, false, 0},
      {"no mark", written.substr(0, written.size() - 6), false, false, 0},
      {"an image before without its time",
       written.substr(0, written.find("1536")) + "1536\r\n", false, false, 0},
      {"a record folder DOS cannot name",
       written.substr(0, written.find("\\WINNT")) + "\\Program Files\\Tovak\r\nnone\r\nnone\r\n", false,
       false, 0},
      {"a record folder that a batch line would act on",
       written.substr(0, written.find("\\WINNT")) + "\\WIN|NT\\Tovak\r\nnone\r\nnone\r\n", false, false,
       0},
      {"a power cut's zeros", std::string(written.size(), '\0'), false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JobRecord record;
    ASSERT_EQ(ParseJobRecord(c.text, record), c.parsed);
    if (!c.parsed) continue;
    EXPECT_EQ(record.token, "0A1B2C3D");
    EXPECT_EQ(record.key, "00112233445566AA");
    EXPECT_EQ(record.operation, Operation::Backup);
    EXPECT_EQ(record.imagePath, "d:\\Nusk\\Nusk.gho");
    EXPECT_EQ(record.prepared, 133800000000000000u);
    EXPECT_EQ(record.recordFolder, "\\WINNT\\Tovak");
    EXPECT_TRUE(record.imageWasThere);
    EXPECT_EQ(record.sizeBefore, 1536u);
    EXPECT_EQ(record.writtenBefore, 133700000000000000u);
    EXPECT_EQ(record.imageDriveMark, c.mark);
    EXPECT_EQ(record.completed, c.completed);
    EXPECT_EQ(record.exitStatus, c.status);
    EXPECT_EQ(JobRecordText(record), c.text);
  }
}

}  // namespace
}  // namespace tovak::testing
