#include "sim/machine.h"

#include <stdexcept>

namespace tovak::sim {
namespace {

// GetVersion of Windows XP: major 5, minor 1, build 2600.
constexpr std::uint32_t kWindowsXp = (2600u << 16) | (1u << 8) | 5u;

bool RuleMatches(const std::string& rule, const std::string& path) {
  if (path.empty()) return false;
  if (!rule.empty() && rule.back() == '*') {
    const std::string prefix = rule.substr(0, rule.size() - 1);
    return NameKey(path.substr(0, prefix.size())) == NameKey(prefix);
  }
  return NameKey(path) == NameKey(rule);
}

}  // namespace

Machine::Machine() : codePage(std::make_unique<Charset>(936)), version(kWindowsXp) {
  tree.AddDrive('C');
  currentFolder.drive = 'C';
}

bool Machine::Admit(Op op, const std::string& line, const std::string& path,
                    const std::string& target) {
  ++calls;
  log.push_back(line);
  counted.push_back(line);
  auto action = actions.find(calls);
  if (action != actions.end()) {
    const std::function<void()> run = std::move(action->second);
    actions.erase(action);
    run();
  }
  if (failEveryCall) return Fail(everyCallError);
  auto planned = failingCalls.find(calls);
  if (planned != failingCalls.end()) {
    const std::uint32_t error = planned->second;
    failingCalls.erase(planned);
    return Fail(error);
  }
  for (const FaultRule& rule : rules) {
    if (rule.op == op && (RuleMatches(rule.path, path) || RuleMatches(rule.path, target))) {
      return Fail(rule.error);
    }
  }
  return true;
}

bool Machine::Fail(std::uint32_t error) {
  lastError = error;
  return false;
}

bool Machine::Locate(const std::string& path, Place& place, bool wildcards) {
  std::string ansi, canonical;
  // The name Windows sees is the ANSI form; the one it keeps is that form decoded again.
  if (!codePage->ToAnsi(path, ansi) || !codePage->FromAnsi(ansi, canonical)) {
    return Fail(error::kNoUnicodeTranslation);
  }
  SimPath parsed;
  std::uint32_t error = ParsePath(canonical, currentFolder, wildcards, parsed);
  if (error == error::kSuccess) error = tree.Find(parsed, place);
  return error == error::kSuccess || Fail(error);
}

SimPath Machine::ParseForSetup(const std::string& path) const {
  SimPath parsed;
  if (ParsePath(path, currentFolder, false, parsed) != error::kSuccess) {
    throw std::invalid_argument("not a usable path: " + path);
  }
  return parsed;
}

Node* Machine::Lookup(const std::string& path) const {
  SimPath parsed;
  Place place;
  if (ParsePath(path, currentFolder, false, parsed) != error::kSuccess ||
      tree.Find(parsed, place) != error::kSuccess) {
    return nullptr;
  }
  return place.node;
}

bool Machine::Fits(char drive, std::uint64_t before, std::uint64_t after) const {
  auto limit = capacity.find(drive);
  if (limit == capacity.end() || after <= before) return true;
  return tree.UsedBytes(drive) - before + after <= limit->second;
}

bool Machine::IsOpen(const Node& node) const { return openFiles.count(&node) != 0; }

bool Machine::HasOpenBelow(const Node& folder) const {
  for (const Node* open : openFiles) {
    if (folder.Contains(*open)) return true;
  }
  return false;
}

}  // namespace tovak::sim
