// The file primitives, with the effects and error codes of the ANSI Win32 functions.
#include <algorithm>
#include <cstdio>

#include "sim/machine.h"
#include "sim/wildcard.h"

namespace tovak::sim {
namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

bool IsReadOnly(const Node& node) { return (node.bits & attr::kReadOnly) != 0; }

// A name ending in "\" can only be a folder: NT refuses it as a file's name.
bool RefusesFileName(Machine& machine, const Place& place) {
  if (!place.trailingBackslash || (place.node && place.node->folder)) return false;
  machine.Fail(error::kInvalidName);
  return true;
}

// The entry a call works on, which must exist; a root has no entry to work on.
bool Existing(Machine& machine, const Place& place) {
  if (!place.node) return machine.Fail(error::kFileNotFound);
  if (!place.folder) return machine.Fail(error::kAccessDenied);
  return !RefusesFileName(machine, place);
}

FindData Entry(const std::string& name, const Node& node) {
  return FindData{node.Attributes(), name};
}

class SimFileSearch final : public FileSearch {
 public:
  SimFileSearch(Machine& machine, std::string pattern, std::vector<FindData> entries)
      : machine_(machine), pattern_(std::move(pattern)), entries_(std::move(entries)) {}

  bool Next(FindData& entry) override {
    if (!machine_.Admit(Op::FindNext, "FindNext " + pattern_, pattern_)) return false;
    if (next_ == entries_.size()) return machine_.Fail(error::kNoMoreFiles);
    entry = entries_[next_++];
    return true;
  }

 private:
  Machine& machine_;
  std::string pattern_;
  std::vector<FindData> entries_;
  std::size_t next_ = 1;  // FindFirst gave the first
};

class SimOutputFile final : public OutputFile {
 public:
  SimOutputFile(Machine& machine, Node& file, std::string path)
      : machine_(machine), file_(&file), path_(std::move(path)) {
    machine_.openFiles.insert(file_);
  }
  ~SimOutputFile() override {
    if (file_) machine_.openFiles.erase(file_);
  }

  bool Write(std::string_view bytes) override {
    if (!machine_.Admit(Op::Write, "Write " + path_ + " " + std::to_string(bytes.size()), path_)) {
      return false;
    }
    if (!file_) return machine_.Fail(error::kInvalidHandle);
    const std::size_t end = offset_ + bytes.size();
    const std::size_t size = std::max(file_->bytes.size(), end);
    if (!machine_.Fits(file_->Drive(), file_->bytes.size(), size)) {
      return machine_.Fail(error::kDiskFull);
    }
    file_->bytes.resize(size);
    file_->bytes.replace(offset_, bytes.size(), bytes);
    if (!bytes.empty()) {
      file_->bits |= attr::kArchive;
      file_->unflushed = true;
      file_->written = machine_.now;
    }
    offset_ = end;
    return true;
  }

  bool Flush() override {
    if (!machine_.Admit(Op::Flush, "Flush " + path_, path_)) return false;
    if (!file_) return machine_.Fail(error::kInvalidHandle);
    file_->unflushed = false;
    return true;
  }

  bool Close() override {
    if (!machine_.Admit(Op::Close, "Close " + path_, path_)) return false;
    if (!file_) return machine_.Fail(error::kInvalidHandle);
    if (file_->bytes.size() != offset_) file_->unflushed = true;
    file_->bytes.resize(offset_);
    machine_.openFiles.erase(file_);
    file_ = nullptr;
    return true;
  }

 private:
  Machine& machine_;
  Node* file_;  // stays valid while open: an open file cannot be deleted or moved off its drive
  std::string path_;
  std::size_t offset_ = 0;
};

}  // namespace

std::unique_ptr<FileSearch> SimWindows::FindFirst(const std::string& pattern, FindData& first) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::FindFirst, "FindFirst " + pattern, pattern) || !m.Locate(pattern, place, true)) {
    return nullptr;
  }
  // A root, or a folder named with a trailing "\", leaves no name to search for.
  if (!place.folder || place.trailingBackslash) {
    m.Fail(error::kFileNotFound);
    return nullptr;
  }
  std::vector<FindData> entries;
  if (!HasWildcards(place.name)) {
    if (place.node) entries.push_back(Entry(place.node->name, *place.node));
  } else {
    const Node& folder = *place.folder;
    if (folder.parent) {
      if (MatchesPattern(place.name, ".")) entries.push_back(Entry(".", folder));
      if (MatchesPattern(place.name, "..")) entries.push_back(Entry("..", *folder.parent));
    }
    for (const auto& [key, child] : folder.children) {
      if (MatchesPattern(place.name, child->name)) entries.push_back(Entry(child->name, *child));
    }
  }
  if (entries.empty()) {
    m.Fail(error::kFileNotFound);
    return nullptr;
  }
  first = entries.front();
  return std::make_unique<SimFileSearch>(m, pattern, std::move(entries));
}

std::uint32_t SimWindows::GetAttributes(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::GetAttributes, "GetAttributes " + path, path) || !m.Locate(path, place)) {
    return attr::kInvalid;
  }
  if (!place.node) {
    m.Fail(error::kFileNotFound);
    return attr::kInvalid;
  }
  return RefusesFileName(m, place) ? attr::kInvalid : place.node->Attributes();
}

bool SimWindows::SetAttributes(const std::string& path, std::uint32_t attributes) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::SetAttributes, "SetAttributes " + path + " " + Hex(attributes), path) ||
      !m.Locate(path, place)) {
    return false;
  }
  if (!place.node) return m.Fail(error::kFileNotFound);
  if (RefusesFileName(m, place)) return false;
  place.node->bits = SettableBits(attributes);
  return true;
}

bool SimWindows::Copy(const std::string& from, const std::string& to, bool failIfExists) {
  Machine& m = *state_;
  Place source, target;
  if (!m.Admit(Op::Copy, "Copy " + from + " -> " + to, from, to) || !m.Locate(from, source) ||
      !Existing(m, source) || !m.Locate(to, target)) {
    return false;
  }
  const Node& file = *source.node;
  if (file.folder) return m.Fail(error::kAccessDenied);
  if (!target.folder) return m.Fail(error::kAccessDenied);
  if (RefusesFileName(m, target)) return false;
  Node* copy = target.node;
  if (copy) {
    if (copy == &file) return m.Fail(error::kSharingViolation);
    if (failIfExists) return m.Fail(error::kFileExists);
    if (copy->folder || IsReadOnly(*copy)) return m.Fail(error::kAccessDenied);
    if (m.IsOpen(*copy)) return m.Fail(error::kSharingViolation);
    // CopyFile creates the target anew with the source's bits; NT refuses to replace a hidden
    // or system file by one that lacks those bits.
    const std::uint32_t lost = copy->bits & ~file.bits & (attr::kHidden | attr::kSystem);
    if (lost != 0) return m.Fail(error::kAccessDenied);
  }
  const std::uint64_t before = copy ? copy->bytes.size() : 0;
  if (!m.Fits(target.folder->Drive(), before, file.bytes.size())) return m.Fail(error::kDiskFull);
  if (!copy) copy = &m.tree.Add(*target.folder, target.name, false);
  copy->bytes = file.bytes;
  copy->bits = file.bits | attr::kArchive;
  copy->unflushed = true;
  copy->written = file.written;  // CopyFile keeps the time of the last write
  return true;
}

bool SimWindows::Delete(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::Delete, "Delete " + path, path) || !m.Locate(path, place) ||
      !Existing(m, place)) {
    return false;
  }
  Node& file = *place.node;
  if (file.folder || IsReadOnly(file)) return m.Fail(error::kAccessDenied);
  if (m.IsOpen(file)) return m.Fail(error::kSharingViolation);
  m.tree.Remove(file);
  return true;
}

bool SimWindows::Rename(const std::string& from, const std::string& to) {
  Machine& m = *state_;
  Place source, target;
  if (!m.Admit(Op::Rename, "Rename " + from + " -> " + to, from, to) || !m.Locate(from, source) ||
      !Existing(m, source) || !m.Locate(to, target)) {
    return false;
  }
  Node& node = *source.node;
  if (!target.folder) return m.Fail(error::kAccessDenied);
  if (target.node && target.node != &node) return m.Fail(error::kAlreadyExists);
  if (!node.folder && RefusesFileName(m, target)) return false;
  if (m.HasOpenBelow(node)) {
    return m.Fail(node.folder ? error::kAccessDenied : error::kSharingViolation);
  }
  if (node.Contains(*target.folder)) return m.Fail(error::kSharingViolation);  // into itself
  const char drive = target.folder->Drive();
  if (drive == node.Drive()) {
    m.tree.Move(node, *target.folder, target.name);
    return true;
  }
  // Across volumes MoveFile copies the file and deletes the source; a folder cannot go.
  if (node.folder) return m.Fail(error::kNotSameDevice);
  if (IsReadOnly(node)) return m.Fail(error::kAccessDenied);
  if (!m.Fits(drive, 0, node.bytes.size())) return m.Fail(error::kDiskFull);
  Node& copy = m.tree.Add(*target.folder, target.name, false);
  copy.bytes = node.bytes;
  copy.bits = node.bits | attr::kArchive;
  copy.unflushed = true;
  m.tree.Remove(node);
  return true;
}

bool SimWindows::Replace(const std::string& from, const std::string& to) {
  Machine& m = *state_;
  Place source, target;
  if (!m.Admit(Op::Replace, "Replace " + from + " -> " + to, from, to) ||
      !m.Locate(from, source) || !Existing(m, source) || !m.Locate(to, target)) {
    return false;
  }
  Node& node = *source.node;
  if (!target.folder) return m.Fail(error::kAccessDenied);  // a root
  if (RefusesFileName(m, target)) return false;
  if (target.folder->Drive() != node.Drive()) return m.Fail(error::kNotSameDevice);
  if (m.HasOpenBelow(node)) return m.Fail(error::kSharingViolation);
  if (node.Contains(*target.folder)) return m.Fail(error::kSharingViolation);
  Node* old = target.node;
  if (old && old != &node) {
    // Only a file gives way, and not a read-only one; a folder is moved only to a free name.
    if (old->folder || node.folder || IsReadOnly(*old)) return m.Fail(error::kAccessDenied);
    if (m.IsOpen(*old)) return m.Fail(error::kSharingViolation);
    m.tree.Remove(*old);
  }
  m.tree.Move(node, *target.folder, target.name);
  return true;
}

bool SimWindows::Flush(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::Flush, "Flush " + path, path) || !m.Locate(path, place) ||
      !Existing(m, place)) {
    return false;
  }
  Node& file = *place.node;
  // Flushing needs the file opened for writing.
  if (file.folder || IsReadOnly(file)) return m.Fail(error::kAccessDenied);
  if (m.IsOpen(file)) return m.Fail(error::kSharingViolation);
  file.unflushed = false;
  return true;
}

bool SimWindows::CreateFolder(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::CreateFolder, "CreateFolder " + path, path) || !m.Locate(path, place)) {
    return false;
  }
  if (place.node) return m.Fail(error::kAlreadyExists);
  m.tree.Add(*place.folder, place.name, true);
  return true;
}

bool SimWindows::CreateClosedFolder(const std::string& path, FolderAccess access) {
  Machine& m = *state_;
  Place place;
  const char* kind = access == FolderAccess::Images ? " images" : "";
  if (!m.Admit(Op::CreateClosedFolder, "CreateClosedFolder " + path + kind, path) ||
      !m.Locate(path, place)) {
    return false;
  }
  if (place.node) return m.Fail(error::kAlreadyExists);
  Node& folder = m.tree.Add(*place.folder, place.name, true);
  folder.access = access == FolderAccess::Images ? Access::Images : Access::JobOnly;
  folder.owner = Ownership::Trusted;
  return true;
}

bool SimWindows::RemoveFolder(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::RemoveFolder, "RemoveFolder " + path, path) || !m.Locate(path, place)) {
    return false;
  }
  if (!place.node) return m.Fail(error::kFileNotFound);
  Node& folder = *place.node;
  if (!folder.folder) return m.Fail(error::kDirectory);
  if (!place.folder || IsReadOnly(folder)) return m.Fail(error::kAccessDenied);
  if (!folder.children.empty()) return m.Fail(error::kDirNotEmpty);
  m.tree.Remove(folder);
  return true;
}

bool SimWindows::FileLength(const std::string& path, std::uint64_t& length) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::FileLength, "FileLength " + path, path) || !m.Locate(path, place)) return false;
  if (!place.node) return m.Fail(error::kFileNotFound);
  if (RefusesFileName(m, place)) return false;
  length = place.node->bytes.size();  // a folder has none, as GetFileAttributesEx reports
  return true;
}

bool SimWindows::LastWriteTime(const std::string& path, std::uint64_t& time) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::LastWriteTime, "LastWriteTime " + path, path) || !m.Locate(path, place) ||
      !Existing(m, place)) {
    return false;
  }
  time = place.node->written;
  return true;
}

bool SimWindows::Read(const std::string& path, std::size_t limit, std::string& bytes) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::Read, "Read " + path, path) || !m.Locate(path, place) || !Existing(m, place)) {
    return false;
  }
  if (place.node->folder) return m.Fail(error::kAccessDenied);
  bytes = place.node->bytes.substr(0, limit);
  return true;
}

bool SimWindows::CloseToOthers(const std::string& folder) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::CloseToOthers, "CloseToOthers " + folder, folder) || !m.Locate(folder, place) ||
      !Existing(m, place)) {
    return false;
  }
  place.node->access = Access::JobOnly;
  return true;
}

bool SimWindows::CopyAccessList(const std::string& from, const std::string& to) {
  Machine& m = *state_;
  Place source;
  Place target;
  if (!m.Admit(Op::CopyAccessList, "CopyAccessList " + from + " -> " + to, from, to) ||
      !m.Locate(from, source) || !Existing(m, source) || !m.Locate(to, target) ||
      !Existing(m, target)) {
    return false;
  }
  target.node->access = source.node->access;
  return true;
}

Ownership SimWindows::OwnerOf(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::OwnerOf, "OwnerOf " + path, path) || !m.Locate(path, place) ||
      !Existing(m, place)) {
    return Ownership::Unknown;
  }
  return place.node->owner;
}

std::unique_ptr<OutputFile> SimWindows::OpenForWriting(const std::string& path) {
  Machine& m = *state_;
  Place place;
  if (!m.Admit(Op::OpenForWriting, "OpenForWriting " + path, path) || !m.Locate(path, place)) {
    return nullptr;
  }
  Node* file = place.node;
  if (!place.folder || (file && (file->folder || IsReadOnly(*file)))) {
    m.Fail(error::kAccessDenied);
    return nullptr;
  }
  if (RefusesFileName(m, place)) return nullptr;
  if (file && m.IsOpen(*file)) {
    m.Fail(error::kSharingViolation);
    return nullptr;
  }
  // CreateFile with OPEN_ALWAYS tells whether the file was there in the last error.
  m.lastError = file ? error::kAlreadyExists : error::kSuccess;
  if (!file) file = &m.tree.Add(*place.folder, place.name, false);
  return std::make_unique<SimOutputFile>(m, *file, path);
}

}  // namespace tovak::sim
