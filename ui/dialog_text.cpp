#include "ui/dialog_text.h"

namespace tovak::ui {

std::string FilterString(const std::vector<FilterPair>& pairs) {
  std::string filter;
  for (const FilterPair& pair : pairs) {
    filter += pair.description;
    filter += '\0';
    filter += pair.pattern;
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

std::string FolderOfFile(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return std::string();
  std::string folder = path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

}  // namespace tovak::ui
