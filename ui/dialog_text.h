// The text buffers of the common file dialog and the folder browser, built and read back without
// Windows so that their exact form is tested on the host. All of it is ANSI bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tovak::ui {

struct FilterPair {
  std::string description;
  std::string pattern;
};

// Each description and pattern followed by a NUL, then the empty pair's closing NUL.
std::string FilterString(const std::vector<FilterPair>& pairs);

// A buffer of exactly `size` characters: the initial text, then NULs. A text that does not leave
// room for one NUL is cut.
std::string FixedBuffer(const std::string& initial, std::size_t size);

// What a buffer holds up to its first NUL; empty when it holds no NUL at all.
std::string TextBeforeNul(const std::string& buffer);

// The folder of a file's full path, as the program reports its own folder: without a trailing
// backslash, except for a drive's root.
std::string FolderOfFile(const std::string& path);

}  // namespace tovak::ui
