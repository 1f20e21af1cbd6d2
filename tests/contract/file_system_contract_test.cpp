// File primitives: the effects and error codes that the file operations and the job rely on.
#include "tests/contract/contract_fixture.h"

namespace tovak::contract {
namespace {

using Files = Contract;

TEST_F(Files, WritingCreatesTruncatesAndRefusesReadOnly) {
  MakeFile("a.txt", "abcdef");
  EXPECT_EQ(Bytes("a.txt"), "abcdef");
  std::uint64_t length = 0;
  ASSERT_TRUE(fs().FileLength(Path("a.txt"), length));
  EXPECT_EQ(length, 6u);
  EXPECT_EQ(Protective("a.txt"), 0u);

  // An existing longer file is cut to what was written.
  MakeFile("a.txt", "xy");
  EXPECT_EQ(Bytes("a.txt"), "xy");

  // Hidden and system files can be opened for writing; read-only ones cannot.
  MakeFile("h.txt", "old", attr::kHidden | attr::kSystem);
  MakeFile("h.txt", "new");
  EXPECT_EQ(Bytes("h.txt"), "new");

  MakeFile("r.txt", "keep", attr::kReadOnly);
  if (!env_->IsWineAsRoot()) {  // Wine run as root opens read-only files for writing
    EXPECT_FALSE(fs().OpenForWriting(Path("r.txt")));
    EXPECT_EQ(LastErrorCode(), error::kAccessDenied);
    EXPECT_EQ(Bytes("r.txt"), "keep");
  }

  EXPECT_FALSE(fs().OpenForWriting(Path("missing\\b.txt")));
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);
}

TEST_F(Files, AttributesReadBackAndClear) {
  MakeFile("f", "x");
  for (std::uint32_t bits : {attr::kReadOnly, attr::kHidden, attr::kSystem, attr::kProtective}) {
    ASSERT_TRUE(fs().SetAttributes(Path("f"), bits));
    EXPECT_EQ(Protective("f"), bits);
    EXPECT_EQ(fs().GetAttributes(Path("f")) & attr::kDirectory, 0u);
  }
  ASSERT_TRUE(fs().SetAttributes(Path("f"), attr::kNormal));
  EXPECT_EQ(Protective("f"), 0u);

  MakeFolder("d");
  ASSERT_TRUE(fs().SetAttributes(Path("d"), attr::kHidden));
  EXPECT_EQ(fs().GetAttributes(Path("d")) & (attr::kDirectory | attr::kHidden),
            attr::kDirectory | attr::kHidden);
  ASSERT_TRUE(fs().SetAttributes(Path("d"), attr::kNormal));
  EXPECT_EQ(fs().GetAttributes(Path("d")) & (attr::kDirectory | attr::kHidden), attr::kDirectory);

  EXPECT_EQ(fs().GetAttributes(Path("none")), attr::kInvalid);
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
  EXPECT_EQ(fs().GetAttributes(Path("none\\x")), attr::kInvalid);
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);
  EXPECT_FALSE(fs().SetAttributes(Path("none"), attr::kNormal));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
}

// Nothing already at the place is taken for the new folder, whatever it is.
TEST_F(Files, AClosedFolderIsMadeNewOrNotAtAll) {
  for (FolderAccess access : {FolderAccess::JobOnly, FolderAccess::Images}) {
    const std::string name = access == FolderAccess::Images ? "images" : "job";
    ASSERT_TRUE(fs().CreateClosedFolder(Path(name), access));
    EXPECT_EQ(fs().GetAttributes(Path(name)) & attr::kDirectory, attr::kDirectory);
    MakeFile(name + "\\inside", "made by the job");
    EXPECT_FALSE(fs().CreateClosedFolder(Path(name), access));
    EXPECT_EQ(LastErrorCode(), error::kAlreadyExists);
    EXPECT_EQ(Bytes(name + "\\inside"), "made by the job");
  }
  MakeFile("file", "somebody's");
  EXPECT_FALSE(fs().CreateClosedFolder(Path("file"), FolderAccess::JobOnly));
  EXPECT_EQ(LastErrorCode(), error::kAlreadyExists);
  EXPECT_FALSE(fs().CreateClosedFolder(Path("none\\x"), FolderAccess::JobOnly));
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);
}

TEST_F(Files, FoldersAreCreatedOneLevelAndRemovedWhenEmpty) {
  MakeFolder("d");
  EXPECT_FALSE(fs().CreateFolder(Path("d")));
  EXPECT_EQ(LastErrorCode(), error::kAlreadyExists);
  EXPECT_FALSE(fs().CreateFolder(Path("x\\y")));
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);

  // A trailing backslash names the folder itself.
  EXPECT_EQ(fs().GetAttributes(Path("d\\")) & attr::kDirectory, attr::kDirectory);
  EXPECT_TRUE(fs().CreateFolder(Path("e\\")));
  EXPECT_TRUE(fs().RemoveFolder(Path("e")));

  MakeFile("d\\f", "1");
  EXPECT_FALSE(fs().RemoveFolder(Path("d")));
  EXPECT_EQ(LastErrorCode(), error::kDirNotEmpty);
  ASSERT_TRUE(fs().Delete(Path("d\\f")));
  EXPECT_TRUE(fs().RemoveFolder(Path("d")));
  EXPECT_EQ(fs().GetAttributes(Path("d")), attr::kInvalid);
  EXPECT_FALSE(fs().RemoveFolder(Path("d")));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
}

TEST_F(Files, DeleteRefusesReadOnlyAndReportsMissing) {
  MakeFile("hs", "1", attr::kHidden | attr::kSystem);
  EXPECT_TRUE(fs().Delete(Path("hs")));
  EXPECT_EQ(fs().GetAttributes(Path("hs")), attr::kInvalid);

  MakeFile("ro", "1", attr::kReadOnly);
  EXPECT_FALSE(fs().Delete(Path("ro")));
  EXPECT_EQ(LastErrorCode(), error::kAccessDenied);
  EXPECT_EQ(Bytes("ro"), "1");

  EXPECT_FALSE(fs().Delete(Path("none")));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
  EXPECT_FALSE(fs().Delete(Path("none\\x")));
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);
}

TEST_F(Files, CopyCarriesBytesAndAttributes) {
  MakeFile("src", "payload", attr::kReadOnly | attr::kHidden);
  ASSERT_TRUE(fs().Copy(Path("src"), Path("dst"), true));
  EXPECT_EQ(Bytes("dst"), "payload");
  EXPECT_EQ(Protective("dst"), attr::kReadOnly | attr::kHidden);

  EXPECT_FALSE(fs().Copy(Path("src"), Path("dst"), true));
  EXPECT_EQ(LastErrorCode(), error::kFileExists);

  EXPECT_FALSE(fs().Copy(Path("none"), Path("x"), false));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
  EXPECT_FALSE(fs().Copy(Path("src"), Path("none\\x"), false));
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);
  EXPECT_EQ(fs().GetAttributes(Path("x")), attr::kInvalid);

  MakeFile("plain", "old");
  ASSERT_TRUE(fs().SetAttributes(Path("src"), attr::kNormal));
  EXPECT_TRUE(fs().Copy(Path("src"), Path("plain"), false));
  EXPECT_EQ(Bytes("plain"), "payload");
}

TEST_F(Files, CopyRefusesProtectedTargets) {
  // Wine run as root writes over both; Windows refuses them.
  if (env_->IsWineAsRoot()) GTEST_SKIP() << "Wine as root overwrites read-only and hidden targets";
  MakeFile("src", "new");
  for (std::uint32_t bits : {attr::kReadOnly, attr::kHidden, attr::kSystem}) {
    MakeFile("dst", "old");
    ASSERT_TRUE(fs().SetAttributes(Path("dst"), bits));
    EXPECT_FALSE(fs().Copy(Path("src"), Path("dst"), false)) << bits;
    EXPECT_EQ(LastErrorCode(), error::kAccessDenied) << bits;
    ASSERT_TRUE(fs().SetAttributes(Path("dst"), attr::kNormal));
    EXPECT_EQ(Bytes("dst"), "old") << bits;
  }
}

TEST_F(Files, RenameMovesFilesAndFoldersButNeverOverwrites) {
  MakeFile("ro", "1", attr::kReadOnly);
  ASSERT_TRUE(fs().Rename(Path("ro"), Path("moved")));
  EXPECT_EQ(fs().GetAttributes(Path("ro")), attr::kInvalid);
  EXPECT_EQ(Protective("moved"), attr::kReadOnly);

  MakeFile("other", "2");
  EXPECT_FALSE(fs().Rename(Path("other"), Path("moved")));
  EXPECT_EQ(LastErrorCode(), error::kAlreadyExists);
  EXPECT_EQ(Bytes("other"), "2");

  MakeFolder("boot");
  MakeFolder("boot\\qelv");
  MakeFile("boot\\qelv\\state.txt", "s");
  ASSERT_TRUE(fs().Rename(Path("boot"), Path("msboot")));
  EXPECT_EQ(Bytes("msboot\\qelv\\state.txt"), "s");
  EXPECT_EQ(fs().GetAttributes(Path("boot")), attr::kInvalid);

  EXPECT_FALSE(fs().Rename(Path("none"), Path("z")));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
}

TEST_F(Files, ReplaceRenamesOverAFileAndFlushReachesExistingFilesOnly) {
  MakeFile("boot.ini", "old", attr::kHidden | attr::kSystem);
  MakeFile("new.ini", "new");
  ASSERT_TRUE(fs().Flush(Path("new.ini")));
  ASSERT_TRUE(fs().Replace(Path("new.ini"), Path("boot.ini")));
  EXPECT_EQ(Bytes("boot.ini"), "new");
  EXPECT_EQ(Protective("boot.ini"), 0u);  // the renamed file's own attributes
  EXPECT_EQ(fs().GetAttributes(Path("new.ini")), attr::kInvalid);
  // To a free name it is a plain rename.
  ASSERT_TRUE(fs().Replace(Path("boot.ini"), Path("free.ini")));
  EXPECT_EQ(Bytes("free.ini"), "new");

  MakeFolder("d");
  MakeFile("x", "x");
  EXPECT_FALSE(fs().Replace(Path("x"), Path("d")));
  EXPECT_EQ(LastErrorCode(), error::kAccessDenied);
  if (!env_->IsWineAsRoot()) {  // Wine run as root renames over read-only files
    MakeFile("ro", "keep", attr::kReadOnly);
    EXPECT_FALSE(fs().Replace(Path("x"), Path("ro")));
    EXPECT_EQ(LastErrorCode(), error::kAccessDenied);
    ASSERT_TRUE(fs().SetAttributes(Path("ro"), attr::kNormal));
    EXPECT_EQ(Bytes("ro"), "keep");
  }
  EXPECT_EQ(Bytes("x"), "x");
  EXPECT_FALSE(fs().Replace(Path("none"), Path("x")));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);

  EXPECT_FALSE(fs().Flush(Path("none")));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
}

TEST_F(Files, ReadGivesTheFirstBytesAndFoldersCloseToOthers) {
  {
    auto file = fs().OpenForWriting(Path("state.txt"));
    ASSERT_TRUE(file && file->Write("msback.bat\r\n") && file->Flush() && file->Close());
  }
  std::string bytes;
  ASSERT_TRUE(fs().Read(Path("state.txt"), 64, bytes));
  EXPECT_EQ(bytes, "msback.bat\r\n");
  ASSERT_TRUE(fs().Read(Path("state.txt"), 6, bytes));
  EXPECT_EQ(bytes, "msback");
  EXPECT_FALSE(fs().Read(Path("none"), 64, bytes));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);

  MakeFolder("boot");
  EXPECT_TRUE(fs().CloseToOthers(Path("boot")));
  MakeFile("boot\\x", "x");  // the program itself still writes there
  EXPECT_EQ(Bytes("boot\\x"), "x");
  EXPECT_FALSE(fs().CloseToOthers(Path("none")));
  // A copy saved in the closed folder takes the original's list instead.
  EXPECT_TRUE(fs().CopyAccessList(Path("state.txt"), Path("boot\\x")));
  EXPECT_FALSE(fs().CopyAccessList(Path("none"), Path("boot\\x")));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
  // What the program makes itself belongs to someone it trusts, or the volume cannot tell.
  EXPECT_NE(fs().OwnerOf(Path("boot\\x")), Ownership::Untrusted);
}

TEST_F(Files, SearchListsEntriesWithTheirFolderBit) {
  MakeFile("a.txt", "1");
  MakeFile("B.TXT", "2", attr::kHidden | attr::kSystem);
  MakeFile("noext", "3");
  MakeFolder("sub");
  MakeFolder(".dot");

  EXPECT_EQ(List(Path("*.*")),
            (std::vector<std::string>{".", "..", ".dot", "B.TXT", "a.txt", "noext", "sub"}));
  EXPECT_EQ(List(Path("*.txt")), (std::vector<std::string>{"B.TXT", "a.txt"}));
  // A plain name finds the entry itself, whatever the case typed, with its stored case.
  EXPECT_EQ(List(Path("A.TXT")), (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(List(Path("b.txt")), (std::vector<std::string>{"B.TXT"}));

  FindData entry;
  auto folder = fs().FindFirst(Path("SUB"), entry);
  ASSERT_TRUE(folder);
  EXPECT_EQ(entry.name, "sub");
  EXPECT_NE(entry.attributes & attr::kDirectory, 0u);
  ASSERT_TRUE(fs().FindFirst(Path("b.txt"), entry));
  EXPECT_EQ(entry.attributes & (attr::kDirectory | attr::kProtective), attr::kHidden | attr::kSystem);

  EXPECT_FALSE(fs().FindFirst(Path("*.gho"), entry));
  EXPECT_EQ(LastErrorCode(), error::kFileNotFound);
  EXPECT_FALSE(fs().FindFirst(Path("none\\*.*"), entry));
  EXPECT_EQ(LastErrorCode(), error::kPathNotFound);

  auto search = fs().FindFirst(Path("noext"), entry);
  ASSERT_TRUE(search);
  EXPECT_FALSE(search->Next(entry));
  EXPECT_EQ(LastErrorCode(), error::kNoMoreFiles);
}

TEST_F(Files, ChineseNamesRoundTripAndUnrepresentableNamesAreRefused) {
  MakeFolder("备份");
  MakeFile("备份\\镜象.gho", "img");
  EXPECT_EQ(List(Path("备份\\*.gho")), (std::vector<std::string>{"镜象.gho"}));
  EXPECT_EQ(Bytes("备份\\镜象.gho"), "img");

  // Arabic has no form in code page 936: the call must fail rather than touch another name.
  EXPECT_FALSE(fs().CreateFolder(Path("\xD8\xB4")));
  EXPECT_EQ(LastErrorCode(), error::kNoUnicodeTranslation);
  EXPECT_FALSE(fs().OpenForWriting(Path("\xD8\xB4.txt")));
  EXPECT_EQ(LastErrorCode(), error::kNoUnicodeTranslation);
  EXPECT_EQ(List(Path("*.*")), (std::vector<std::string>{".", "..", "备份"}));
}

}  // namespace
}  // namespace tovak::contract
