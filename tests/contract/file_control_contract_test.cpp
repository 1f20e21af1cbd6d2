// The file operations of a job, run against both implementations of the platform.
#include "platform/file_control.h"
#include "platform/file_search.h"
#include "tests/contract/contract_fixture.h"

namespace tovak::contract {
namespace {

class FileOps : public Contract {
 protected:
  FileControl control() { return FileControl(fs(), ui_, env_->platform().lastError); }
  bool IsFile(const std::string& relative) { return FileExists(fs(), Path(relative)); }
  bool IsEntry(const std::string& relative) { return EntryExists(fs(), Path(relative)); }
  RecordingUi ui_;
};

TEST_F(FileOps, ExistenceTestsCountProtectedFilesAndTellFoldersApart) {
  MakeFile("ntldr", "x", attr::kProtective);
  MakeFolder("boot");
  EXPECT_TRUE(IsFile("ntldr"));
  EXPECT_TRUE(IsFile("NTLDR"));
  EXPECT_FALSE(IsFile("boot"));
  EXPECT_TRUE(IsEntry("boot"));
  EXPECT_TRUE(IsEntry("boot\\"));
  EXPECT_FALSE(IsEntry("ntldr\\"));
  EXPECT_FALSE(IsEntry("msboot"));
  EXPECT_FALSE(IsFile("none\\x"));
}

TEST_F(FileOps, CopySingleFileKeepsOrClearsAttributes) {
  MakeFile("boot.ini", "[boot loader]", attr::kProtective);
  MakeFolder("boot");
  EXPECT_TRUE(control().CopySingleFile(Path("boot.ini"), Path("boot\\keep"), true, true));
  EXPECT_EQ(Protective("boot\\keep"), attr::kProtective);
  EXPECT_TRUE(control().CopySingleFile(Path("boot.ini"), Path("boot\\boot.bak"), true, false));
  EXPECT_EQ(Protective("boot\\boot.bak"), 0u);
  EXPECT_EQ(Bytes("boot\\boot.bak"), "[boot loader]");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(FileOps, CopySingleFileOverwritesOnlyWhenToldToClear) {
  MakeFile("new", "new bytes");
  MakeFile("old", "old", attr::kReadOnly | attr::kHidden);
  EXPECT_FALSE(control().CopySingleFile(Path("new"), Path("old"), false, false));
  EXPECT_EQ(LastErrorCode(), error::kFileExists);
  EXPECT_EQ(Bytes("old"), "old");
  EXPECT_TRUE(control().CopySingleFile(Path("new"), Path("old"), true, false));
  EXPECT_EQ(Bytes("old"), "new bytes");
  EXPECT_EQ(Protective("old"), 0u);

  MakeFolder("dir");
  EXPECT_FALSE(control().CopySingleFile(Path("new"), Path("dir"), true, false));
  EXPECT_FALSE(IsFile("dir"));
}

TEST_F(FileOps, MoveSingleFileDeletesTheSourceOnlyAfterAWholeCopy) {
  MakeFolder("boot");
  MakeFile("ntldr", "loader", attr::kProtective);
  EXPECT_TRUE(control().MoveSingleFile(Path("ntldr"), Path("boot\\ntldr.bak"), true, false));
  EXPECT_FALSE(IsFile("ntldr"));
  EXPECT_EQ(Bytes("boot\\ntldr.bak"), "loader");

  // The copy cannot be made: the source stays.
  MakeFile("bootfont.bin", "font");
  EXPECT_FALSE(control().MoveSingleFile(Path("bootfont.bin"), Path("none\\b.bak"), true, false));
  EXPECT_EQ(Bytes("bootfont.bin"), "font");

  // Nothing to move: reported, and nothing is left at the source.
  EXPECT_TRUE(control().MoveSingleFile(Path("g1ldr"), Path("boot\\g1ldr.bak"), true, false));
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"提示: 源文件不存在"});
  EXPECT_FALSE(IsEntry("boot\\g1ldr.bak"));
}

TEST_F(FileOps, MoveFolderTreeMergesIntoAnExistingFolder) {
  MakeFolder("boot");
  MakeFolder("boot\\qelv");
  MakeFolder("boot\\qelv\\deep");
  MakeFolder("boot\\empty");
  MakeFile("boot\\boot.bak", "new ini", attr::kReadOnly);
  MakeFile("boot\\qelv\\state.txt", "msback.bat\r\n", attr::kHidden);
  MakeFile("boot\\qelv\\deep\\x", "x");
  MakeFolder("msboot");
  MakeFile("msboot\\boot.bak", "older ini", attr::kProtective);
  MakeFile("msboot\\mine", "kept");

  EXPECT_TRUE(control().MoveFolderTree(Path("boot"), Path("msboot"), true, true));
  EXPECT_FALSE(IsEntry("boot"));
  EXPECT_EQ(Bytes("msboot\\boot.bak"), "new ini");
  EXPECT_EQ(Protective("msboot\\boot.bak"), attr::kReadOnly);
  EXPECT_EQ(Bytes("msboot\\qelv\\state.txt"), "msback.bat\r\n");
  EXPECT_EQ(Protective("msboot\\qelv\\state.txt"), attr::kHidden);
  EXPECT_EQ(Bytes("msboot\\qelv\\deep\\x"), "x");
  EXPECT_TRUE(IsEntry("msboot\\empty\\"));
  EXPECT_EQ(Bytes("msboot\\mine"), "kept");
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(FileOps, DeleteFolderTreeRemovesProtectedFilesAndFolders) {
  MakeFolder("t");
  MakeFolder("t\\a");
  MakeFolder("t\\a\\b");
  MakeFile("t\\a\\b\\f", "1", attr::kProtective);
  MakeFile("t\\g", "2", attr::kReadOnly);
  ASSERT_TRUE(fs().SetAttributes(Path("t\\a"), attr::kReadOnly | attr::kHidden));
  EXPECT_TRUE(control().DeleteFolderTree(Path("t")));
  EXPECT_FALSE(IsEntry("t"));
}

TEST_F(FileOps, FindFoldersListsParentsBeforeChildrenAndSkipsDotNames) {
  for (const char* folder : {"r", "r\\b", "r\\a", "r\\a\\x", "r\\.hidden", "r\\.hidden\\y"}) {
    MakeFolder(folder);
  }
  MakeFile("r\\file", "1");
  LastError& error = env_->platform().lastError;
  std::vector<std::string> found = FindFolders(fs(), ui_, error, Path("r"), "*.*").paths;
  ASSERT_EQ(found.size(), 3u);
  const std::string r = Path("r\\");
  std::vector<std::string> children(found.begin(), found.begin() + 2);
  std::sort(children.begin(), children.end());
  EXPECT_EQ(children, (std::vector<std::string>{r + "a", r + "b"}));
  EXPECT_EQ(found[2], r + "a\\x");
  EXPECT_EQ(FindFiles(fs(), ui_, error, Path("r"), "*.*").paths, std::vector<std::string>{r + "file"});
}

}  // namespace
}  // namespace tovak::contract
