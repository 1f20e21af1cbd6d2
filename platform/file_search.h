// Directory listings and the two existence tests, built on the platform's file search.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/user_interface.h"

namespace tovak {

// The file test: a search for the path finds a file (read-only, hidden and system files count,
// folders do not).
bool FileExists(FileSystem& files, const std::string& path);

// The entry test: the search finds a file or a folder; a path ending in "\" passes when that
// folder exists.
bool EntryExists(FileSystem& files, const std::string& path);

// The text after the last "\" (empty when the path ends in one), or the whole path.
std::string GetFileNamePart(const std::string& path);

std::string WithTrailingBackslash(const std::string& folder);

// Full paths of the folder's files that match the pattern, in search order; no subfolders.
// Lets the window process its pending messages once before searching.
std::vector<std::string> FindFiles(FileSystem& files, UserInterface& ui, const std::string& folder,
                                   const std::string& pattern);

// Full paths of every folder below the folder, parents before children; names starting with "."
// are neither listed nor entered. Pumps messages once per folder searched.
std::vector<std::string> FindFolders(FileSystem& files, UserInterface& ui,
                                     const std::string& folder, const std::string& pattern);

}  // namespace tovak
