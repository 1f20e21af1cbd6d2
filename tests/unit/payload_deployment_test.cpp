#include "payload/payload_deployment.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "payload/payload_catalogue.h"
#include "platform/sim/sim_windows.h"

namespace tovak {
namespace {

using sim::Op;
using sim::SimWindows;

// Where each file goes, below the system drive root, in the order of writing.
const char* const kWritingOrder[] = {
    "bootfont.bin",
    "ntldr",
    "boot\\qelv\\e2fs_stage1_5",
    "boot\\qelv\\fastfat.sys",
    "boot\\qelv\\fat_stage1_5",
    "boot\\qelv\\ffs_stage1_5",
    "boot\\qelv\\iso9660_stage1_5",
    "boot\\qelv\\jfs_stage1_5",
    "boot\\qelv\\memdisk.gz",
    "boot\\qelv\\menu.lst",
    "boot\\qelv\\minix_stage1_5",
    "boot\\qelv\\ntfs_stage1_5",
    "boot\\qelv\\reiserfs_stage1_5",
    "boot\\qelv\\stage1",
    "boot\\qelv\\stage2",
    "boot\\qelv\\ufs2_stage1_5",
    "boot\\qelv\\vstafs_stage1_5",
    "boot\\qelv\\xfs_stage1_5",
    "boot\\qelv\\qelv.img",
    "boot\\qelv\\ghost.exe",
    "g1ldr",
};

// Bytes that differ from file to file, so that one written under another's name shows.
std::string Content(const PayloadFile& file) {
  return std::string(static_cast<std::size_t>(file.size), static_cast<char>(file.id));
}

void AddPayload(SimWindows& w, int omitted = 0) {
  for (const PayloadFile& file : PayloadCatalogue()) {
    if (file.id != omitted) w.AddResource(file.id, Content(file));
  }
}

// The payload folder made, every resource there.
void Ready(SimWindows& w) {
  w.PutFolder("C:\\boot\\qelv");
  AddPayload(w);
}

std::vector<std::string> Opened(const SimWindows& w) {
  const std::string prefix = "OpenForWriting ";
  std::vector<std::string> paths;
  for (const std::string& line : w.Log()) {
    if (line.compare(0, prefix.size(), prefix) == 0) paths.push_back(line.substr(prefix.size()));
  }
  return paths;
}

// The paths of the first `count` rows, relative ones below the root or the payload folder.
std::vector<std::string> Targets(const std::string& root, const std::string& folderParent,
                                 std::size_t count = kPayloadFileCount) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string relative = kWritingOrder[i];
    paths.push_back((relative.find('\\') == std::string::npos ? root : folderParent) + relative);
  }
  return paths;
}

TEST(DeployBootFiles, WritesTheCatalogueInOrderBelowTheSystemDriveRoot) {
  struct Case {
    const char* systemDirectory;
    const char* root;          // as the deployment names it
    const char* folderParent;  // of "boot\qelv", likewise
    const char* rootFound;     // where those lie
    const char* folderParentFound;
  } cases[] = {
      {"C:\\WINDOWS\\system32", "C:\\", "C:\\", "C:\\", "C:\\"},
      {"D:\\WINNT\\system32", "D:\\", "D:\\", "D:\\", "D:\\"},
      // No system directory: the current drive's root and the current folder.
      {"", "\\", "", "D:\\", "D:\\work\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.systemDirectory);
    SimWindows w;
    w.AddDrive('D');
    w.PutFolder("D:\\work");
    w.SetCurrentFolder("D:\\work");
    w.SetSystemDirectory(c.systemDirectory);
    w.PutFolder(std::string(c.folderParentFound) + "boot\\qelv");
    AddPayload(w);
    const sim::Snapshot before = w.Take();
    std::vector<std::string> pumpedAfter;
    w.onPump = [&] { pumpedAfter.push_back(w.Log().back()); };

    ASSERT_TRUE(DeployBootFiles(w.platform()));

    const std::vector<std::string> targets = Targets(c.root, c.folderParent);
    EXPECT_EQ(Opened(w), targets);
    std::vector<std::string> afterOpening;
    for (const std::string& target : targets) afterOpening.push_back("OpenForWriting " + target);
    EXPECT_EQ(pumpedAfter, afterOpening);  // one pass a file, before its write

    sim::Snapshot expected = before;
    const std::vector<std::string> found = Targets(c.rootFound, c.folderParentFound);
    for (std::size_t i = 0; i < kPayloadFileCount; ++i) {
      EXPECT_EQ(w.Bytes(found[i]), Content(PayloadCatalogue()[i])) << found[i];
      expected[found[i]] = {false, attr::kArchive, Content(PayloadCatalogue()[i])};
    }
    EXPECT_TRUE(w.Take() == expected) << "something besides the 21 files changed";
  }
}

TEST(DeployBootFiles, StopsAtTheFirstFileThatFailsOrHasTheWrongLength) {
  struct Case {
    const char* what;
    std::function<void(SimWindows&)> arrange;
    std::uint32_t error;
    std::size_t rowsOpened;  // including the failing one when it got that far
  } cases[] = {
      {"missing resource",
       [](SimWindows& w) {
         w.PutFolder("C:\\boot\\qelv");
         AddPayload(w, 103);
       },
       error::kResourceNameNotFound, 2},
      {"no payload folder", [](SimWindows& w) { AddPayload(w); }, error::kPathNotFound, 3},
      {"read-only target",
       [](SimWindows& w) {
         Ready(w);
         w.PutFile("C:\\ntldr", "old loader", attr::kReadOnly);
       },
       error::kAccessDenied, 2},
      {"disk full",
       [](SimWindows& w) {
         Ready(w);
         const auto& rows = PayloadCatalogue();
         w.SetFreeSpace('C', rows[0].size + rows[1].size + rows[2].size - 1);
       },
       error::kDiskFull, 3},
      {"one byte too many",
       [](SimWindows& w) {
         Ready(w);
         w.AddResource(104, Content(PayloadCatalogue()[3]) + "x");
       },
       error::kWriteFault, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimWindows w;
    c.arrange(w);

    EXPECT_FALSE(DeployBootFiles(w.platform()));
    EXPECT_EQ(w.platform().lastError.Get(), c.error);
    EXPECT_EQ(Opened(w), Targets("C:\\", "C:\\", c.rowsOpened));
    EXPECT_FALSE(w.Exists("C:\\g1ldr"));
  }
}

TEST(ExtractResourceFile, AddsOneBackslashToTheFolder) {
  for (const char* folder : {"C:\\", "C:", "C:\\boot", "C:\\boot\\"}) {
    SimWindows w;
    w.PutFolder("C:\\boot");
    w.AddResource(110, "menu");
    ASSERT_TRUE(ExtractResourceFile(w.platform(), 110, 4, "menu.lst", folder, true)) << folder;
    const std::string expected = std::string(folder).find("boot") != std::string::npos
                                     ? "C:\\boot\\menu.lst"
                                     : "C:\\menu.lst";
    EXPECT_EQ(Opened(w), std::vector<std::string>{expected}) << folder;
    EXPECT_EQ(w.Bytes(expected), "menu");
  }
}

TEST(ExtractResourceFile, KeepsTheEarliestBackupOnlyWhenAskedTo) {
  struct Case {
    bool skipBackup;
    const char* target;  // before; null: absent
    const char* backup;  // before and after; null: absent
    const char* backupAfter;
  } cases[] = {
      {false, "old", nullptr, "old"},     {false, "old", "older", "older"},
      {false, nullptr, "older", "older"}, {false, nullptr, nullptr, nullptr},
      {true, "old", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.skipBackup << " " << (c.target ? c.target : "-") << " "
                                      << (c.backup ? c.backup : "-"));
    SimWindows w;
    w.PutFolder("C:\\boot");
    if (c.target) w.PutFile("C:\\boot\\g1ldr", c.target);
    if (c.backup) w.PutFile("C:\\boot\\g1ldr.bak", c.backup);
    w.AddResource(121, "loader");

    EXPECT_TRUE(ExtractResourceFile(w.platform(), 121, 6, "g1ldr", "C:\\boot", c.skipBackup));
    EXPECT_EQ(w.Bytes("C:\\boot\\g1ldr"), "loader");
    EXPECT_EQ(w.Exists("C:\\boot\\g1ldr.bak"), c.backupAfter != nullptr);
    if (c.backupAfter) {
      EXPECT_EQ(w.Bytes("C:\\boot\\g1ldr.bak"), c.backupAfter);
    }
  }
}

TEST(ExtractResourceFile, LeavesTheFileExactlyTheResourceAndChecksItsLength) {
  struct Case {
    const char* existing;  // null: absent
    std::int32_t expectedSize;
    bool result;
  } cases[] = {
      {"a much longer old file", 6, true},
      {nullptr, 7, false},
      {"a much longer old file", 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.existing ? c.existing : "-") << " " << c.expectedSize);
    SimWindows w;
    if (c.existing) w.PutFile("C:\\stage2", c.existing);
    w.AddResource(115, "stage2");
    w.platform().lastError.Set(0);

    EXPECT_EQ(ExtractResourceFile(w.platform(), 115, c.expectedSize, "stage2", "C:\\", true),
              c.result);
    EXPECT_EQ(w.Bytes("C:\\stage2"), "stage2");
    EXPECT_EQ(w.platform().lastError.Get() == error::kWriteFault, !c.result);
    EXPECT_EQ(w.PumpCount(), 1);
  }
}

TEST(ExtractResourceFile, RefusesWithoutChangingTheDisk) {
  struct Case {
    const char* what;
    std::function<void(SimWindows&)> arrange;
    bool skipBackup;
    std::uint32_t error;
  } cases[] = {
      {"missing resource", [](SimWindows& w) { w.AddResource(102, "other"); }, false,
       error::kResourceNameNotFound},
      {"failed rename",
       [](SimWindows& w) {
         w.AddResource(101, "font");
         w.FailOn(Op::Rename, "C:\\bootfont.bin", error::kAccessDenied);
       },
       false, error::kAccessDenied},
      {"read-only target", [](SimWindows& w) { w.AddResource(101, "font"); }, true,
       error::kAccessDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimWindows w;
    w.PutFile("C:\\bootfont.bin", "system font", attr::kReadOnly | attr::kHidden | attr::kSystem);
    c.arrange(w);
    const sim::Snapshot before = w.Take();

    EXPECT_FALSE(ExtractResourceFile(w.platform(), 101, 4, "bootfont.bin", "C:\\", c.skipBackup));
    EXPECT_EQ(w.platform().lastError.Get(), c.error);
    EXPECT_TRUE(w.Take() == before);
  }
}

TEST(PayloadDeployment, RefusesAStandInPayloadOutsideWine) {
  struct Case {
    bool standIns;
    bool wine;
    bool deployable;
  } cases[] = {{false, false, true}, {false, true, true}, {true, true, true}, {true, false, false}};
  for (const Case& c : cases) {
    SimWindows w;
    w.SetRunningUnderWine(c.wine);
    EXPECT_EQ(PayloadDeployment(w.platform(), c.standIns).Deployable(), c.deployable)
        << c.standIns << c.wine;
  }
  SimWindows w;
  EXPECT_EQ(PayloadDeployment(w.platform()).Deployable(), !PayloadHasStandIns());
}

}  // namespace
}  // namespace tovak
