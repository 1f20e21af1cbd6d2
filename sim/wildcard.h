// Name matching as FindFirstFileA does it, with the DOS meaning of the wildcards.
#pragma once

#include <string>

namespace tovak::sim {

bool HasWildcards(const std::string& name);

// Names and patterns are UTF-8; letters compare without regard to ASCII case. "*.*" matches
// every name, "name.*" matches "name" too, and a '?' before a dot or the end may match nothing.
bool MatchesPattern(const std::string& pattern, const std::string& name);

}  // namespace tovak::sim
