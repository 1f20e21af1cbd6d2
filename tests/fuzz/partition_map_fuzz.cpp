// WMI's answers as the drive map reads them: each query names the object it was given, and an
// address is the disk's and the partition's places, both counted from 1, or nothing.
#include "disks/partition_map.h"
#include "tests/fuzz/fuzz_support.h"

namespace tovak::fuzz {
namespace {

// Each query takes the next line of the input: the DeviceIDs separated by "|", or "!" for a
// failed query; no line left answers nothing.
class ScriptedWql : public Wql {
 public:
  explicit ScriptedWql(const std::string& input) : answers_(Lines(input)) {}
  bool ExecQuery(const std::string& query, WqlObjectSet& result) override {
    queries.push_back(query);
    result.deviceIds.clear();
    if (next_ >= answers_.size()) return true;
    const std::string& answer = answers_[next_++];
    if (answer == "!") return false;
    for (std::size_t at = 0; at <= answer.size();) {
      const std::size_t bar = std::min(answer.find('|', at), answer.size());
      result.deviceIds.push_back(answer.substr(at, bar - at));
      at = bar + 1;
    }
    given.insert(given.end(), result.deviceIds.begin(), result.deviceIds.end());
    return true;
  }
  std::vector<std::string> queries;
  std::vector<std::string> given;

 private:
  std::vector<std::string> answers_;
  std::size_t next_ = 0;
};

// The string literal of an ASSOCIATORS OF query, read as WQL reads it: a backslash takes the next
// character as it is.
bool Literal(const std::string& query, std::string& literal) {
  const std::size_t open = query.find("=\"");
  if (open == std::string::npos) return false;
  literal.clear();
  for (std::size_t at = open + 2; at < query.size(); ++at) {
    if (query[at] == '"') return query.compare(at, 2, "\"}") == 0;
    if (query[at] == '\\' && ++at == query.size()) return false;
    literal += query[at];
  }
  return false;
}

bool IsAddress(const std::string& address) {
  const std::size_t colon = address.find(':');
  auto number = [](const std::string& text) {
    return !text.empty() && text[0] != '0' &&
           text.find_first_not_of("0123456789") == std::string::npos;
  };
  return colon != std::string::npos && number(address.substr(0, colon)) &&
         number(address.substr(colon + 1));
}

}  // namespace
}  // namespace tovak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tovak;
  using namespace tovak::fuzz;
  ScriptedWql wql(std::string(reinterpret_cast<const char*>(data), size));
  const PartitionMap map(wql);
  for (std::size_t i = 1; i < wql.queries.size(); ++i) {
    std::string literal;
    Require(Literal(wql.queries[i], literal), "a query's literal is not closed where it ends");
    bool named = false;
    for (const std::string& id : wql.given) named = named || id == literal;
    Require(named, "a query names an object WMI did not give");
  }
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const std::string address = map.AddressOf(std::string(1, letter) + ":");
    Require(address.empty() || IsAddress(address), "an address is not two places counted from 1");
  }
  return 0;
}
