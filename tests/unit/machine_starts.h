// Whether the machine would start from what its system drive holds: the one rule every sweep over
// the job checks against.
#pragma once

#include <map>
#include <string>

#include "sim/sim_windows.h"

namespace tovak::testing {

// The system's own boot files before any job, by name ("boot.ini", "ntldr", "bootfont.bin",
// "g1ldr"; a file the system lacks is absent), and its root as Windows reports it.
struct SystemBootFiles {
  std::string root;
  std::map<std::string, std::string> files;
};

// Why the machine would not start, or empty when it would: ntldr whole (the system's own or the
// job's), a boot.ini the loader can read whose default entry is either the system's Windows or the
// job's loader, and then the whole job: the loader and every payload file whole (the image with a
// token in its placeholder's place, whose mark lies beside the job), a state file that
// names a script there, and the saved copies the DOS side puts back. The payload is the harness's.
std::string WhyItWouldNotStart(const sim::Snapshot& disk, const SystemBootFiles& system);

}  // namespace tovak::testing
