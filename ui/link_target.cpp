#include "ui/link_target.h"

#include <algorithm>

namespace tovak::ui {

std::string LinkTarget(const std::string& shownAddress) {
  std::string lower = shownAddress;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  // Without a scheme ShellExecute would look for a file of that name.
  return "http://" + lower;
}

}  // namespace tovak::ui
