#include "sim/charset.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tovak::sim {
namespace {

constexpr std::uint32_t kUtf8 = 65001;

std::string IconvName(std::uint32_t number) {
  return number == kUtf8 ? "UTF-8" : "CP" + std::to_string(number);
}

void* Open(const std::string& to, const std::string& from) {
  iconv_t descriptor = iconv_open(to.c_str(), from.c_str());
  if (descriptor == reinterpret_cast<iconv_t>(-1)) {
    throw std::invalid_argument("iconv cannot convert between " + from + " and " + to);
  }
  return descriptor;
}

std::uint8_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

Charset::Charset(std::uint32_t number)
    : number_(number),
      toAnsi_(Open(IconvName(number), "UTF-8")),
      fromAnsi_(Open("UTF-8", IconvName(number))) {
  for (int byte = 0; byte < 256; ++byte) {
    if (number == kUtf8) {
      length_[byte] = Utf8Length(static_cast<unsigned char>(byte));
      continue;
    }
    // A byte that iconv finds incomplete on its own is the lead byte of a double-byte character.
    std::string out;
    std::size_t stopped = 0;
    const bool lead = Convert(fromAnsi_, std::string(1, static_cast<char>(byte)), out, stopped) ==
                      Outcome::Incomplete;
    length_[byte] = lead ? 2 : 1;
  }
}

Charset::~Charset() {
  iconv_close(static_cast<iconv_t>(toAnsi_));
  iconv_close(static_cast<iconv_t>(fromAnsi_));
}

Charset::Outcome Charset::Convert(void* descriptor, const std::string& in, std::string& out,
                                  std::size_t& stopped) const {
  iconv_t cd = static_cast<iconv_t>(descriptor);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.clear();
  char* input = const_cast<char*>(in.data());
  std::size_t inputLeft = in.size();
  char buffer[256];
  while (true) {
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    const std::size_t result = inputLeft == 0 ? iconv(cd, nullptr, nullptr, &output, &outputLeft)
                                              : iconv(cd, &input, &inputLeft, &output, &outputLeft);
    out.append(buffer, static_cast<std::size_t>(output - buffer));
    if (result != static_cast<std::size_t>(-1)) {
      if (inputLeft == 0) return Outcome::Done;
      continue;
    }
    if (errno == E2BIG) continue;
    stopped = static_cast<std::size_t>(input - in.data());
    return errno == EINVAL ? Outcome::Incomplete : Outcome::Invalid;
  }
}

bool Charset::ToAnsi(const std::string& utf8, std::string& ansi) const {
  std::size_t stopped = 0;
  return Convert(toAnsi_, utf8, ansi, stopped) == Outcome::Done;
}

bool Charset::FromAnsi(const std::string& ansi, std::string& utf8) const {
  std::size_t stopped = 0;
  return Convert(fromAnsi_, ansi, utf8, stopped) == Outcome::Done;
}

std::string Charset::FromAnsiLossy(const std::string& ansi) const {
  std::string result, part;
  std::size_t at = 0;
  while (at < ansi.size()) {
    std::size_t stopped = 0;
    const std::string rest = ansi.substr(at);
    const Outcome outcome = Convert(fromAnsi_, rest, part, stopped);
    result += part;
    if (outcome == Outcome::Done) break;
    result += '?';
    at += stopped + 1;
  }
  return result;
}

std::size_t Charset::CharLength(const std::string& ansi, std::size_t at) const {
  const std::size_t length = length_[static_cast<unsigned char>(ansi[at])];
  return at + length <= ansi.size() ? length : 1;
}

std::string Charset::Cut(const std::string& ansi, std::size_t limit) const {
  std::size_t end = 0;
  while (end < ansi.size()) {
    const std::size_t next = end + length_[static_cast<unsigned char>(ansi[end])];
    if (next > limit) break;
    end = next;
  }
  return ansi.substr(0, end);
}

}  // namespace tovak::sim
