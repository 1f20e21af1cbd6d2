#include "platform/file_search.h"

namespace tovak {
namespace {

bool IsFolder(const FindData& entry) { return (entry.attributes & attr::kDirectory) != 0; }

bool EndsWithBackslash(const std::string& path) { return !path.empty() && path.back() == '\\'; }

// One level of a folder listing: appends to both this level's children and the whole listing.
void CollectFolders(FileSystem& files, UserInterface& ui, const std::string& folder,
                    const std::string& pattern, std::vector<std::string>& listing) {
  const std::string prefix = WithTrailingBackslash(folder);
  ui.PumpMessages();
  std::vector<std::string> children;
  FindData entry;
  if (auto search = files.FindFirst(prefix + pattern, entry)) {
    do {
      if (IsFolder(entry) && !entry.name.empty() && entry.name[0] != '.') {
        children.push_back(prefix + entry.name);
        listing.push_back(prefix + entry.name);
      }
    } while (search->Next(entry));
  }
  // The search is closed before descending, so only one is ever open.
  for (const std::string& child : children) CollectFolders(files, ui, child, pattern, listing);
}

}  // namespace

bool FileExists(FileSystem& files, const std::string& path) {
  FindData entry;
  auto search = files.FindFirst(path, entry);
  if (!search) return false;
  do {
    if (!IsFolder(entry)) return true;
  } while (search->Next(entry));
  return false;
}

bool EntryExists(FileSystem& files, const std::string& path) {
  if (EndsWithBackslash(path)) {
    const std::uint32_t attributes = files.GetAttributes(path);
    return attributes != attr::kInvalid && (attributes & attr::kDirectory) != 0;
  }
  FindData entry;
  return files.FindFirst(path, entry) != nullptr;
}

std::string GetFileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithTrailingBackslash(const std::string& folder) {
  return EndsWithBackslash(folder) ? folder : folder + "\\";
}

std::vector<std::string> FindFiles(FileSystem& files, UserInterface& ui, const std::string& folder,
                                   const std::string& pattern) {
  const std::string prefix = WithTrailingBackslash(folder);
  ui.PumpMessages();
  std::vector<std::string> found;
  FindData entry;
  auto search = files.FindFirst(prefix + pattern, entry);
  if (!search) return found;
  do {
    if (!IsFolder(entry)) found.push_back(prefix + entry.name);
  } while (search->Next(entry));
  return found;
}

std::vector<std::string> FindFolders(FileSystem& files, UserInterface& ui,
                                     const std::string& folder, const std::string& pattern) {
  std::vector<std::string> listing;
  CollectFolders(files, ui, folder, pattern, listing);
  return listing;
}

}  // namespace tovak
