#include "platform/file_control.h"

#include "platform/file_search.h"

namespace tovak {
namespace {

constexpr const char* kSourceMissing = "源文件不存在";
constexpr const char* kFolderMissing = "目录路径不存在";
constexpr const char* kAllFiles = "*.*";

}  // namespace

FileControl::FileControl(FileSystem& files, UserInterface& ui, LastError& error)
    : files_(files), ui_(ui), error_(error) {}

void FileControl::Notify(const std::string& text) {
  ui_.ShowMessage(text, kNoticeTitle, MessageButtons::Ok, MessageIcon::Critical);
}

std::uint32_t FileControl::AttributesForCopy(const std::string& source, bool keepSourceAttributes) {
  if (!keepSourceAttributes) return attr::kNormal;
  const std::uint32_t attributes = files_.GetAttributes(source);
  if (attributes == attr::kInvalid) return attr::kNormal;
  return attr::Settable(attributes);
}

bool FileControl::SameLength(const std::string& a, const std::string& b) {
  std::uint64_t lengthA = 0, lengthB = 0;
  return files_.FileLength(a, lengthA) && files_.FileLength(b, lengthB) && lengthA == lengthB;
}

bool FileControl::CopyInto(const std::string& source, const std::string& target,
                           std::uint32_t attributes) {
  if (!files_.Copy(source, target, false)) {
    // Why the copy failed, not why the steps after it found no target.
    const std::uint32_t copyError = error_.Get();
    files_.SetAttributes(target, attributes);
    error_.Set(copyError);
    return false;
  }
  // Flushing opens the copy for writing, so a read-only bit comes last.
  const std::uint32_t writable = attr::Settable(attributes & ~attr::kReadOnly);
  bool settled = files_.SetAttributes(target, writable) && files_.Flush(target);
  if (writable != attributes) settled = files_.SetAttributes(target, attributes) && settled;
  // A target of the same length that the copy did not write is no copy.
  return settled && SameLength(source, target);
}

bool FileControl::CopySingleFile(const std::string& source, const std::string& target,
                                 bool clearTargetAttributes, bool keepSourceAttributes) {
  if (!FileExists(files_, source)) {
    Notify(kSourceMissing);
    return false;
  }
  const std::uint32_t attributes = AttributesForCopy(source, keepSourceAttributes);
  if (EntryExists(files_, target)) {
    // A folder is never written over, and a file only when the caller asked to clear it.
    if (!clearTargetAttributes || !FileExists(files_, target)) {
      error_.Set(error::kFileExists);
      return false;
    }
    files_.SetAttributes(target, attr::kNormal);
  }
  return CopyInto(source, target, attributes);
}

bool FileControl::CopyMatchingFiles(const std::string& sourceFolder,
                                    const std::string& targetFolder, const std::string& pattern,
                                    bool clearTargetAttributes, bool keepSourceAttributes) {
  if (!EntryExists(files_, sourceFolder)) {
    Notify(kSourceMissing);
    return false;
  }
  if (!EntryExists(files_, targetFolder)) {
    Notify(kFolderMissing);
    return false;
  }
  const std::string target = WithTrailingBackslash(targetFolder);
  const Listing listing = FindFiles(files_, ui_, error_, sourceFolder, pattern);
  bool whole = listing.complete;
  for (const std::string& file : listing.paths) {
    const std::string destination = target + GetFileNamePart(file);
    const std::uint32_t attributes = AttributesForCopy(file, keepSourceAttributes);
    if (clearTargetAttributes) files_.SetAttributes(destination, attr::kNormal);
    whole = CopyInto(file, destination, attributes) && whole;
  }
  return whole;
}

bool FileControl::DeleteSingleFile(const std::string& file, bool clearAttributes) {
  if (clearAttributes) files_.SetAttributes(file, attr::kNormal);
  files_.Delete(file);
  return !FileExists(files_, file);
}

void FileControl::DeleteMatchingFiles(const std::string& folder, const std::string& pattern,
                                      bool clearAttributes) {
  for (const std::string& file : FindFiles(files_, ui_, error_, folder, pattern).paths) {
    if (clearAttributes) files_.SetAttributes(file, attr::kNormal);
    files_.Delete(file);
  }
}

bool FileControl::MoveSingleFile(const std::string& source, const std::string& target,
                                 bool clearTargetAttributes, bool keepSourceAttributes) {
  if (CopySingleFile(source, target, clearTargetAttributes, keepSourceAttributes)) {
    DeleteSingleFile(source, true);
  }
  return !FileExists(files_, source);
}

bool FileControl::DeleteTreePass(const std::string& folder,
                                 const std::vector<std::string>& subfolders, bool stopAtFailure) {
  bool clean = true;
  // Children first, the folder itself last; each loses its files and then its attributes, since
  // a read-only folder cannot be removed.
  auto remove = [&](const std::string& path) {
    DeleteMatchingFiles(path, kAllFiles, true);
    const bool normal = files_.SetAttributes(path, attr::kNormal);
    const bool removed = files_.RemoveFolder(path);
    clean = clean && normal && removed;
    return clean || !stopAtFailure;
  };
  for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it) {
    if (!remove(*it)) return false;
  }
  remove(folder);
  return clean;
}

bool FileControl::DeleteFolderTree(const std::string& folder) {
  const std::vector<std::string> subfolders =
      FindFolders(files_, ui_, error_, folder, kAllFiles).paths;
  // A folder that will not go on the first pass gets one more pass that skips what fails.
  if (!DeleteTreePass(folder, subfolders, true)) DeleteTreePass(folder, subfolders, false);
  return !EntryExists(files_, folder);
}

bool FileControl::CopyFolderTree(const std::string& source, const std::string& target,
                                 bool clearTargetAttributes, bool keepSourceAttributes) {
  const std::string to = WithTrailingBackslash(target);
  bool whole = EntryExists(files_, to) || files_.CreateFolder(to);
  const std::string from = WithTrailingBackslash(source);
  const Listing folders = FindFolders(files_, ui_, error_, from, kAllFiles);
  whole = folders.complete && whole;
  for (const std::string& folder : folders.paths) {
    const std::string destination = to + folder.substr(from.size());
    if (!EntryExists(files_, destination) && !files_.CreateFolder(destination)) {
      whole = false;
      break;
    }
    whole = CopyMatchingFiles(folder, destination, kAllFiles, clearTargetAttributes,
                              keepSourceAttributes) && whole;
  }
  whole = CopyMatchingFiles(from, to, kAllFiles, clearTargetAttributes, keepSourceAttributes) &&
          whole;
  return whole;
}

bool FileControl::MoveFolderTree(const std::string& source, const std::string& target,
                                 bool clearTargetAttributes, bool keepSourceAttributes) {
  const bool whole = CopyFolderTree(source, target, clearTargetAttributes, keepSourceAttributes);
  if (!EntryExists(files_, source) || !whole) return false;
  return DeleteFolderTree(source);
}

}  // namespace tovak
