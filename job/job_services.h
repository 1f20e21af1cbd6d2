// What the job asks of the other parts of the program, each at its own step.
#pragma once

#include <string>

namespace tovak {

// Ghost partition addresses ("disk:partition", counted from 1); empty for a drive that is not a
// partition of a local disk.
struct DriveAddresses {
  std::string image;
  std::string system;
};

class DriveMap {
 public:
  virtual ~DriveMap() = default;
  // The addresses of the image's drive and of the system drive (such as "d:"), from one walk of
  // the disks, since the walk is slow.
  virtual DriveAddresses MapDrivesToPartitions(const std::string& imageDrive,
                                               const std::string& systemDrive) = 0;
};

class BootDeployment {
 public:
  virtual ~BootDeployment() = default;
  // Whether this program's payload may be written on this machine: a build with stand-ins for the
  // boot files prepares jobs only under Wine, since a stand-in loader would leave a real machine
  // unable to start.
  virtual bool Deployable() = 0;
  // Writes the payload into the payload folder, each file flushed, the root's loaders and font
  // among them under their own names, the floppy image carrying the job's token; false when it
  // stopped part-way (the last error says why).
  virtual bool DeployBootFiles(const std::string& token) = 0;
};

}  // namespace tovak
