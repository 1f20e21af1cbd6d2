#include "tests/unit/machine_starts.h"

#include <sstream>

#include "job/job_record.h"
#include "platform/sim/sim_path.h"
#include "tests/unit/job_harness.h"

namespace tovak::testing {
namespace {

using Ini = std::map<std::string, std::map<std::string, std::string>>;  // by NameKey

// The loader's reading of boot.ini: sections and key=value lines; anything else (such as the
// zeros a power cut leaves) makes it unreadable.
bool ParseIni(const std::string& bytes, Ini& ini) {
  if (bytes.empty() || bytes.find('\0') != std::string::npos) return false;
  std::istringstream lines(bytes);
  std::string line, section;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (line.back() != ']') return false;
      section = sim::NameKey(line.substr(1, line.size() - 2));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || section.empty()) return false;
    ini[section][sim::NameKey(line.substr(0, equals))] = line.substr(equals + 1);
  }
  return true;
}

std::string DefaultEntry(const Ini& ini) {
  auto loader = ini.find("BOOT LOADER");
  if (loader == ini.end()) return std::string();
  auto entry = loader->second.find("DEFAULT");
  return entry == loader->second.end() ? std::string() : entry->second;
}

class Disk {
 public:
  explicit Disk(const sim::Snapshot& snapshot) {
    for (const auto& [path, entry] : snapshot) {
      if (!entry.folder) files_[sim::NameKey(path)] = &entry.bytes;
    }
  }
  const std::string* File(const std::string& path) const {
    auto found = files_.find(sim::NameKey(path));
    return found == files_.end() ? nullptr : found->second;
  }
  bool Holds(const std::string& path, const std::string& bytes) const {
    const std::string* file = File(path);
    return file && *file == bytes;
  }

 private:
  std::map<std::string, const std::string*> files_;
};

std::string WhyTheJobWouldNotRun(const Disk& disk, const SystemBootFiles& system) {
  const std::string& root = system.root;
  if (!disk.Holds(root + "g1ldr", SmallPayload("g1ldr"))) return "the job's loader is not whole";
  std::string token;
  for (const PayloadFile& file : SmallCatalogue()) {
    if (file.destination == PayloadDestination::Root) continue;
    std::string expected = SmallPayload(file.name);
    const std::string* deployed = disk.File(root + "boot\\qelv\\" + file.name);
    if (deployed && file.tokenOffset >= 0 && deployed->size() == expected.size()) {
      token = deployed->substr(static_cast<std::size_t>(file.tokenOffset), kJobTokenLength);
      expected.replace(static_cast<std::size_t>(file.tokenOffset), kJobTokenLength, token);
    }
    if (!deployed || *deployed != expected) {
      return std::string("the payload's ") + file.name + " is not whole";
    }
  }
  // The DOS side takes only the drive that holds the record its image names.
  const std::string* record = disk.File(root + "boot\\qelv\\" + layout::kJobRecord);
  JobRecord parsed;
  if (!record || !ParseJobRecord(*record, parsed) || parsed.token != token) {
    return "no record of the image's token " + token + " beside the job";
  }
  const std::string* state = disk.File(root + "boot\\qelv\\state.txt");
  std::string script;
  if (state && *state == "msback.bat\r\n") script = "MsBack.bat";
  if (state && *state == "huifu.bat\r\n") script = "huifu.bat";
  if (script.empty()) return "the job state file names no job";
  const std::string* line = disk.File(root + "boot\\qelv\\" + script);
  if (!line || line->size() < 3 || line->find('\0') != std::string::npos ||
      line->compare(line->size() - 2, 2, "\r\n") != 0) {
    return "the job script " + script + " is not whole";
  }
  // What the DOS side copies back: without these the machine would start the job forever, or
  // come back without its font or its own g1ldr.
  const std::pair<const char*, const char*> saved[] = {
      {"boot.ini", "boot.bak"}, {"bootfont.bin", "bootfont.bak"}, {"g1ldr", "g1ldr.bak"}};
  for (const auto& [name, copy] : saved) {
    auto original = system.files.find(name);
    if (original != system.files.end() &&
        !disk.Holds(root + "boot\\" + copy, original->second)) {
      return std::string("the saved ") + copy + " is not the system's " + name;
    }
  }
  return std::string();
}

}  // namespace

std::string WhyItWouldNotStart(const sim::Snapshot& snapshot, const SystemBootFiles& system) {
  const Disk disk(snapshot);
  const std::string& root = system.root;
  const std::string* ntldr = disk.File(root + "ntldr");
  if (!ntldr || (*ntldr != system.files.at("ntldr") && *ntldr != SmallPayload("ntldr"))) {
    return "ntldr is not whole";
  }
  const std::string* bootIni = disk.File(root + "boot.ini");
  Ini ini, original;
  if (!bootIni || !ParseIni(*bootIni, ini)) return "boot.ini cannot be read";
  const std::string entry = DefaultEntry(ini);
  if (!ini["OPERATING SYSTEMS"].count(sim::NameKey(entry))) {
    return "boot.ini's default entry is not in its menu";
  }
  if (sim::NameKey(entry) == sim::NameKey(root + "g1ldr")) return WhyTheJobWouldNotRun(disk, system);
  ParseIni(system.files.at("boot.ini"), original);
  if (entry != DefaultEntry(original)) return "boot.ini's default entry is " + entry;
  return std::string();
}

}  // namespace tovak::testing
