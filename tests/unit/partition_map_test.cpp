// The drive map over a WMI stand-in that answers by query text.
#include "disks/partition_map.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tovak::testing {
namespace {

const std::string kDisks = "SELECT Caption, DeviceID FROM Win32_DiskDrive";

std::string PartitionsOf(const std::string& wqlDiskId) {
  return "ASSOCIATORS OF {Win32_DiskDrive.DeviceID=\"" + wqlDiskId +
         "\"} WHERE AssocClass = Win32_DiskDriveToDiskPartition";
}

std::string LogicalDisksOf(const std::string& partitionId) {
  return "ASSOCIATORS OF {Win32_DiskPartition.DeviceID=\"" + partitionId +
         "\"} WHERE AssocClass = Win32_LogicalDiskToPartition";
}

// A partition's DeviceID and the logical disks WMI lists on it.
using Partition = std::pair<std::string, std::vector<std::string>>;

// Answers only the queries it was given: a query text the walk got wrong fails the test.
class FakeWmi : public Wql {
 public:
  FakeWmi() { answers[kDisks] = {}; }

  // Disk drive n, \\.\PHYSICALDRIVEn, listing the partitions given.
  void AddDisk(int n, const std::vector<Partition>& partitions) {
    const std::string number = std::to_string(n);
    answers[kDisks].push_back("\\\\.\\PHYSICALDRIVE" + number);
    std::vector<std::string>& listed =
        answers[PartitionsOf("\\\\\\\\.\\\\PHYSICALDRIVE" + number)];
    for (const auto& [partition, logicalDisks] : partitions) {
      listed.push_back(partition);
      answers[LogicalDisksOf(partition)] = logicalDisks;
    }
  }

  bool ExecQuery(const std::string& query, WqlObjectSet& result) override {
    queries.push_back(query);
    if (query == failing) return false;
    auto found = answers.find(query);
    if (found == answers.end()) {
      ADD_FAILURE() << "unexpected query: " << query;
      return false;
    }
    result.deviceIds = found->second;
    return true;
  }

  std::map<std::string, std::vector<std::string>> answers;
  std::vector<std::string> queries;
  std::string failing;
};

// Disk 0: C:, D:, a partition without a drive letter, E:. Disk 1: F:.
void AddWorkedExample(FakeWmi& wmi) {
  wmi.AddDisk(0, {{"Disk #0, Partition #0", {"C:"}},
                  {"Disk #0, Partition #1", {"D:"}},
                  {"Disk #0, Partition #2", {}},
                  {"Disk #0, Partition #3", {"E:"}}});
  wmi.AddDisk(1, {{"Disk #1, Partition #0", {"F:"}}});
}

void ExpectAddresses(Wql& wql, const std::map<std::string, std::string>& expected) {
  const PartitionMap map(wql);
  for (const auto& [drive, address] : expected) {
    EXPECT_EQ(map.AddressOf(drive), address) << "drive \"" << drive << "\"";
  }
}

TEST(PartitionMap, WorkedExampleWithOneQueryPerDiskAndPartition) {
  FakeWmi wmi;
  AddWorkedExample(wmi);
  ExpectAddresses(wmi, {{"d:", "1:2"}, {"E:", "1:4"}, {"f:", "2:1"}, {"g:", ""}, {"C:", "1:1"},
                        {"c", ""}, {"\\\\", ""}, {"", ""}});
  ASSERT_EQ(wmi.queries.size(), 1u + 2u + 5u);
  EXPECT_EQ(wmi.queries[0], kDisks);
  EXPECT_EQ(wmi.queries[1],
            "ASSOCIATORS OF {Win32_DiskDrive.DeviceID=\"\\\\\\\\.\\\\PHYSICALDRIVE0\"} "
            "WHERE AssocClass = Win32_DiskDriveToDiskPartition");
  EXPECT_EQ(wmi.queries[2],
            "ASSOCIATORS OF {Win32_DiskPartition.DeviceID=\"Disk #0, Partition #0\"} "
            "WHERE AssocClass = Win32_LogicalDiskToPartition");
}

TEST(PartitionMap, BothDrivesComeFromOneWalk) {
  FakeWmi wmi;
  AddWorkedExample(wmi);
  const DriveAddresses addresses = MapDrivesToPartitions(wmi, "D:", "c:");
  EXPECT_EQ(addresses.image, "1:2");
  EXPECT_EQ(addresses.system, "1:1");
  EXPECT_EQ(wmi.queries.size(), 8u);
}

TEST(PartitionMap, Layouts) {
  struct Case {
    const char* what;
    std::vector<std::vector<Partition>> disks;  // by disk drive, in WMI's order
    std::map<std::string, std::string> expected;
    std::size_t queries;
  } cases[] = {
      {"no disks", {}, {{"c:", ""}}, 1},
      {"disks without partitions", {{}, {}}, {{"c:", ""}}, 3},
      {"letters in lower case", {{{"Disk #0, Partition #0", {"c:"}}}}, {{"C:", "1:1"}}, 3},
      {"a disk number no partition names",
       {{{"Disk #0, Partition #0", {"C:"}}}, {{"Disk #2, Partition #0", {"D:"}}}},
       {{"c:", "1:1"}, {"d:", "3:1"}},
       5},
      {"two logical disks on one partition",
       {{{"Disk #0, Partition #0", {"C:"}},
         {"Disk #0, Partition #1", {"D:", "E:"}},
         {"Disk #0, Partition #2", {"F:"}}}},
       {{"c:", "1:1"}, {"d:", "1:3"}, {"e:", "1:4"}, {"f:", "1:5"}},
       5},
      {"the whole disk number", {{{"Disk #12, Partition #0", {"G:"}}}}, {{"g:", "13:1"}}, 3},
      {"a partition without a disk number is passed over",
       {{{"Disk #0, Partition #0", {"C:"}},
         {"Disk #, Partition #1", {"X:"}},
         {"Partition #2", {"Y:"}},
         {"Disk #0, Partition #3", {"D:"}}}},
       {{"c:", "1:1"}, {"d:", "1:2"}, {"x:", ""}, {"y:", ""}},
       4},
      {"a lower disk after a higher one keeps the higher",
       {{{"Disk #1, Partition #0", {"E:"}}, {"Disk #1, Partition #1", {"F:"}}},
        {{"Disk #0, Partition #0", {"C:"}}}},
       {{"e:", "2:1"}, {"f:", "2:2"}, {"c:", "1:1"}},
       6},
      {"a disk met again after another starts over from its first slot",
       {{{"Disk #0, Partition #0", {"C:"}}, {"Disk #0, Partition #1", {"D:"}}},
        {{"Disk #1, Partition #0", {"E:"}}},
        {{"Disk #0, Partition #2", {}}}},
       {{"c:", "1:1"}, {"d:", ""}, {"e:", "2:1"}},
       8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWmi wmi;
    for (std::size_t n = 0; n < c.disks.size(); ++n) wmi.AddDisk(static_cast<int>(n), c.disks[n]);
    ExpectAddresses(wmi, c.expected);
    EXPECT_EQ(wmi.queries.size(), c.queries);
  }
}

TEST(PartitionMap, AnyFailedQueryLeavesNothingFound) {
  FakeWmi clean;
  AddWorkedExample(clean);
  const PartitionMap complete(clean);
  for (const std::string& failing : clean.queries) {
    FakeWmi wmi;
    AddWorkedExample(wmi);
    wmi.failing = failing;
    ExpectAddresses(wmi, {{"c:", ""}, {"d:", ""}, {"f:", ""}});
    EXPECT_EQ(wmi.queries.back(), failing) << "the walk goes on after a failed query";
  }
}

}  // namespace
}  // namespace tovak::testing
