#include "job/last_job_check.h"

#include "job/image_file_info.h"
#include "job/job_messages.h"
#include "job/job_record.h"
#include "platform/file_control.h"
#include "platform/system_drive.h"

namespace tovak {
namespace {

std::string ExitStatus(const JobRecord& record, const char* more = "") {
  return messages::kExitStatusStart + std::to_string(record.exitStatus) + more +
         messages::kExitStatusEnd;
}

// The box: its text, and whether it tells of a failure.
std::string Outcome(Platform& platform, const JobRecord& record, bool& failed) {
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

}  // namespace

bool ReadLastJobResult(Platform& platform, LastJobResult& result) {
  std::string key;
  if (!platform.system.ReadMachineValue(kLastJobValue, key)) return false;
  std::string folder, fromRoot;
  if (!FindRecordFolder(platform.system, folder, fromRoot)) return false;
  result.recordPath = folder + "\\" + kLastJobRecordName;
  std::string ansi, text;
  JobRecord record;
  // A record of another job, or one somebody wrote, is not ours to show or delete.
  if (!platform.files.Read(result.recordPath, 4096, ansi) || !platform.text.FromAnsi(ansi, text) ||
      !ParseJobRecord(text, record) || !record.completed || record.key != key) {
    return false;
  }
  result.text = Outcome(platform, record, result.failed);
  return true;
}

void ShowLastJobResult(Platform& platform) {
  LastJobResult result;
  if (!ReadLastJobResult(platform, result)) return;
  platform.ui.ShowMessage(result.text,
                          result.failed ? messages::kErrorTitle : messages::kNoticeTitle,
                          MessageButtons::Ok,
                          result.failed ? MessageIcon::Critical : MessageIcon::Information);
  // Either one keeps the box from showing twice; neither failing matters more than the box.
  FileControl(platform.files, platform.ui, platform.lastError)
      .DeleteSingleFile(result.recordPath, true);
  platform.system.DeleteMachineValue(kLastJobValue);
}

}  // namespace tovak
