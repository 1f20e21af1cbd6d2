#include "sim/wildcard.h"

#include <cstdint>
#include <vector>

namespace tovak::sim {
namespace {

// The extra metacharacters of NT's name matching, which FindFirstFile turns '*', '?' and '.' into.
constexpr char32_t kDosStar = U'<';  // up to and including the last dot of the name
constexpr char32_t kDosQm = U'>';    // one character, or nothing before a dot or the end
constexpr char32_t kDosDot = U'"';   // a dot, or nothing at the end of the name

std::u32string Decode(const std::string& utf8) {
  std::u32string result;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (++i; extra > 0 && i < utf8.size(); --extra, ++i) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    result += code >= U'a' && code <= U'z' ? code - 32 : code;
  }
  return result;
}

std::u32string ToDosPattern(const std::u32string& pattern) {
  if (pattern == U"*.*") return U"*";
  std::u32string result = pattern;
  for (std::size_t i = 0; i < result.size(); ++i) {
    const char32_t next = i + 1 < result.size() ? pattern[i + 1] : U'\0';
    if (pattern[i] == U'?') {
      result[i] = kDosQm;
    } else if (pattern[i] == U'.' && (next == U'?' || next == U'*' || next == U'\0')) {
      result[i] = kDosDot;
    } else if (pattern[i] == U'*' && next == U'.') {
      result[i] = kDosStar;
    }
  }
  return result;
}

class Matcher {
 public:
  Matcher(std::u32string pattern, std::u32string name)
      : pattern_(std::move(pattern)),
        name_(std::move(name)),
        lastDot_(name_.rfind(U'.')),
        memo_((pattern_.size() + 1) * (name_.size() + 1), kUnknown) {}

  bool Match(std::size_t p, std::size_t n) {
    std::int8_t& known = memo_[p * (name_.size() + 1) + n];
    if (known == kUnknown) known = Compute(p, n) ? 1 : 0;
    return known == 1;
  }

 private:
  static constexpr std::int8_t kUnknown = -1;

  bool Compute(std::size_t p, std::size_t n) {
    if (p == pattern_.size()) return n == name_.size();
    const bool atEnd = n == name_.size();
    switch (pattern_[p]) {
      case U'*':
        return Match(p + 1, n) || (!atEnd && Match(p, n + 1));
      case kDosStar: {
        // It may not swallow the last dot of the name, only reach it.
        const bool mayTake = !atEnd && (lastDot_ == std::u32string::npos || n < lastDot_);
        return Match(p + 1, n) || (mayTake && Match(p, n + 1));
      }
      case kDosQm:
        if (atEnd || name_[n] == U'.') return Match(p + 1, n);
        return Match(p + 1, n + 1);
      case kDosDot:
        if (atEnd) return Match(p + 1, n);
        return name_[n] == U'.' && Match(p + 1, n + 1);
      default:
        return !atEnd && name_[n] == pattern_[p] && Match(p + 1, n + 1);
    }
  }

  std::u32string pattern_;
  std::u32string name_;
  std::size_t lastDot_;
  std::vector<std::int8_t> memo_;
};

}  // namespace

bool HasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool MatchesPattern(const std::string& pattern, const std::string& name) {
  return Matcher(ToDosPattern(Decode(pattern)), Decode(name)).Match(0, 0);
}

}  // namespace tovak::sim
