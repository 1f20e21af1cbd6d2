// The text buffers of the common file dialog and the folder browser, built and read back without
// Windows so that their exact form is tested on the host. Texts are UTF-8 until the dialog's call,
// whose buffers are UTF-16: the buffer helpers take either.
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
template <typename Text>
Text FixedBuffer(const Text& initial, std::size_t size) {
  if (size == 0) return Text();
  Text buffer = initial.substr(0, size - 1);
  buffer.resize(size, typename Text::value_type());
  return buffer;
}

// What a buffer holds up to its first NUL; empty when it holds no NUL at all.
template <typename Text>
Text TextBeforeNul(const Text& buffer) {
  const std::size_t nul = buffer.find(typename Text::value_type());
  return nul == Text::npos ? Text() : buffer.substr(0, nul);
}

// The folder of a file's full path, as the program reports its own folder: without a trailing
// backslash, except for a drive's root.
std::string FolderOfFile(const std::string& path);

}  // namespace tovak::ui
