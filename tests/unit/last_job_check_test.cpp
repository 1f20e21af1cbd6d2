// At start, the record the DOS side left: one box for the program's own last job, then it is gone;
// anything else is left alone.
#include "job/last_job_check.h"
#include "gui/start_boxes.h"

#include <gtest/gtest.h>

#include "job/job_record.h"
#include "sim/sim_windows.h"

namespace tovak {
namespace {

constexpr std::uint64_t kPrepared = 133800000000000000u;  // 2024-12-30 02:40 UTC
constexpr std::uint64_t kMinute = 600000000u;
constexpr char kRecord[] = "C:\\WINDOWS\\Tovak\\tovakjob.txt";

constexpr char kKey[] = "00112233445566AA";

// The image before the job: as the case's image file stands before it changes (a day old).
constexpr std::uint64_t kEarlier = kPrepared - 24 * 60 * kMinute;

std::string Record(const char* key, Operation operation, const char* status,
                   bool imageBefore = false, std::uint64_t prepared = kPrepared) {
  JobRecord record{"0A1B2C3D", key, operation, "d:\\Nusk\\Nusk.gho", prepared, "\\WINDOWS\\Tovak",
                   imageBefore, 1536, kEarlier};
  std::string text = JobRecordText(record);
  if (status) text += std::string("status ") + status + " \r\n";
  return text;
}

TEST(LastJobCheck, ShowsTheProgramsOwnRecordAndLeavesAnyOtherAlone) {
  const std::string done =
      "上次的备份已经完成。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n大小：1.5 KB（1536 字节）\r\n"
      "时间：2024-12-30 03:10";
  const std::string untrusted = "\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n"
      "这个位置上如果有镜象文件，它是不完整的或旧的，请不要用它恢复系统。";
  struct Case {
    const char* what;
    std::string record;  // empty: none
    const char* remembered;  // the key under HKLM; null: none
    std::int64_t imageMinutes;  // the image written this long after the job; INT64_MIN: none
    const char* title;  // null: no box, and the record and the token stay
    std::string text;
    const char* place = kRecord;
  } cases[] = {
      {"a backup done", Record(kKey, Operation::Backup, "0"), kKey, 30, "提示", done},
      {"a backup whose DOS clock is a zone behind",
       Record(kKey, Operation::Backup, "0"), kKey, -8 * 60, "提示",
       "上次的备份已经完成。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n大小：1.5 KB（1536 字节）\r\n"
       "时间：2024-12-29 18:40"},
      {"a backup that failed", Record(kKey, Operation::Backup, "12"), kKey, 30, "错误",
       "上次的备份没有完成（Ghost 的退出代码是 12）。" + untrusted},
      {"a backup without its image", Record(kKey, Operation::Backup, "0"), kKey,
       INT64_MIN, "错误",
       "上次的备份没有完成（Ghost 的退出代码是 0，但没有找到这次备份写入的镜象文件）。" + untrusted},
      {"a backup whose DOS clock is a zone ahead", Record(kKey, Operation::Backup, "0"), kKey,
       10 * 60, "提示",
       "上次的备份已经完成。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n大小：1.5 KB（1536 字节）\r\n"
       "时间：2024-12-30 12:40"},
      // Ghost said 0 but left the earlier image as it was.
      {"a backup over an earlier image that stayed", Record(kKey, Operation::Backup, "0", true),
       kKey, -24 * 60, "错误",
       "上次的备份没有写入新的镜象（Ghost 的退出代码是 0）。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n"
       "这个位置上的镜象文件是以前的，不是这次备份写入的。"},
      {"a backup over an earlier image, rewritten", Record(kKey, Operation::Backup, "0", true),
       kKey, -8 * 60, "提示",
       "上次的备份已经完成。\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n大小：1.5 KB（1536 字节）\r\n"
       "时间：2024-12-29 18:40"},
      {"a restore that failed", Record(kKey, Operation::Restore, "1"), kKey, 30,
       "错误", "上次的恢复没有完成（Ghost 的退出代码是 1）。\r\n镜象文件：d:\\Nusk\\Nusk.gho"},
      {"another job's record", Record(kKey, Operation::Backup, "0"), "FFEEDDCCBBAA9988", 30,
       nullptr, ""},
      {"no job remembered", Record(kKey, Operation::Backup, "0"), nullptr, 30, nullptr, ""},
      {"a record the runner did not complete", Record(kKey, Operation::Backup, nullptr),
       kKey, 30, nullptr, ""},
      // Nothing known of the job but its key: nothing to tell.
      {"a key alone", "", kKey, 30, nullptr, ""},
      // Users may create files in the root: only the closed folder is read.
      {"the record in the root", Record(kKey, Operation::Backup, "0"), kKey, 30, nullptr, "",
       "C:\\tovakjob.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimWindows w;
    w.AddDrive('D');
    if (!c.record.empty()) w.PutFile(c.place, c.record);
    if (c.remembered) w.PutMachineValue(kLastJobValue, c.remembered);
    if (c.imageMinutes != INT64_MIN) {
      w.PutFile("D:\\Nusk\\Nusk.gho", std::string(1536, 'i'));
      w.SetWriteTime("D:\\Nusk\\Nusk.gho", kPrepared + c.imageMinutes * static_cast<std::int64_t>(kMinute));
    }
    const sim::Snapshot before = w.Take();
    ShowLastJobResult(w.platform());
    if (!c.title) {
      EXPECT_TRUE(w.Messages().empty());
      EXPECT_TRUE(w.Take() == before);
      EXPECT_EQ(w.MachineValue(kLastJobValue), c.remembered ? c.remembered : "");
      continue;
    }
    ASSERT_EQ(w.Messages().size(), 1u);
    EXPECT_EQ(w.Messages()[0].title, c.title);
    EXPECT_EQ(w.Messages()[0].text, c.text);
    EXPECT_EQ(w.Messages()[0].icon,
              std::string(c.title) == "提示" ? MessageIcon::Information : MessageIcon::Critical);
    EXPECT_FALSE(w.Exists(kRecord));
    EXPECT_EQ(w.MachineValue(kLastJobValue), "");
  }
}

}  // namespace
}  // namespace tovak

namespace tovak {
namespace {

// A record that cannot be deleted is shown once all the same: the token is forgotten.
TEST(LastJobCheck, ARecordThatCannotBeDeletedIsNotShownTwice) {
  sim::SimWindows w;
  w.PutFile(kRecord, Record(kKey, Operation::Restore, "1"));
  w.PutMachineValue(kLastJobValue, kKey);
  w.FailOn(sim::Op::Delete, kRecord, error::kAccessDenied);
  ShowLastJobResult(w.platform());
  ShowLastJobResult(w.platform());
  EXPECT_EQ(w.Messages().size(), 1u);
  EXPECT_TRUE(w.Exists(kRecord));
}

}  // namespace
}  // namespace tovak

namespace tovak {
namespace {

// Without a record on the system drive: a job that never reported, or a restore whose record is on
// the image's drive, which may have written this very system from an image taken before it.
TEST(LastJobCheck, AJobWithoutItsRecordIsCutShortUnlessTheImagesDriveTellsOfARestore) {
  constexpr char kImageDriveRecord[] = "D:\\Tovak\\tovakjob.txt";
  constexpr char kOtherKey[] = "FFEEDDCCBBAA9988";
  const std::string imageLine = "\r\n镜象文件：d:\\Nusk\\Nusk.gho\r\n";
  const std::string trustNone = "在一次备份完成之前，请不要信任这个位置上的镜象文件。";
  const std::string backupCutShort =
      "上次的备份没有报告结束，可能在进行中被断电或重启打断了。" + imageLine + trustNone;
  const std::string later = Record(kOtherKey, Operation::Restore, "0", false, kPrepared + kMinute);
  struct Case {
    const char* what;
    Operation remembered;
    std::string imageDrive;  // the record on the image's drive; empty: none
    Ownership owner;         // of that record and its folder
    const char* title;       // null: no box
    std::string text;
    bool forgotten = true;   // the key and the image drive's record are gone
  } cases[] = {
      {"a backup that never reported", Operation::Backup, "", Ownership::Unknown, "错误",
       backupCutShort},
      {"a restore that failed", Operation::Restore, Record(kKey, Operation::Restore, "7"),
       Ownership::Trusted, "错误",
       "上次的恢复没有完成（Ghost 的退出代码是 7）。\r\n镜象文件：d:\\Nusk\\Nusk.gho"},
      {"a restore that never reported", Operation::Restore,
       Record(kKey, Operation::Restore, nullptr), Ownership::Unknown, "错误",
       "上次的恢复没有报告结束，可能在进行中被断电或重启打断了。" + imageLine + trustNone},
      // The system is the image's, with the key of the backup that took it.
      {"a later restore that succeeded", Operation::Backup, later, Ownership::Trusted, nullptr,
       ""},
      {"a later restore that failed", Operation::Backup,
       Record(kOtherKey, Operation::Restore, "2", false, kPrepared + kMinute), Ownership::Trusted,
       "错误", "上次的恢复没有完成（Ghost 的退出代码是 2）。\r\n镜象文件：d:\\Nusk\\Nusk.gho"},
      {"an earlier restore's record", Operation::Backup,
       Record(kOtherKey, Operation::Restore, "0", false, kPrepared - kMinute), Ownership::Trusted,
       "错误", backupCutShort, false},
      {"a restore record another user made", Operation::Backup, later, Ownership::Untrusted,
       "错误", backupCutShort, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimWindows w;
    w.AddDrive('D');
    w.PutMachineValue(kLastJobValue, kKey);
    JobRecord job;
    job.operation = c.remembered;
    job.prepared = kPrepared;
    job.imagePath = "d:\\Nusk\\Nusk.gho";
    w.PutMachineValue(kLastJobInfoValue, LastJobInfoText(job));
    if (!c.imageDrive.empty()) {
      w.PutFile(kImageDriveRecord, c.imageDrive);
      w.SetOwner("D:\\Tovak", c.owner);
      w.SetOwner(kImageDriveRecord, c.owner);
    }
    ShowLastJobResult(w.platform());
    ASSERT_EQ(w.Messages().size(), c.title ? 1u : 0u);
    if (c.title) {
      EXPECT_EQ(w.Messages()[0].title, c.title);
      EXPECT_EQ(w.Messages()[0].text, c.text);
    }
    EXPECT_EQ(w.MachineValue(kLastJobValue), "");
    EXPECT_EQ(w.MachineValue(kLastJobInfoValue), "");
    EXPECT_EQ(w.Exists(kImageDriveRecord), !c.imageDrive.empty() && !c.forgotten);
  }
}

// A job that waits (boot.ini starts its loader) has no record yet; one whose mark cannot be looked
// at is not told either.
TEST(LastJobCheck, AJobThatWaitsIsNotCutShort) {
  for (bool readable : {true, false}) {
    SCOPED_TRACE(readable ? "its mark there" : "its mark unreadable");
    sim::SimWindows w;
    w.PutFile("C:\\boot.ini", "[boot loader]\r\ndefault=C:\\g1ldr\r\n");
    w.PutFile("C:\\boot\\qelv\\job.txt", Record(kKey, Operation::Backup, nullptr));
    if (!readable) w.FailOn(sim::Op::GetAttributes, "C:\\boot\\qelv\\job.txt", error::kAccessDenied);
    w.PutMachineValue(kLastJobValue, kKey);
    w.PutMachineValue(kLastJobInfoValue, "backup 1 d:\\Nusk\\Nusk.gho");
    const sim::Snapshot before = w.Take();
    ShowLastJobResult(w.platform());
    EXPECT_TRUE(w.Messages().empty());
    EXPECT_TRUE(w.Take() == before);
  }
}

}  // namespace
}  // namespace tovak
