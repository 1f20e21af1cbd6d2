// Directory listings and the two existence tests, built on the platform's file search.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/last_error.h"
#include "platform/user_interface.h"

namespace tovak {

// The file test: a search for the path finds a file (read-only, hidden and system files count,
// folders do not). A path without wildcards is answered by its attributes, as a search would.
bool FileExists(FileSystem& files, const std::string& path);

// The entry test: the search finds a file or a folder; a path ending in "\" passes when that
// folder exists.
bool EntryExists(FileSystem& files, const std::string& path);

// The same two tests for callers that must not mistake a failing search for an absent file:
// Unknown when the search failed for another reason than "not there".
enum class Presence { Absent, Present, Unknown };
Presence ProbeFile(FileSystem& files, LastError& error, const std::string& path);
Presence ProbeEntry(FileSystem& files, LastError& error, const std::string& path);
// The attribute word of what is at a path without wildcards, for callers that must tell a file
// from a folder: Absent (and attr::kInvalid) when nothing is there.
Presence ProbeAttributes(FileSystem& files, LastError& error, const std::string& path,
                         std::uint32_t& attributes);

// The text after the last "\" (empty when the path ends in one), or the whole path.
std::string GetFileNamePart(const std::string& path);

std::string WithTrailingBackslash(const std::string& folder);

// Full paths in search order; incomplete when a search failed for another reason than running out
// of entries, so that nobody deletes what was never copied.
struct Listing {
  std::vector<std::string> paths;
  bool complete = true;
};

// The folder's files that match the pattern; no subfolders. Lets the window process its pending
// messages once before searching.
Listing FindFiles(FileSystem& files, UserInterface& ui, LastError& error, const std::string& folder,
                  const std::string& pattern);

// Every folder below the folder, parents before children; names starting with "." and junctions
// (reparse points) are neither listed nor entered. Pumps messages once per folder searched.
Listing FindFolders(FileSystem& files, UserInterface& ui, LastError& error,
                    const std::string& folder, const std::string& pattern);

}  // namespace tovak
