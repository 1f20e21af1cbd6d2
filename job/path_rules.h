// What the job accepts as the image location, and how it splits it.
#pragma once

#include <string>

#include "platform/ansi_text.h"

namespace tovak {

// The path up to and including the last ":" or "\"; empty when it holds neither.
std::string GetParentFolder(const std::string& path);

// The path names the image file itself: it contains ".gho" anywhere, in any case.
bool NamesImageFile(const std::string& path);

// The path's drive (its first two characters, in any case) is the system drive's: a backup into
// the partition being imaged, or a restore from it, cannot work.
bool OnSystemDrive(const std::string& path, const std::string& root);

// Why the job cannot carry the path to the DOS side, as the message to show; empty when it can.
// The DOS command interpreter would split or interpret some characters, and a name the ANSI code
// page cannot hold would name another file.
std::string PathRefusal(const std::string& path, AnsiText& text);

}  // namespace tovak
