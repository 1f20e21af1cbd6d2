// What the job accepts as the image location, and how it splits it.
#pragma once

#include <string>

#include "platform/ansi_text.h"

namespace tovak {

// The path up to and including the last ":" or "\"; empty when it holds neither.
std::string GetParentFolder(const std::string& path);

// The path names the image file itself: it contains ".gho" anywhere, in any case.
bool NamesImageFile(const std::string& path);

// The image location as typed, split once: the checks and the steps read its parts. Made only
// from the text, so that no part can be left out.
struct ImagePath {
  ImagePath() = default;
  explicit ImagePath(const std::string& typed);

  std::string text;          // as typed
  std::string drive;         // its first two characters, as typed ("d:")
  std::string fromRoot;      // without the drive; "\" for three characters or fewer
  bool namesFile = false;    // NamesImageFile: the image file itself, not its folder
  std::string file;          // the image file as Windows names it: the path, or its Nusk.gho
  std::string fileFromRoot;  // the same without the drive, as Ghost's command line names it
  std::string folder;        // the folder the image goes into; a bare drive means its root
};

// The image's drive is the system drive's (in any case): a backup into the partition being
// imaged, or a restore from it, cannot work.
bool OnSystemDrive(const ImagePath& image, const std::string& root);

// Why the job cannot carry the path to the DOS side, as the message to show; empty when it can.
// The DOS command interpreter would split or interpret some characters, and a name the ANSI code
// page cannot hold would name another file.
std::string PathRefusal(const std::string& path, AnsiText& text);

}  // namespace tovak
