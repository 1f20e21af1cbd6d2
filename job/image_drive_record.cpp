#include "job/image_drive_record.h"

#include "job/job_script.h"
#include "job/record_folder.h"
#include "platform/file_search.h"

namespace tovak {
namespace {

std::string FolderOf(const std::string& imagePath) {
  return imagePath.substr(0, 2) + "\\" + layout::kRecordFolder;
}

}  // namespace

std::string ImageDriveRecordPath(const std::string& imagePath) {
  return FolderOf(imagePath) + "\\" + layout::kCompletedRecord;
}

bool PrepareImageDriveRecord(JobContext& job, JobRecord& record) {
  if (!MakeImageDriveMark(job.platform.system, record)) return false;
  const std::string folder = FolderOf(record.imagePath);
  const std::string path = ImageDriveRecordPath(record.imagePath);
  JobRecord marked = record;
  marked.token = record.imageDriveMark;
  std::string text = JobRecordText(marked);
  text.resize(text.size() - 2);  // WriteAnsiLine ends the last line
  if (!RecordFolderUsable(job, folder) || !PrepareRecordFolder(job, folder)) {
    record.imageDriveMark.clear();
    return true;
  }
  job.rollback.Add(Rollback::Phase::Remove, [&job, path] { job.DeleteFile(path); });
  if (!WriteAnsiLine(job.platform, path, text)) {
    job.DeleteFile(path);
    record.imageDriveMark.clear();
  }
  return true;
}

bool ReadImageDriveRecord(JobContext& job, const std::string& imagePath, JobRecord& record) {
  const std::string path = ImageDriveRecordPath(imagePath);
  std::uint32_t attributes = 0;
  FileSystem& files = job.platform.files;
  return RecordFolderUsable(job, FolderOf(imagePath)) &&
         job.Attributes(path, attributes) == Presence::Present &&
         (attributes & (attr::kDirectory | attr::kReparsePoint)) == 0 &&
         files.OwnerOf(path) != Ownership::Untrusted && ReadJobRecord(job.platform, path, record);
}

}  // namespace tovak
