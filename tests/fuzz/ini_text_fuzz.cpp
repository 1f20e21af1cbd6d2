// The simulated Windows' INI text, which every profile call of the tests goes through: any text is
// read without fault, and a write changes the one key's line or adds lines, and nothing else.
#include <algorithm>

#include "sim/ini_text.h"
#include "platform/text_utf8.h"
#include "tests/fuzz/fuzz_support.h"

namespace tovak::fuzz {
namespace {

std::string Trim(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  return text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

// What can be written as a name: text of the code page, as a program's ANSI call passes it, on
// one line, not taken for a section, comment or another key.
std::string AsName(const std::string& bytes, const char* banned, const sim::Charset& codePage) {
  std::string text = codePage.FromAnsiLossy(bytes), ansi;
  const std::string unwanted = banned;
  text.erase(std::remove_if(text.begin(), text.end(),
                            [&](char c) { return unwanted.find(c) != std::string::npos; }),
             text.end());
  text = Trim(text);
  while (!text.empty() && (text[0] == '[' || text[0] == ';')) text = Trim(text.substr(1));
  if (!codePage.ToAnsi(text, ansi) || Trim(ansi).empty()) return "k";
  return ansi;
}

// The section and key names of the text's key lines, as a plain reading finds them.
std::vector<std::pair<std::string, std::string>> Keys(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::string section;
  for (const std::string& line : Lines(text)) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';') continue;
    if (trimmed[0] == '[') {
      section = trimmed.substr(1, trimmed.find(']') - 1);
    } else if (keys.size() < 16) {
      keys.emplace_back(section, trimmed.substr(0, trimmed.find('=')));
    }
  }
  return keys;
}

bool SameName(const std::string& a, const std::string& b) {
  return LowerAscii(Trim(a)) == LowerAscii(Trim(b));
}

}  // namespace
}  // namespace tovak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  static const sim::Charset codePage(936);
  const std::vector<std::string> parts = Parts(data, size, 4);
  const std::string& text = parts[0];
  const std::string section = AsName(parts[1], "\r\n]", codePage);
  const std::string key = AsName(parts[2], "\r\n=", codePage);
  std::string value = Trim(AsName(parts[3], "\r\n", codePage));
  // One pair of enclosing quotes is taken off when read.
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'')) value[0] = 'q';

  if (const auto read = sim::ReadIniValue(text, section, key, codePage)) {
    Require(read->find('\n') == std::string::npos, "a value spans lines");
  }
  const std::string cut = codePage.Cut(text, parts[3].size());
  Require(cut.size() <= parts[3].size() && text.compare(0, cut.size(), cut) == 0,
          "a cut is longer than asked or not the text's start");

  const std::string written = sim::WriteIniValue(text, section, key, value, codePage);
  const auto reread = sim::ReadIniValue(written, section, key, codePage);
  Require(reread && *reread == value, "a written value does not read back");

  // The lines before and after the change are the text's own: one line replaced, or up to two
  // added (a section and its key).
  const std::vector<std::string> before = Lines(text), after = Lines(written);
  std::size_t head = 0, tail = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t removed = before.size() - head - tail, added = after.size() - head - tail;
  Require(removed <= 1 && added <= 2 && (removed == 0 || added == 1),
          "a write changed lines besides the key's");

  for (const auto& [otherSection, otherKey] : Keys(text)) {
    if (SameName(otherSection, section) && SameName(otherKey, key)) continue;
    Require(sim::ReadIniValue(text, otherSection, otherKey, codePage) ==
                sim::ReadIniValue(written, otherSection, otherKey, codePage),
            "a write changed another key's value");
  }
  return 0;
}
