// Small helpers for the program's UTF-8 strings.
#pragma once

#include <cstddef>
#include <string>

namespace tovak {

// Drive letters, switches and addresses are ASCII; other characters are left alone.
std::string LowerAscii(std::string text);

// The bytes of the UTF-8 character that starts with this byte.
std::size_t CharacterLength(unsigned char lead);

std::size_t CountCharacters(const std::string& utf8);

// The first count characters (all of the text when it is shorter).
std::string FirstCharacters(const std::string& utf8, std::size_t count);

}  // namespace tovak
