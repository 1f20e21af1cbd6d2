// The drive letters on each disk's partitions as WMI lists them, and a drive's Ghost partition
// address.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "disks/wql.h"
#include "job/job_services.h"

namespace tovak {

class PartitionMap {
 public:
  // One query for the disks, one per disk for its partitions, one per partition for its logical
  // disks. Empty when any query fails.
  explicit PartitionMap(Wql& wql);

  // "disk:partition", both counted from 1; empty when no partition holds the drive (such as "d:").
  std::string AddressOf(const std::string& drive) const;

 private:
  bool Walk(Wql& wql);

  // By disk number: one slot per partition in WMI's order, holding its logical disk ("C:") or
  // empty. A disk number met again after another disk keeps only its first slot.
  std::map<unsigned, std::vector<std::string>> disks_;
};

// Both drives from one walk.
DriveAddresses MapDrivesToPartitions(Wql& wql, const std::string& imageDrive,
                                     const std::string& systemDrive);

}  // namespace tovak
