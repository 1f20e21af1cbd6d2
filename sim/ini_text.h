// INI text as the private-profile functions of Windows NT read and edit it, over the file's ANSI
// bytes. Section and key names compare after trimming blanks, ASCII letters without regard to
// case; the trail bytes of double-byte characters are never taken for ASCII.
#pragma once

#include <optional>
#include <string>

#include "sim/charset.h"

namespace tovak::sim {

// The value of the key in the first section of that name: blanks trimmed and one pair of
// enclosing quotes removed; empty for a key line without '='. Nothing when section or key is
// missing.
std::optional<std::string> ReadIniValue(const std::string& text, const std::string& section,
                                        const std::string& key, const Charset& codePage);

// The text after writing key=value, changing only the bytes that must change: the key's line, or
// a line added to its section, or a section added at the end.
std::string WriteIniValue(const std::string& text, const std::string& section,
                          const std::string& key, const std::string& value,
                          const Charset& codePage);

}  // namespace tovak::sim
