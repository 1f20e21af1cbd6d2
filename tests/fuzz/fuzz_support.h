// What the fuzz targets share: the input cut into parts, an XP-like machine on the simulated
// Windows, stand-ins for the job's services, and the check that stops a run on a broken invariant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "job/job_services.h"
#include "sim/sim_windows.h"
#include "tests/unit/xp_boot_files.h"

namespace tovak::fuzz {

// Stops the run with the invariant's words; libFuzzer keeps the input that broke it.
void Require(bool holds, const char* invariant);

// The input cut at each line "--8<--" into count parts (the last takes the rest); missing ones
// are empty. A corpus file stays readable text.
std::vector<std::string> Parts(const std::uint8_t* data, std::size_t size, std::size_t count);

// Lines without their line break (LF, or CR LF); no empty last line for a text ending in one.
std::vector<std::string> Lines(const std::string& text);

bool IsUtf8(const std::string& text);

using testing::kBootFileBits;
using testing::kBootIni;

// C: as XP leaves it, with this boot.ini; an empty D:.
void MakeXpMachine(sim::SimWindows& windows, const std::string& bootIni = kBootIni);

// The entries of the system drive in a snapshot, but the record folder, which outlives a job.
sim::Snapshot SystemDrive(const sim::Snapshot& snapshot);

// Writes the job's loader, font, g1ldr and imaging program into boot\qelv, and keeps the token.
class SmallDeployment : public BootDeployment {
 public:
  explicit SmallDeployment(Platform& platform) : platform_(platform) {}
  bool Deployable() override { return true; }
  bool DeployBootFiles(const std::string& token) override;
  std::string token;

 private:
  Platform& platform_;
};

// No partition is known: the job falls back to its fixed table.
class NoDriveMap : public DriveMap {
 public:
  DriveAddresses MapDrivesToPartitions(const std::string&, const std::string&) override {
    return {};
  }
};

}  // namespace tovak::fuzz
