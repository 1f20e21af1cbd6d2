#include "payload/payload_deployment.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "payload/payload_catalogue.h"
#include "sim/sim_windows.h"

namespace tovak {
namespace {

using sim::SimWindows;

// The order of writing; every file goes into the payload folder, those for the root as well.
const char* const kWritingOrder[] = {
    "bootfont.bin",      "ntldr",          "e2fs_stage1_5",  "fastfat.sys",
    "fat_stage1_5",      "ffs_stage1_5",   "iso9660_stage1_5", "jfs_stage1_5",
    "memdisk.gz",        "menu.lst",       "minix_stage1_5", "ntfs_stage1_5",
    "reiserfs_stage1_5", "stage1",         "stage2",         "ufs2_stage1_5",
    "vstafs_stage1_5",   "xfs_stage1_5",   "qelv.img",       "ghost.exe",
    "g1ldr",
};

constexpr char kToken[] = "0A1B2C3D";

// Bytes that differ from file to file, so that one written under another's name shows; the image
// holds the placeholder where the build found it, or the token that takes its place.
std::string Content(const PayloadFile& file, const char* token = kTokenPlaceholder) {
  std::string bytes(static_cast<std::size_t>(file.size), static_cast<char>(file.id));
  if (file.tokenOffset >= 0) bytes.replace(static_cast<std::size_t>(file.tokenOffset), 8, token);
  return bytes;
}

// Only the token's bytes differ from the resource.
std::string DeployedContent(const PayloadFile& file) { return Content(file, kToken); }

// How many of the catalogue's files, at these paths in its order, hold their deployed bytes.
std::size_t Deployed(const SimWindows& w, const std::vector<std::string>& paths) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (w.Bytes(paths[i]) == DeployedContent(PayloadCatalogue()[i])) ++count;
  }
  return count;
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

// The paths of the first `count` rows in the payload folder below folderParent.
std::vector<std::string> Targets(const std::string& folderParent,
                                 std::size_t count = kPayloadFileCount) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < count; ++i) {
    paths.push_back(folderParent + "boot\\qelv\\" + kWritingOrder[i]);
  }
  return paths;
}

TEST(DeployBootFiles, WritesTheCatalogueInOrderIntoThePayloadFolderAndFlushesIt) {
  struct Case {
    const char* systemDirectory;
    const char* folderParent;  // of "boot\qelv", as the deployment names it
    const char* folderParentFound;
  } cases[] = {
      {"C:\\WINDOWS\\system32", "C:\\", "C:\\"},
      {"D:\\WINNT\\system32", "D:\\", "D:\\"},
      // No system directory: below the current folder.
      {"", "", "D:\\work\\"},
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
    const std::vector<std::string> found = Targets(c.folderParentFound);
    // How many files were whole each time the window had a pass.
    std::set<std::size_t> wholeAtPass;
    w.onPump = [&] { wholeAtPass.insert(Deployed(w, found)); };

    ASSERT_TRUE(DeployBootFiles(w.platform(), PayloadCatalogue(), kToken));

    EXPECT_EQ(Opened(w), Targets(c.folderParent));
    // A slow disk never keeps the window waiting for more than one file.
    for (std::size_t whole = 0; whole < kPayloadFileCount; ++whole) {
      EXPECT_EQ(wholeAtPass.count(whole), 1u) << "no pass before file " << whole + 1;
    }

    w.PowerCut();  // every file was flushed
    EXPECT_EQ(Deployed(w, found), kPayloadFileCount);
    sim::Snapshot expected = before;
    for (std::size_t i = 0; i < kPayloadFileCount; ++i) {
      expected[found[i]] = {false, attr::kArchive, DeployedContent(PayloadCatalogue()[i])};
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
      {"no payload folder", [](SimWindows& w) { AddPayload(w); }, error::kPathNotFound, 1},
      {"read-only target",
       [](SimWindows& w) {
         Ready(w);
         w.PutFile("C:\\boot\\qelv\\ntldr", "old loader", attr::kReadOnly);
       },
       error::kAccessDenied, 2},
      {"disk full",
       [](SimWindows& w) {
         Ready(w);
         const auto& rows = PayloadCatalogue();
         w.SetFreeSpace('C', rows[0].size + rows[1].size + rows[2].size - 1);
       },
       error::kDiskFull, 3},
      {"flush refused",
       [](SimWindows& w) {
         Ready(w);
         w.FailOn(sim::Op::Flush, "C:\\boot\\qelv\\fastfat.sys", error::kWriteFault);
       },
       error::kWriteFault, 4},
      {"one byte too many",
       [](SimWindows& w) {
         Ready(w);
         w.AddResource(104, Content(PayloadCatalogue()[3]) + "x");
       },
       error::kWriteFault, 4},
      // A build whose image has no placeholder where the catalogue says.
      {"no placeholder in the image",
       [](SimWindows& w) {
         Ready(w);
         w.AddResource(119, Content(PayloadCatalogue()[18], "00000000"));
       },
       error::kInvalidData, 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimWindows w;
    c.arrange(w);

    EXPECT_FALSE(DeployBootFiles(w.platform(), PayloadCatalogue(), kToken));
    EXPECT_EQ(w.platform().lastError.Get(), c.error);
    EXPECT_EQ(Opened(w), Targets("C:\\", c.rowsOpened));
    EXPECT_FALSE(w.Exists("C:\\boot\\qelv\\g1ldr"));
  }
}

TEST(ExtractResourceFile, AddsOneBackslashToTheFolder) {
  for (const char* folder : {"C:\\", "C:", "C:\\boot", "C:\\boot\\"}) {
    SimWindows w;
    w.PutFolder("C:\\boot");
    w.AddResource(110, "menu");
    ASSERT_TRUE(ExtractResourceFile(w.platform(), 110, 4, "menu.lst", folder)) << folder;
    const std::string expected = std::string(folder).find("boot") != std::string::npos
                                     ? "C:\\boot\\menu.lst"
                                     : "C:\\menu.lst";
    EXPECT_EQ(Opened(w), std::vector<std::string>{expected}) << folder;
    EXPECT_EQ(w.Bytes(expected), "menu");
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

    EXPECT_EQ(ExtractResourceFile(w.platform(), 115, c.expectedSize, "stage2", "C:\\"),
              c.result);
    EXPECT_EQ(w.Bytes("C:\\stage2"), "stage2");
    EXPECT_EQ(w.platform().lastError.Get() == error::kWriteFault, !c.result);
  }
}

TEST(ExtractResourceFile, RefusesWithoutChangingTheDisk) {
  struct Case {
    const char* what;
    std::function<void(SimWindows&)> arrange;
    std::uint32_t error;
  } cases[] = {
      {"missing resource", [](SimWindows& w) { w.AddResource(102, "other"); },
       error::kResourceNameNotFound},
      {"read-only target", [](SimWindows& w) { w.AddResource(101, "font"); },
       error::kAccessDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimWindows w;
    w.PutFile("C:\\bootfont.bin", "system font", attr::kReadOnly | attr::kHidden | attr::kSystem);
    c.arrange(w);
    const sim::Snapshot before = w.Take();

    EXPECT_FALSE(ExtractResourceFile(w.platform(), 101, 4, "bootfont.bin", "C:\\"));
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
