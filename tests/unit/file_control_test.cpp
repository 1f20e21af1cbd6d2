// The file operations where only the simulation can look: messages, pumping, injected failures.
#include "platform/file_control.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/file_search.h"
#include "sim/sim_windows.h"

namespace tovak {
namespace {

class FileControlTest : public ::testing::Test {
 protected:
  FileControlTest() : control_(sim_, sim_, sim_) {}
  sim::SimWindows sim_;
  FileControl control_;
};

TEST(FileNamePart, TakesTheTextAfterTheLastBackslash) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {{"C:\\a\\b.txt", "b.txt"}, {"b.txt", "b.txt"}, {"C:\\a\\", ""}, {"", ""},
               {"C:\\备份\\镜象.gho", "镜象.gho"}};
  for (const Case& c : cases) EXPECT_EQ(GetFileNamePart(c.path), c.name) << c.path;
}

TEST_F(FileControlTest, MissingSourcesAndTargetsAreReportedAsNotices) {
  sim_.PutFolder("C:\\src");
  struct Case {
    std::function<void()> call;
    const char* text;
  } cases[] = {
      {[&] { control_.CopySingleFile("C:\\none", "C:\\x", true, false); }, "源文件不存在"},
      {[&] { control_.CopyMatchingFiles("C:\\none", "C:\\src", "*.*", true, true); }, "源文件不存在"},
      {[&] { control_.CopyMatchingFiles("C:\\src", "C:\\none", "*.*", true, true); }, "目录路径不存在"},
  };
  for (const Case& c : cases) {
    const sim::Snapshot before = sim_.Take();
    const std::size_t shown = sim_.Messages().size();
    c.call();
    ASSERT_EQ(sim_.Messages().size(), shown + 1) << c.text;
    const sim::MessageRecord& box = sim_.Messages().back();
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.title, "提示");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(sim_.Take(), before) << c.text;
  }
}

// The folders searched so far.
std::size_t Searches(const sim::SimWindows& w) {
  const std::string prefix = "FindFirst ";
  std::size_t count = 0;
  for (const std::string& line : w.Log()) {
    if (line.compare(0, prefix.size(), prefix) == 0) ++count;
  }
  return count;
}

// A deep tree never keeps the window waiting for more than one folder's search.
TEST_F(FileControlTest, ListingsLetTheWindowBreatheBetweenFolders) {
  for (const char* folder : {"C:\\r\\a", "C:\\r\\a\\x", "C:\\r\\b"}) sim_.PutFolder(folder);
  struct Case {
    const char* what;
    std::function<Listing()> list;
    std::vector<std::string> paths;
  } cases[] = {
      {"files", [&] { return FindFiles(sim_, sim_, sim_, "C:\\r", "*.*"); }, {}},
      {"folders", [&] { return FindFolders(sim_, sim_, sim_, "C:\\r\\", "*.*"); },
       {"C:\\r\\a", "C:\\r\\b", "C:\\r\\a\\x"}},
      // A second listing starts afresh.
      {"folders again", [&] { return FindFolders(sim_, sim_, sim_, "C:\\r\\a", "*.*"); },
       {"C:\\r\\a\\x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t first = Searches(sim_);
    std::vector<std::size_t> searchedAtPass;
    sim_.onPump = [&] { searchedAtPass.push_back(Searches(sim_) - first); };
    EXPECT_EQ(c.list().paths, c.paths);
    ASSERT_FALSE(searchedAtPass.empty());
    searchedAtPass.push_back(Searches(sim_) - first);  // the listing's end
    std::size_t previous = 0;
    for (std::size_t searched : searchedAtPass) {
      EXPECT_LE(searched - previous, 1u) << "searches without a pass";
      previous = searched;
    }
  }
}

TEST_F(FileControlTest, MoveFolderTreeKeepsTheSourceWholeWhenAFileDoesNotArrive) {
  sim_.PutFile("C:\\boot\\a", "1");
  sim_.PutFile("C:\\boot\\qelv\\b", "2");
  sim_.PutFolder("C:\\msboot");
  struct Fault {
    sim::Op op;
    const char* path;
    std::uint32_t error;
  } faults[] = {
      {sim::Op::Copy, "C:\\msboot\\qelv\\b", error::kDiskFull},
      {sim::Op::Copy, "C:\\msboot\\a", error::kAccessDenied},
      // A copy still in the cache is lost with the power: it is no copy yet.
      {sim::Op::Flush, "C:\\msboot\\a", error::kAccessDenied},
      // A listing cut short must not pass for a whole copy.
      {sim::Op::FindNext, "C:\\boot\\*", error::kAccessDenied},
      {sim::Op::FindFirst, "C:\\boot\\qelv\\*", error::kSharingViolation},
  };
  for (const Fault& fault : faults) {
    sim_.FailOn(fault.op, fault.path, fault.error);
    EXPECT_FALSE(control_.MoveFolderTree("C:\\boot", "C:\\msboot", true, true)) << fault.path;
    EXPECT_EQ(sim_.Bytes("C:\\boot\\a"), "1");
    EXPECT_EQ(sim_.Bytes("C:\\boot\\qelv\\b"), "2");
    sim_.ClearFaults();
    ASSERT_TRUE(control_.DeleteFolderTree("C:\\msboot"));
    sim_.PutFolder("C:\\msboot");
  }
  // The disk fills up half-way through the copy.
  sim::SimWindows full;
  full.PutFile("C:\\boot\\a", "1");
  full.PutFile("C:\\boot\\qelv\\b", "2");
  full.PutFolder("C:\\msboot");
  full.SetFreeSpace('C', 1);
  EXPECT_FALSE(FileControl(full, full, full).MoveFolderTree("C:\\boot", "C:\\msboot", true, true));
  EXPECT_EQ(full.Bytes("C:\\boot\\a"), "1");
  EXPECT_EQ(full.Bytes("C:\\boot\\qelv\\b"), "2");
}

TEST_F(FileControlTest, AMovedFileLeavesItsSourceOnlyOnceItsCopyIsWholeOnTheDisk) {
  struct Case {
    const char* what;
    sim::Op op;
    bool moved;
  } cases[] = {
      // The target already holds a file of the source's length: no proof that the copy worked.
      {"failed copy", sim::Op::Copy, false},
      {"failed flush", sim::Op::Flush, false},
      {"no fault", sim::Op::LoadResource, true},
  };
  for (const Case& c : cases) {
    sim::SimWindows w;
    w.PutFile("C:\\ntldr", "loader");
    w.PutFile("C:\\boot\\ntldr.bak", "length");
    w.FailOn(c.op, "*", error::kAccessDenied);
    EXPECT_EQ(FileControl(w, w, w).MoveSingleFile("C:\\ntldr", "C:\\boot\\ntldr.bak", true, false),
              c.moved) << c.what;
    w.PowerCut();
    EXPECT_EQ(w.Bytes(c.moved ? "C:\\boot\\ntldr.bak" : "C:\\ntldr"), "loader") << c.what;
  }
}

TEST_F(FileControlTest, ATreeDeleteNeverReachesThroughAJunction) {
  sim_.PutFile("C:\\elsewhere\\x", "not ours");
  sim_.PutFile("C:\\t\\a\\f", "1");
  sim_.PutJunction("C:\\t\\link", "C:\\elsewhere");
  EXPECT_EQ(FindFolders(sim_, sim_, sim_, "C:\\t", "*.*").paths, std::vector<std::string>{"C:\\t\\a"});
  control_.DeleteFolderTree("C:\\t");
  EXPECT_EQ(sim_.Bytes("C:\\elsewhere\\x"), "not ours");
  EXPECT_FALSE(sim_.Exists("C:\\t\\a"));
}

TEST_F(FileControlTest, MoveFolderTreeOfAMissingSourceDeletesNothing) {
  sim_.PutFile("C:\\msboot\\keep", "k");
  EXPECT_FALSE(control_.MoveFolderTree("C:\\boot", "C:\\msboot", true, true));
  EXPECT_EQ(sim_.Bytes("C:\\msboot\\keep"), "k");
}

TEST_F(FileControlTest, DeleteFolderTreeRetriesOnceAndSkipsWhatStillFails) {
  auto build = [](sim::SimWindows& windows) {
    windows.PutFile("C:\\t\\a\\f", "1", attr::kReadOnly);
    windows.PutFile("C:\\t\\b\\g", "2");
  };
  // Find the first folder removal of an undisturbed run, then make exactly that call fail.
  sim::SimWindows probe;
  build(probe);
  ASSERT_TRUE(FileControl(probe, probe, probe).DeleteFolderTree("C:\\t"));
  int removal = 1;
  while (removal <= probe.CallCount() && probe.CountedCall(removal).rfind("RemoveFolder", 0) != 0) {
    ++removal;
  }
  ASSERT_LE(removal, probe.CallCount());
  build(sim_);
  sim_.FailCall(removal, error::kSharingViolation);
  EXPECT_TRUE(control_.DeleteFolderTree("C:\\t"));
  EXPECT_FALSE(sim_.Exists("C:\\t"));

  // A file that never goes keeps its folder and the root; everything else is removed.
  sim_.PutFile("C:\\u\\a\\locked", "1");
  sim_.PutFile("C:\\u\\b\\g", "2");
  sim_.FailOn(sim::Op::Delete, "C:\\u\\a\\locked", error::kSharingViolation);
  EXPECT_FALSE(control_.DeleteFolderTree("C:\\u"));
  EXPECT_TRUE(sim_.Exists("C:\\u\\a\\locked"));
  EXPECT_FALSE(sim_.Exists("C:\\u\\b"));
}

TEST_F(FileControlTest, CopyFolderTreeGoesOnWhenItsTargetCannotBeMade) {
  sim_.PutFile("C:\\src\\f", "1");
  sim_.PutFolder("C:\\src\\sub");
  EXPECT_FALSE(control_.CopyFolderTree("C:\\src", "C:\\none\\dst", true, true));
  // Every folder whose target cannot be reached is reported; the source is untouched.
  ASSERT_FALSE(sim_.Messages().empty());
  EXPECT_EQ(sim_.Messages().back().text, "目录路径不存在");
  EXPECT_EQ(sim_.Bytes("C:\\src\\f"), "1");
}

}  // namespace
}  // namespace tovak
