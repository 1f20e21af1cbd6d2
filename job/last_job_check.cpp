#include "job/last_job_check.h"

#include "job/image_drive_record.h"
#include "job/image_file_info.h"
#include "job/job_messages.h"
#include "job/job_record.h"
#include "job/pending_job.h"
#include "platform/file_control.h"
#include "platform/file_search.h"
#include "platform/system_drive.h"

namespace tovak {
namespace {

std::string ExitStatus(const JobRecord& record, const char* more = "") {
  return messages::kExitStatusStart + std::to_string(record.exitStatus) + more +
         messages::kExitStatusEnd;
}

// The box: its text, and whether it tells of a failure.
std::string RecordBox(Platform& platform, const JobRecord& record, bool& failed) {
  const std::string imageLine = messages::kImageFileLabel + record.imagePath;
  failed = true;
  if (record.operation == Operation::Restore) {
    return messages::kLastRestoreFailed + ExitStatus(record) + "\r\n" + imageLine;
  }
  // Not what was there before the job: the DOS clock knows no time zone, so an image's time says
  // nothing of when it was written, but an earlier image left alone keeps its size and time.
  ImageFileInfo image;
  const bool there = ReadImageFileInfo(platform, record.imagePath, image);
  const bool earlier = there && record.imageWasThere && image.size == record.sizeBefore &&
                       image.written == record.writtenBefore;
  if (record.exitStatus == 0 && earlier) {
    return messages::kLastBackupNoNewImage + ExitStatus(record) + "\r\n" + imageLine + "\r\n" +
           messages::kEarlierImage;
  }
  if (record.exitStatus == 0 && there) {
    failed = false;
    // The exact count too, where the size is rounded.
    std::string size = FormatSize(image.size);
    if (image.size >= 1024) size += "（" + std::to_string(image.size) + messages::kBytes + "）";
    return std::string(messages::kLastBackupDone) + "\r\n" + imageLine + "\r\n" +
           messages::kImageSizeLabel + size + "\r\n" + messages::kImageTimeLabel +
           platform.system.LocalTimeText(image.written);
  }
  const std::string status =
      ExitStatus(record, record.exitStatus == 0 ? messages::kNoImageWritten : "");
  return messages::kLastBackupFailed + status + "\r\n" + imageLine + "\r\n" +
         messages::kDoNotTrustImage;
}

// The job never said how it ended: power lost or a reset while it ran, or its record lost.
std::string CutShort(const JobRecord& job) {
  return std::string(job.operation == Operation::Backup ? messages::kLastBackupCutShort
                                                        : messages::kLastRestoreCutShort) +
         "\r\n" + messages::kImageFileLabel + job.imagePath + "\r\n" + messages::kTrustNoImage;
}

// Without a record on the system drive: the restore that the job was, or that wrote this system
// from an image taken before the job, may have left its record on the image's drive.
bool ResultWithoutRecord(Platform& platform, const std::string& key, LastJobResult& result) {
  std::string info;
  JobRecord job;
  if (!platform.system.ReadMachineValue(kLastJobInfoValue, info) || !ParseLastJobInfo(info, job)) {
    return false;
  }
  OwnContext own(platform);
  JobContext& context = own.job;
  JobRecord restore;
  const bool restored = ReadImageDriveRecord(context, job.imagePath, restore) &&
                        restore.operation == Operation::Restore &&
                        (restore.key == key || restore.prepared > job.prepared);
  if (!restored) {
    result.text = CutShort(job);
    result.cutShort = true;
    return true;
  }
  result.recordPath = ImageDriveRecordPath(job.imagePath);
  if (!restore.completed) {
    result.text = CutShort(restore);
    result.cutShort = true;
  } else if (restore.exitStatus != 0) {
    result.text = RecordBox(platform, restore, result.failed);
  } else {
    result.failed = false;
  }
  return true;
}

}  // namespace

bool ReadLastJobResult(Platform& platform, LastJobResult& result) {
  result = LastJobResult();
  std::string key;
  if (!platform.system.ReadMachineValue(kLastJobValue, key)) return false;
  std::string folder, fromRoot;
  if (!FindRecordFolder(platform.system, folder, fromRoot)) return false;
  JobRecord record;
  // A record of another job, or one somebody wrote, is not ours to show or delete.
  const std::string path = folder + "\\" + layout::kCompletedRecord;
  if (ReadJobRecord(platform, path, record) && record.completed && record.key == key) {
    result.recordPath = path;
    result.text = RecordBox(platform, record, result.failed);
    return true;
  }
  // A job whose mark is still there has not run, or its start cannot be read: nothing to tell;
  // unless the runner began, put boot.ini back and was cut off before it removed the job.
  OwnContext own(platform);
  JobContext& job = own.job;
  const Presence mark = job.File(job.Staged(layout::kJobRecord));
  if (mark == Presence::Unknown ||
      (mark == Presence::Present && LookForLeftover(job, result.leftover) != Presence::Present)) {
    return false;
  }
  result.hasLeftover = mark == Presence::Present;
  return ResultWithoutRecord(platform, key, result);
}

void ForgetLastJobResult(Platform& platform, const LastJobResult& result) {
  OwnContext own(platform);
  JobContext& job = own.job;
  if (!result.recordPath.empty()) job.DeleteFile(result.recordPath);
  if (result.hasLeftover) ClearLeftover(job, result.leftover);
  ForgetLastJob(platform);
}

}  // namespace tovak
