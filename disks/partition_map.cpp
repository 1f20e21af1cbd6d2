#include "disks/partition_map.h"

#include <optional>

#include "platform/text_utf8.h"

namespace tovak {
namespace {

// A WQL string literal takes a backslash doubled (\\.\PHYSICALDRIVE0 -> \\\\.\\PHYSICALDRIVE0) and
// a quote after a backslash, so that an id never ends the literal or changes the query.
std::string WqlString(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// The whole number after "Disk #" in "Disk #12, Partition #0".
std::optional<unsigned> DiskNumber(const std::string& partitionId) {
  static const std::string kPrefix = "Disk #";
  constexpr std::size_t kMaxDigits = 9;  // keeps the number and its successor in range
  if (partitionId.compare(0, kPrefix.size(), kPrefix) != 0) return std::nullopt;
  unsigned number = 0;
  std::size_t digits = 0;
  for (std::size_t i = kPrefix.size(); i < partitionId.size(); ++i, ++digits) {
    const char c = partitionId[i];
    if (c < '0' || c > '9') break;
    if (digits == kMaxDigits) return std::nullopt;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  if (digits == 0) return std::nullopt;
  return number;
}

}  // namespace

PartitionMap::PartitionMap(Wql& wql) {
  if (!Walk(wql)) disks_.clear();
}

bool PartitionMap::Walk(Wql& wql) {
  WqlObjectSet drives;
  if (!wql.ExecQuery("SELECT Caption, DeviceID FROM Win32_DiskDrive", drives)) return false;
  std::optional<unsigned> current;
  for (const std::string& drive : drives.deviceIds) {
    WqlObjectSet partitions;
    if (!wql.ExecQuery("ASSOCIATORS OF {Win32_DiskDrive.DeviceID=\"" + WqlString(drive) +
                           "\"} WHERE AssocClass = Win32_DiskDriveToDiskPartition",
                       partitions)) {
      return false;
    }
    for (const std::string& partition : partitions.deviceIds) {
      const std::optional<unsigned> disk = DiskNumber(partition);
      if (!disk) continue;
      WqlObjectSet logicalDisks;
      if (!wql.ExecQuery("ASSOCIATORS OF {Win32_DiskPartition.DeviceID=\"" + WqlString(partition) +
                             "\"} WHERE AssocClass = Win32_LogicalDiskToPartition",
                         logicalDisks)) {
        return false;
      }
      std::vector<std::string>& slots = disks_[*disk];
      if (current != disk) {
        slots.resize(1);
      } else {
        slots.emplace_back();
      }
      current = disk;
      // Several logical disks on one partition leave its own slot empty and take one each.
      for (const std::string& logicalDisk : logicalDisks.deviceIds) {
        if (logicalDisks.Count() == 1) {
          slots.back() = logicalDisk;
        } else {
          slots.push_back(logicalDisk);
        }
      }
    }
  }
  return true;
}

std::string PartitionMap::AddressOf(const std::string& drive) const {
  const std::string wanted = LowerAscii(drive);
  for (const auto& [disk, slots] : disks_) {
    for (std::size_t slot = 0; slot < slots.size(); ++slot) {
      if (!slots[slot].empty() && LowerAscii(slots[slot]) == wanted) {
        return std::to_string(disk + 1) + ":" + std::to_string(slot + 1);
      }
    }
  }
  return std::string();
}

DriveAddresses MapDrivesToPartitions(Wql& wql, const std::string& imageDrive,
                                     const std::string& systemDrive) {
  const PartitionMap map(wql);
  return DriveAddresses{map.AddressOf(imageDrive), map.AddressOf(systemDrive)};
}

}  // namespace tovak
