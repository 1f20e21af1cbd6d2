#include "sim/ini_text.h"

#include <algorithm>
#include <vector>

namespace tovak::sim {
namespace {

enum class Kind { Blank, Section, Comment, Key };

struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;   // before the line break
  std::size_t next = 0;  // after the line break
  Kind kind = Kind::Blank;
  std::size_t nameBegin = 0;  // the section's or key's name, blanks trimmed
  std::size_t nameEnd = 0;
  std::size_t equals = std::string::npos;  // a key line's first '='
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string Trim(const std::string& text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// What ends the text's last line before a line is added after it: a text that ends in a lone CR
// gets its LF, or the CR would begin the new line.
std::string LastLineBreak(const std::string& text) {
  if (text.empty() || text.back() == '\n') return std::string();
  return text.back() == '\r' ? "\n" : "\r\n";
}

class IniText {
 public:
  IniText(const std::string& text, const Charset& codePage) : text_(text), codePage_(codePage) {
    for (std::size_t at = 0; at < text.size();) {
      lines_.push_back(Parse(at));
      at = lines_.back().next;
    }
  }

  const std::vector<Line>& lines() const { return lines_; }

  // The index of the first section line of that name, or the line count.
  std::size_t FindSection(const std::string& name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].kind == Kind::Section && NameIs(lines_[i], name)) return i;
    }
    return lines_.size();
  }

  // The line after the section's last line.
  std::size_t SectionEnd(std::size_t section) const {
    std::size_t i = section + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
    return i;
  }

  std::size_t FindKey(std::size_t section, const std::string& name) const {
    const std::size_t end = SectionEnd(section);
    for (std::size_t i = section + 1; i < end; ++i) {
      if (lines_[i].kind == Kind::Key && NameIs(lines_[i], name)) return i;
    }
    return end;
  }

  std::string Value(const Line& line) const {
    if (line.equals == std::string::npos) return std::string();
    std::string value = Trim(text_.substr(line.equals + 1, line.end - line.equals - 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
      value = value.substr(1, value.size() - 2);
    }
    return value;
  }

 private:
  // Finds a single-byte character from `at`, stepping over double-byte characters whole.
  std::size_t FindChar(char wanted, std::size_t at, std::size_t end) const {
    while (at < end && text_[at] != wanted) at += codePage_.CharLength(text_, at);
    return at < end ? at : std::string::npos;
  }

  Line Parse(std::size_t at) const {
    Line line;
    line.begin = at;
    const std::size_t lineFeed = text_.find('\n', at);
    line.next = lineFeed == std::string::npos ? text_.size() : lineFeed + 1;
    line.end = lineFeed == std::string::npos ? text_.size() : lineFeed;
    if (line.end > at && text_[line.end - 1] == '\r') --line.end;

    std::size_t start = at;
    while (start < line.end && IsBlank(text_[start])) ++start;
    std::size_t nameEnd = line.end;
    if (start == line.end) {
      line.kind = Kind::Blank;
      return line;
    }
    if (text_[start] == ';') {
      line.kind = Kind::Comment;
      return line;
    }
    if (text_[start] == '[') {
      line.kind = Kind::Section;
      ++start;
      const std::size_t close = FindChar(']', start, line.end);
      if (close != std::string::npos) nameEnd = close;
    } else {
      line.kind = Kind::Key;
      line.equals = FindChar('=', start, line.end);
      if (line.equals != std::string::npos) nameEnd = line.equals;
    }
    while (start < nameEnd && IsBlank(text_[start])) ++start;
    while (nameEnd > start && IsBlank(text_[nameEnd - 1])) --nameEnd;
    line.nameBegin = start;
    line.nameEnd = nameEnd;
    return line;
  }

  bool NameIs(const Line& line, const std::string& wanted) const {
    if (line.nameEnd - line.nameBegin != wanted.size()) return false;
    for (std::size_t i = 0; i < wanted.size();) {
      const std::size_t at = line.nameBegin + i;
      // A lead byte that ends the name is a byte of its own, whatever follows the line.
      const std::size_t length = std::min(codePage_.CharLength(text_, at), line.nameEnd - at);
      if (length == 1 ? Fold(text_[at]) != Fold(wanted[i])
                      : text_.compare(at, length, wanted, i, length) != 0) {
        return false;
      }
      i += length;
    }
    return true;
  }

  const std::string& text_;
  const Charset& codePage_;
  std::vector<Line> lines_;
};

}  // namespace

std::optional<std::string> ReadIniValue(const std::string& text, const std::string& section,
                                        const std::string& key, const Charset& codePage) {
  const IniText ini(text, codePage);
  const std::size_t at = ini.FindSection(Trim(section));
  if (at == ini.lines().size()) return std::nullopt;
  const std::size_t line = ini.FindKey(at, Trim(key));
  if (line == ini.SectionEnd(at)) return std::nullopt;
  return ini.Value(ini.lines()[line]);
}

std::string WriteIniValue(const std::string& text, const std::string& section,
                          const std::string& key, const std::string& value,
                          const Charset& codePage) {
  const std::string entry = key + "=" + value;
  const IniText ini(text, codePage);
  const std::vector<Line>& lines = ini.lines();
  const std::size_t at = ini.FindSection(Trim(section));
  if (at == lines.size()) {
    return text + LastLineBreak(text) + "[" + section + "]\r\n" + entry + "\r\n";
  }

  const std::size_t end = ini.SectionEnd(at);
  const std::size_t found = ini.FindKey(at, Trim(key));
  if (found != end) {
    // The key keeps its own spelling; only what follows it up to the line break changes.
    const Line& line = lines[found];
    std::string result = text;
    result.replace(line.nameEnd, line.end - line.nameEnd, "=" + value);
    return result;
  }

  std::size_t last = at;
  for (std::size_t i = at + 1; i < end; ++i) {
    if (lines[i].kind != Kind::Blank) last = i;
  }
  const Line& after = lines[last];
  std::string result = text;
  const std::string lineBreak = after.next == text.size() ? LastLineBreak(text) : std::string();
  result.insert(after.next, lineBreak + entry + "\r\n");
  return result;
}

}  // namespace tovak::sim
