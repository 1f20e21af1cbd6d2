// What the job asks of the other parts of the program, each at its own step.
#pragma once

#include <string>

namespace tovak {

class DriveMap {
 public:
  virtual ~DriveMap() = default;
  // The Ghost partition address ("disk:partition", counted from 1) of a drive such as "d:", or
  // empty when the drive is not a partition of a local disk.
  virtual std::string MapDrivesToPartitions(const std::string& drive) = 0;
};

class BootDeployment {
 public:
  virtual ~BootDeployment() = default;
  // Whether this program's payload may be written on this machine: a build with stand-ins for the
  // boot files prepares jobs only under Wine, since a stand-in loader would leave a real machine
  // unable to start.
  virtual bool Deployable() = 0;
  // Writes the payload to the system drive; false when it stopped part-way (the last error says why).
  virtual bool DeployBootFiles() = 0;
};

class Restarter {
 public:
  virtual ~Restarter() = default;
  virtual void RestartWindows() = 0;
};

}  // namespace tovak
