// Copying and moving single files and whole folder trees, with control over file attributes.
// Failures of single steps are skipped so that one unreadable file does not stop the rest; what a
// procedure returns reflects the file system afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/last_error.h"
#include "platform/user_interface.h"

namespace tovak {

class FileControl {
 public:
  FileControl(FileSystem& files, UserInterface& ui, LastError& error);

  // True when the copy call succeeded, the copy is on the disk and has the source's size; a failed
  // copy leaves its own error as the last error. A missing source is reported in a message box. An
  // existing target is overwritten only when clearTargetAttributes is set (else ERROR_FILE_EXISTS).
  bool CopySingleFile(const std::string& source, const std::string& target,
                      bool clearTargetAttributes, bool keepSourceAttributes);

  // Copies the source folder's matching files into the target folder. A missing source or
  // target folder is reported in a message box. True when every file arrived whole.
  bool CopyMatchingFiles(const std::string& sourceFolder, const std::string& targetFolder,
                         const std::string& pattern, bool clearTargetAttributes,
                         bool keepSourceAttributes);

  // True when no file is found at the path afterwards.
  bool DeleteSingleFile(const std::string& file, bool clearAttributes);

  void DeleteMatchingFiles(const std::string& folder, const std::string& pattern,
                           bool clearAttributes);

  // Copies, then deletes the source only when the copy is whole. True when no file is found at
  // the source path afterwards.
  bool MoveSingleFile(const std::string& source, const std::string& target,
                      bool clearTargetAttributes, bool keepSourceAttributes);

  // True when nothing is found at the folder's path afterwards.
  bool DeleteFolderTree(const std::string& folder);

  // Copies the folder with its files and subfolders into the target, which may hold files
  // already. True when every folder and file arrived whole.
  bool CopyFolderTree(const std::string& source, const std::string& target,
                      bool clearTargetAttributes, bool keepSourceAttributes);

  // Copies the tree, then deletes the source, but only when the copy is whole: a partial copy
  // followed by a delete would lose files. True when the source is gone.
  bool MoveFolderTree(const std::string& source, const std::string& target,
                      bool clearTargetAttributes, bool keepSourceAttributes);

 private:
  void Notify(const std::string& text);
  std::uint32_t AttributesForCopy(const std::string& source, bool keepSourceAttributes);
  // Copies, gives the copy its attributes and flushes it; true when the copy is whole on the disk.
  bool CopyInto(const std::string& source, const std::string& target, std::uint32_t attributes);
  bool SameLength(const std::string& a, const std::string& b);
  // One pass over the tree, children before parents; stops at the first failure when asked.
  bool DeleteTreePass(const std::string& folder, const std::vector<std::string>& subfolders,
                      bool stopAtFailure);

  FileSystem& files_;
  UserInterface& ui_;
  LastError& error_;
};

}  // namespace tovak
