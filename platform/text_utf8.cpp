#include "platform/text_utf8.h"

#include <algorithm>

namespace tovak {

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::size_t CharacterLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  return 4;
}

std::size_t CountCharacters(const std::string& utf8) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < utf8.size(); ++count) {
    at += CharacterLength(static_cast<unsigned char>(utf8[at]));
  }
  return count;
}

std::string FirstCharacters(const std::string& utf8, std::size_t count) {
  std::size_t end = 0;
  for (; end < utf8.size() && count > 0; --count) {
    end += CharacterLength(static_cast<unsigned char>(utf8[end]));
  }
  return utf8.substr(0, std::min(end, utf8.size()));
}

}  // namespace tovak
