// At start, the record the DOS side left: one box for the program's own last job, then it is gone;
// anything else is left alone.
#include "job/last_job_check.h"

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
                   bool imageBefore = false) {
  JobRecord record{"0A1B2C3D", key, operation, "d:\\Nusk\\Nusk.gho", kPrepared, "\\WINDOWS\\Tovak",
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
      // A restore that succeeded leaves no record: the system is as the image had it.
      {"a restore that succeeded", "", kKey, 30, nullptr, ""},
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
