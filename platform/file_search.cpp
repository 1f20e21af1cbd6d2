#include "platform/file_search.h"

namespace tovak {
namespace {

bool IsFolder(const FindData& entry) { return (entry.attributes & attr::kDirectory) != 0; }

bool EndsWithBackslash(const std::string& path) { return !path.empty() && path.back() == '\\'; }

// Why a search came back empty-handed: "not there" is an answer, anything else is not.
bool NotThere(std::uint32_t code) {
  return code == error::kFileNotFound || code == error::kPathNotFound ||
         code == error::kNoMoreFiles || code == error::kInvalidName;
}

bool SearchEnded(LastError& error) { return NotThere(error.Get()); }

Presence Missing(LastError* error) {
  if (!error) return Presence::Absent;
  return NotThere(error->Get()) ? Presence::Absent : Presence::Unknown;
}

// One level of a folder listing: appends to both this level's children and the whole listing.
void CollectFolders(FileSystem& files, UserInterface& ui, LastError& error,
                    const std::string& folder, const std::string& pattern, Listing& listing) {
  const std::string prefix = WithTrailingBackslash(folder);
  ui.PumpMessages();
  std::vector<std::string> children;
  FindData entry;
  if (auto search = files.FindFirst(prefix + pattern, entry)) {
    do {
      // A junction leads out of the tree: a delete through it would reach what lies elsewhere.
      const bool junction = (entry.attributes & attr::kReparsePoint) != 0;
      if (IsFolder(entry) && !junction && !entry.name.empty() && entry.name[0] != '.') {
        children.push_back(prefix + entry.name);
        listing.paths.push_back(prefix + entry.name);
      }
    } while (search->Next(entry));
  }
  if (!SearchEnded(error)) listing.complete = false;
  // The search is closed before descending, so only one is ever open.
  for (const std::string& child : children) {
    CollectFolders(files, ui, error, child, pattern, listing);
  }
}

// Both existence tests; the error is read only when the caller asks why. A path without
// wildcards names one entry, whose attributes answer as a listing would, in one cheap call.
Presence Search(FileSystem& files, LastError* error, const std::string& path, bool foldersCount) {
  if (path.find_first_of("*?") == std::string::npos) {
    const std::uint32_t attributes = files.GetAttributes(path);
    if (attributes == attr::kInvalid) return Missing(error);
    const bool folder = (attributes & attr::kDirectory) != 0;
    // A trailing backslash names a folder only.
    if (EndsWithBackslash(path)) return folder && foldersCount ? Presence::Present : Presence::Absent;
    return foldersCount || !folder ? Presence::Present : Presence::Absent;
  }
  FindData entry;
  auto search = files.FindFirst(path, entry);
  if (!search) return Missing(error);
  do {
    if (foldersCount || !IsFolder(entry)) return Presence::Present;
  } while (search->Next(entry));
  return Missing(error);
}

}  // namespace

bool FileExists(FileSystem& files, const std::string& path) {
  return Search(files, nullptr, path, false) == Presence::Present;
}

bool EntryExists(FileSystem& files, const std::string& path) {
  return Search(files, nullptr, path, true) == Presence::Present;
}

Presence ProbeFile(FileSystem& files, LastError& error, const std::string& path) {
  return Search(files, &error, path, false);
}

Presence ProbeEntry(FileSystem& files, LastError& error, const std::string& path) {
  return Search(files, &error, path, true);
}

Presence ProbeAttributes(FileSystem& files, LastError& error, const std::string& path,
                         std::uint32_t& attributes) {
  attributes = files.GetAttributes(path);
  return attributes == attr::kInvalid ? Missing(&error) : Presence::Present;
}

std::string GetFileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithTrailingBackslash(const std::string& folder) {
  return EndsWithBackslash(folder) ? folder : folder + "\\";
}

Listing FindFiles(FileSystem& files, UserInterface& ui, LastError& error, const std::string& folder,
                  const std::string& pattern) {
  const std::string prefix = WithTrailingBackslash(folder);
  ui.PumpMessages();
  Listing found;
  FindData entry;
  if (auto search = files.FindFirst(prefix + pattern, entry)) {
    do {
      if (!IsFolder(entry)) found.paths.push_back(prefix + entry.name);
    } while (search->Next(entry));
  }
  found.complete = SearchEnded(error);
  return found;
}

Listing FindFolders(FileSystem& files, UserInterface& ui, LastError& error,
                    const std::string& folder, const std::string& pattern) {
  Listing listing;
  CollectFolders(files, ui, error, folder, pattern, listing);
  return listing;
}

}  // namespace tovak
