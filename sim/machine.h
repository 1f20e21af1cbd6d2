// The state of one simulated Windows and the steps every call shares: counting, logging, injected
// faults, path lookup, the thread's last error and the free space of each drive.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sim/charset.h"
#include "sim/file_tree.h"
#include "sim/sim_windows.h"

namespace tovak::sim {

struct FaultRule {
  Op op;
  std::string path;
  std::uint32_t error;
};

struct Machine {
  Machine();

  // Counts and logs a call of op; false (with the error set) when an injected fault hits it. The
  // paths are what rules match against: the call's path, and a Copy's or Rename's target.
  bool Admit(Op op, const std::string& line, const std::string& path,
             const std::string& target = std::string());
  // false with the error set.
  bool Fail(std::uint32_t error);

  // The path as the call's ANSI form names it: fails with 1113 when the code page cannot hold it,
  // then with the error of the path's syntax or of a missing folder on the way.
  bool Locate(const std::string& path, Place& place, bool wildcards = false);
  // For setup: any UTF-8, no last error; throws std::invalid_argument on a bad path.
  SimPath ParseForSetup(const std::string& path) const;
  Node* Lookup(const std::string& path) const;

  // Whether a file may grow from `before` to `after` bytes on the drive.
  bool Fits(char drive, std::uint64_t before, std::uint64_t after) const;
  bool IsOpen(const Node& node) const;
  bool HasOpenBelow(const Node& folder) const;

  FileTree tree;
  SimPath currentFolder;
  std::unique_ptr<Charset> codePage;
  std::uint32_t lastError = 0;

  std::string systemDirectory = "C:\\WINDOWS\\system32";
  std::uint32_t version;
  bool privilegeHeld = true;
  bool wine = false;
  bool administrator = true;
  bool randomFails = false;
  std::uint64_t now = 133800000000000000u;  // the clock, as FILETIME counts (2024-12-30)
  std::map<std::string, std::string> machineValues;  // by NameKey
  bool machineValuesFail = false;
  bool machineFlushFails = false;
  Ownership machineKey = Ownership::Unknown;  // Unknown: no key yet
  std::uint64_t random = 0x9E3779B97F4A7C15u;  // each machine draws the same sequence
  std::map<char, DevicePlace> devicePlaces{{'C', DevicePlace{0, 1}}};
  bool shutdownEnabled = false;
  std::map<Handle, std::uint32_t> tokens;  // open ones, with the access each was opened for
  Handle nextToken = 0x100;
  std::map<int, std::string> resources;

  std::deque<MessageAnswer> answers;
  std::vector<MessageRecord> messages;
  int pumps = 0;

  int calls = 0;
  std::vector<std::string> log;
  std::vector<std::string> counted;  // the lines of the counted calls only
  std::map<int, std::uint32_t> failingCalls;  // by call number
  std::map<int, std::function<void()>> actions;  // by call number
  bool failEveryCall = false;
  std::uint32_t everyCallError = 0;
  std::vector<FaultRule> rules;
  std::map<char, std::uint64_t> capacity;  // the bytes a drive may hold in all
  std::set<const Node*> openFiles;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> exitRequests;
};

}  // namespace tovak::sim

namespace tovak::sim {
struct SimWindows::State : Machine {};
}  // namespace tovak::sim
