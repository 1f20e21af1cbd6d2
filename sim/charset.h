// One ANSI code page of the simulation: conversion from and to UTF-8 with iconv, and where its
// characters begin and end inside a byte string.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tovak::sim {

class Charset {
 public:
  // Throws std::invalid_argument for a code page that iconv does not know.
  explicit Charset(std::uint32_t number);
  ~Charset();
  Charset(const Charset&) = delete;
  Charset& operator=(const Charset&) = delete;

  std::uint32_t Number() const { return number_; }
  // False when a character has no form in the code page or the UTF-8 is malformed.
  bool ToAnsi(const std::string& utf8, std::string& ansi) const;
  bool FromAnsi(const std::string& ansi, std::string& utf8) const;
  // As Windows decodes bytes it cannot map: each such byte becomes '?'.
  std::string FromAnsiLossy(const std::string& ansi) const;
  // The bytes of the character that starts at `at` (1 for a single byte or a stray one).
  std::size_t CharLength(const std::string& ansi, std::size_t at) const;
  // At most `limit` bytes, never ending inside a character.
  std::string Cut(const std::string& ansi, std::size_t limit) const;

 private:
  enum class Outcome { Done, Invalid, Incomplete };
  Outcome Convert(void* descriptor, const std::string& in, std::string& out,
                  std::size_t& stopped) const;

  std::uint32_t number_;
  void* toAnsi_;
  void* fromAnsi_;
  // For each byte, how many bytes the character it starts has.
  std::array<std::uint8_t, 256> length_{};
};

}  // namespace tovak::sim
