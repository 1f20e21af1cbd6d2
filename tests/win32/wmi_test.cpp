// The drive map over the real WMI: what the service answers and what the walk makes of it.
#include <windows.h>

#include <gtest/gtest.h>

#include "disks/partition_map.h"
#include "disks/wmi.h"
#include "platform/win32/win32_platform.h"

namespace tovak {
namespace {

// Passes the queries on and keeps each with its answer.
class RecordingWql : public Wql {
 public:
  explicit RecordingWql(Wql& wql) : wql_(wql) {}
  bool ExecQuery(const std::string& query, WqlObjectSet& result) override {
    const bool ok = wql_.ExecQuery(query, result);
    EXPECT_TRUE(ok) << query;
    seen.emplace_back(query, result.deviceIds);
    return ok;
  }
  std::vector<std::pair<std::string, std::vector<std::string>>> seen;

 private:
  Wql& wql_;
};

bool RunningUnderWine() { return Win32Platform().platform().system.RunningUnderWine(); }

TEST(Wmi, TheWalkOfThisMachine) {
  std::vector<std::pair<std::string, std::vector<std::string>>> seen;
  DriveAddresses addresses;
  ASSERT_TRUE(WithWmi([&](Wql& wql) {
    RecordingWql recording(wql);
    addresses = MapDrivesToPartitions(recording, "C:", "c:");
    seen = recording.seen;
  }));
  ASSERT_FALSE(seen.empty());
  const std::vector<std::string>& disks = seen[0].second;
  ASSERT_FALSE(disks.empty());
  if (!RunningUnderWine()) {
    EXPECT_EQ(disks[0].rfind("\\\\.\\PHYSICALDRIVE", 0), 0u);
    EXPECT_FALSE(addresses.system.empty());
    EXPECT_EQ(addresses.image, addresses.system);
    return;
  }
  // Wine 8.0 lists one disk per drive of the prefix (C: and Z: here) with the DeviceID already
  // doubled, \\\\.\\PHYSICALDRIVE0. ASSOCIATORS OF finds no partition of a disk, neither with
  // that text doubled again (as the walk sends it) nor as it is, so the walk yields no address
  // and the job falls back to its fixed table.
  EXPECT_EQ(disks[0], "\\\\\\\\.\\\\PHYSICALDRIVE0");
  ASSERT_EQ(seen.size(), 1 + disks.size());
  for (std::size_t i = 1; i < seen.size(); ++i) {
    EXPECT_TRUE(seen[i].second.empty()) << seen[i].first;
  }
  EXPECT_EQ(seen[1].first,
            "ASSOCIATORS OF {Win32_DiskDrive.DeviceID=\"\\\\\\\\\\\\\\\\.\\\\\\\\PHYSICALDRIVE0\"} "
            "WHERE AssocClass = Win32_DiskDriveToDiskPartition");
  EXPECT_EQ(addresses.image, "");
  EXPECT_EQ(addresses.system, "");
}

// The window's thread may already have COM, in either model: the map must work there and leave
// the thread's own initialisation as it found it.
TEST(Wmi, TheDriveMapLeavesTheThreadsComAsItWas) {
  std::unique_ptr<DriveMap> map = MakeWmiDriveMap();
  const DriveAddresses alone = map->MapDrivesToPartitions("C:", "C:");
  for (DWORD model : {COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED}) {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, model))) << model;
    const DriveAddresses inside = map->MapDrivesToPartitions("C:", "C:");
    EXPECT_EQ(inside.image, alone.image) << model;
    EXPECT_EQ(inside.system, alone.system) << model;
    EXPECT_EQ(::CoInitializeEx(nullptr, model), S_FALSE) << "the map uninitialised COM";
    ::CoUninitialize();
    ::CoUninitialize();
  }
}

}  // namespace
}  // namespace tovak
