// What the link label opens: the maker's address in lower case, as a web address a browser takes.
#pragma once

#include <string>

namespace tovak::ui {

std::string LinkTarget(const std::string& shownAddress);

}  // namespace tovak::ui
