#include "ui/link_target.h"

#include "platform/text_utf8.h"

namespace tovak::ui {

std::string LinkTarget(const std::string& shownAddress) {
  // Without a scheme ShellExecute would look for a file of that name.
  return "http://" + LowerAscii(shownAddress);
}

}  // namespace tovak::ui
