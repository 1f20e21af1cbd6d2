#include "disks/partition_map.h"
#include "disks/wmi.h"

namespace tovak {
namespace {

class WmiDriveMap final : public DriveMap {
 public:
  DriveAddresses MapDrivesToPartitions(const std::string& imageDrive,
                                       const std::string& systemDrive) override {
    DriveAddresses addresses;
    WithWmi([&](Wql& wql) {
      addresses = tovak::MapDrivesToPartitions(wql, imageDrive, systemDrive);
    });
    return addresses;
  }
};

}  // namespace

std::unique_ptr<DriveMap> MakeWmiDriveMap() { return std::make_unique<WmiDriveMap>(); }

}  // namespace tovak
