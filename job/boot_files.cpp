#include "job/boot_files.h"

#include <memory>

#include "job/boot_menu_entry.h"
#include "job/job_messages.h"

namespace tovak {
namespace {

bool SaveCopy(JobContext& job, const layout::SavedBootFile& file) {
  const std::string path = job.Root() + file.name;
  const Presence there = job.File(path);
  if (there == Presence::Unknown) return false;
  if (there == Presence::Absent) return !file.required || job.Fail(error::kFileNotFound);
  // The copy would carry the closed folder's access list wherever it is put back.
  const std::string copy = job.InBoot(file.backup);
  return job.control.CopySingleFile(path, copy, true, false) &&
         job.platform.files.CopyAccessList(path, copy);
}

// A read-only file cannot be renamed over.
bool MakeReplaceable(FileSystem& files, const std::string& path, std::uint32_t attributes) {
  if ((attributes & attr::kReadOnly) == 0) return true;
  return files.SetAttributes(path, attr::Settable(attributes & ~attr::kReadOnly));
}

// The staged file of this name takes the root file's place. Until then the root file keeps its
// bytes; a failed job gives it back its attributes, or, once replaced, its saved copy.
bool ReplaceRootFile(JobContext& job, const layout::SavedBootFile& file) {
  FileSystem& files = job.platform.files;
  const std::string path = job.Root() + file.name;
  const std::string saved = job.InBoot(file.backup);
  // A root the file is missing from (the system has no font, say) is fine; one that cannot be read
  // is not.
  const std::uint32_t attributes = files.GetAttributes(path);
  Presence there = Presence::Present;
  if (attributes == attr::kInvalid) {
    if (job.platform.lastError.Get() != error::kFileNotFound) return false;
    there = Presence::Absent;
  }
  if (there == Presence::Present && (attributes & attr::kDirectory) != 0) {
    return job.Fail(error::kAccessDenied);
  }

  enum class Done { Nothing, Writable, Replaced };
  auto done = std::make_shared<Done>(Done::Nothing);
  job.rollback.Add(Rollback::Phase::PutBack, [&job, &files, path, saved, attributes, done] {
    if (*done == Done::Replaced) {
      // A file the system did not have simply goes again.
      if (attributes == attr::kInvalid) {
        job.DeleteFile(path);
      } else {
        PutBack(job, path, saved, attributes);
      }
    } else if (*done == Done::Writable && !files.SetAttributes(path, attr::Settable(attributes))) {
      job.rollback.Keep(path, saved);
    }
  });
  if (there == Presence::Present && (attributes & attr::kReadOnly) != 0) {
    if (!MakeReplaceable(files, path, attributes)) return false;
    *done = Done::Writable;
  }
  if (!files.Replace(job.Staged(file.name), path)) return false;
  *done = Done::Replaced;
  return true;
}

// Why the loader cannot read these bytes as ANSI text; null when it can.
const char* NotAnsiText(const std::string& bytes) {
  auto startsWith = [&bytes](const char* mark) { return bytes.rfind(mark, 0) == 0; };
  if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) return messages::kBootIniUtf16;
  if (startsWith("\xEF\xBB\xBF")) return messages::kBootIniUtf8;
  if (bytes.find('\0') != std::string::npos) return messages::kBootIniNul;
  return nullptr;
}

}  // namespace

bool CheckBootIniText(JobContext& job, std::string& refusal) {
  // Far more than any boot.ini holds; the mark is at the start and a NUL shows early.
  constexpr std::size_t kLimit = 64 * 1024;
  const std::string path = job.Root() + layout::kBootIniFile.name;
  std::string bytes;
  if (!job.platform.files.Read(path, kLimit, bytes)) {
    // A missing one is the save step's to report.
    return job.platform.lastError.Get() == error::kFileNotFound;
  }
  if (const char* why = NotAnsiText(bytes)) refusal = std::string(why) + messages::kBootIniNotAnsi;
  return true;
}

bool SaveBootIni(JobContext& job) { return SaveCopy(job, layout::kBootIniFile); }

bool SaveBootFiles(JobContext& job) {
  for (const layout::SavedBootFile& file : layout::kReplacedBootFiles) {
    if (!SaveCopy(job, file)) return false;
  }
  return true;
}

bool InstallBootFiles(JobContext& job) {
  for (const layout::SavedBootFile& file : layout::kReplacedBootFiles) {
    if (!ReplaceRootFile(job, file)) return false;
  }
  return true;
}

bool SwitchBootIni(JobContext& job) {
  // The INI functions rewrite a file in place: they work on a copy, never on the loader's own. The
  // copy lands in the fresh payload folder and is flushed once it is changed.
  FileSystem& files = job.platform.files;
  const std::string staged = job.Staged(layout::kBootIniFile.name);
  return files.Copy(job.Root() + layout::kBootIniFile.name, staged, true) &&
         files.SetAttributes(staged, attr::kNormal) && AddBootEntry(job.platform, staged) &&
         files.Flush(staged) && ReplaceRootFile(job, layout::kBootIniFile);
}

void PutBack(JobContext& job, const std::string& file, const std::string& savedCopy,
             std::uint32_t attributes) {
  FileSystem& files = job.platform.files;
  // The copy takes the file's attributes first, so that one rename puts back both.
  const std::uint32_t now = files.GetAttributes(file);
  const bool back = files.SetAttributes(savedCopy, attr::Settable(attributes)) &&
                    (now == attr::kInvalid || MakeReplaceable(files, file, now)) &&
                    files.Replace(savedCopy, file);
  if (back) return;
  // Left for the user to put back by hand: a hidden copy would be hard to find.
  files.SetAttributes(savedCopy, attr::kNormal);
  job.rollback.Keep(file, savedCopy);
}

}  // namespace tovak
