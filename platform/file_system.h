// File primitives of the operating system, as the ANSI Win32 functions have them. Paths are UTF-8;
// a path the ANSI code page cannot hold fails with ERROR_NO_UNICODE_TRANSLATION instead of naming
// another file. A failing call leaves its code in the thread's last error (see last_error.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tovak {

namespace attr {
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kNormal = 0x80;
constexpr std::uint32_t kReparsePoint = 0x400;  // a junction: its contents live elsewhere
constexpr std::uint32_t kInvalid = 0xFFFFFFFFu;
// The bits that decide whether a file may be overwritten or deleted.
constexpr std::uint32_t kProtective = kReadOnly | kHidden | kSystem;
// An attribute word as SetAttributes takes it: without the folder bit, normal when nothing is left.
constexpr std::uint32_t Settable(std::uint32_t attributes) {
  return (attributes & ~(kDirectory | kNormal)) != 0 ? attributes & ~(kDirectory | kNormal) : kNormal;
}
}  // namespace attr

// Who owns a file, as far as the job trusts it: the Administrators group, SYSTEM or the user running
// the program (who prepares jobs, so an administrator) is trusted; Unknown where the volume keeps no
// owners or the owner cannot be read.
enum class Ownership { Trusted, Untrusted, Unknown };

// Who may use a folder that the job makes closed: administrators and the system may do anything,
// and nobody else anything at all; an image folder also lets backup operators read what is in it.
enum class FolderAccess { JobOnly, Images };

// One entry of a directory search: the attribute word and the bare name.
struct FindData {
  std::uint32_t attributes = 0;
  std::string name;
};

// An open directory search; destroying it closes the search.
class FileSearch {
 public:
  virtual ~FileSearch() = default;
  // The next entry; false when there are no more (ERROR_NO_MORE_FILES) or the search failed.
  virtual bool Next(FindData& entry) = 0;
};

// A file opened for writing at its first byte; Close cuts it at the last byte written.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  // What was written so far goes to the disk (FlushFileBuffers on the open file).
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Starts a search for a path or wildcard pattern; fills the first entry. Null when nothing matches.
  virtual std::unique_ptr<FileSearch> FindFirst(const std::string& pattern, FindData& first) = 0;
  // attr::kInvalid when the path cannot be read.
  virtual std::uint32_t GetAttributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  virtual bool Copy(const std::string& from, const std::string& to, bool failIfExists) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // Renames a file or folder; fails when the target exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Renames a file over an existing one (or to a free name) in one step that is on the disk when
  // the call returns, so that a crash leaves one whole file or the other. Fails on a read-only or
  // folder target and across drives.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Writes what the system still holds in its cache of the file to the disk: a power cut loses
  // the data of a file written or copied since it was last flushed.
  virtual bool Flush(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;
  // Creates a folder owned by the Administrators group whose protected access list, inherited by
  // what is made in it, holds from the instant the folder exists: nobody can get in between the
  // create and a later change of the list. Fails with ERROR_ALREADY_EXISTS when anything is at the
  // path, so that nothing somebody else made is taken for the job's. A plain folder on a volume
  // that keeps no access lists.
  virtual bool CreateClosedFolder(const std::string& path, FolderAccess access) = 0;
  virtual bool RemoveFolder(const std::string& path) = 0;
  virtual bool FileLength(const std::string& path, std::uint64_t& length) = 0;
  // When the file was last written, in 100-ns steps since 1601 (UTC), as FILETIME counts.
  virtual bool LastWriteTime(const std::string& path, std::uint64_t& time) = 0;
  // The file's first bytes, at most limit of them.
  virtual bool Read(const std::string& path, std::size_t limit, std::string& bytes) = 0;
  // Gives the folder an access list of its own that nothing above it changes: administrators and
  // the system may do anything, nobody else anything at all, and what is made in it later
  // inherits that. True, doing nothing, on a volume that keeps no access lists.
  virtual bool CloseToOthers(const std::string& folder) = 0;
  // Gives `to` the access list that `from` has, as a list of its own (what `from` inherits from its
  // folder included), so that a rename carries it elsewhere unchanged. True, doing nothing, on a
  // volume that keeps no access lists.
  virtual bool CopyAccessList(const std::string& from, const std::string& to) = 0;
  virtual Ownership OwnerOf(const std::string& path) = 0;
  // Creates the file, or opens an existing one without truncating it yet. Null on failure.
  virtual std::unique_ptr<OutputFile> OpenForWriting(const std::string& path) = 0;
};

}  // namespace tovak
