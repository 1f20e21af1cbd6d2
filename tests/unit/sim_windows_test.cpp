// What only the simulation has: injected faults, the log, snapshots, scripted message boxes, the
// code pages, the byte layout of INI edits and the listing order.
#include "sim/sim_windows.h"

#include <gtest/gtest.h>

#include <functional>

namespace tovak::sim {
namespace {

class SimTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    FindData entry;
    auto search = sim_.FindFirst(pattern, entry);
    if (!search) return names;
    do names.push_back(entry.name);
    while (search->Next(entry));
    return names;
  }

  SimWindows sim_;
};

TEST_F(SimTest, TheNthCallFailsWithoutEffect) {
  sim_.FailCall(2, error::kSharingViolation);
  EXPECT_TRUE(sim_.CreateFolder("C:\\a"));
  const Snapshot before = sim_.Take();
  EXPECT_FALSE(sim_.CreateFolder("C:\\b"));
  EXPECT_EQ(sim_.Get(), error::kSharingViolation);
  EXPECT_EQ(sim_.Take(), before);
  EXPECT_TRUE(sim_.CreateFolder("C:\\b"));
  EXPECT_EQ(sim_.CallCount(), 3);
}

TEST_F(SimTest, RulesHitTheirOperationAndPathOnly) {
  struct Case {
    const char* name;
    Op op;
    const char* rule;
    std::function<bool(SimWindows&)> call;
    bool fails;
  } cases[] = {
      {"exact, other case", Op::Delete, "c:\\DIR\\F",
       [](SimWindows& s) { return s.Delete("C:\\dir\\f"); }, true},
      {"prefix", Op::Delete, "C:\\dir\\*", [](SimWindows& s) { return s.Delete("C:\\dir\\f"); },
       true},
      {"other path", Op::Delete, "C:\\dir\\g", [](SimWindows& s) { return s.Delete("C:\\dir\\f"); },
       false},
      {"other operation", Op::Copy, "C:\\dir\\f",
       [](SimWindows& s) { return s.Delete("C:\\dir\\f"); }, false},
      {"copy target", Op::Copy, "C:\\dir\\copy",
       [](SimWindows& s) { return s.Copy("C:\\dir\\f", "C:\\dir\\copy", false); }, true},
      {"rename target", Op::Rename, "C:\\moved",
       [](SimWindows& s) { return s.Rename("C:\\dir\\f", "C:\\moved"); }, true},
      {"write of the file", Op::Write, "C:\\dir\\f",
       [](SimWindows& s) { return s.OpenForWriting("C:\\dir\\f")->Write("x"); }, true},
      {"profile file", Op::WriteProfile, "C:\\dir\\f",
       [](SimWindows& s) { return s.WriteString("s", "k", "v", "C:\\dir\\f"); }, true},
  };
  for (const Case& c : cases) {
    SimWindows sim;
    sim.PutFile("C:\\dir\\f", "1");
    sim.FailOn(c.op, c.rule, error::kAccessDenied);
    const Snapshot before = sim.Take();
    EXPECT_EQ(c.call(sim), !c.fails) << c.name;
    if (c.fails) {
      EXPECT_EQ(sim.Get(), error::kAccessDenied) << c.name;
      EXPECT_EQ(sim.Take(), before) << c.name;
    }
  }
}

TEST_F(SimTest, ClearedFaultsNoLongerHit) {
  sim_.PutFile("C:\\f", "1");
  sim_.FailOn(Op::Delete, "C:\\f", error::kAccessDenied);
  sim_.FailCall(1, error::kAccessDenied);
  sim_.SetFreeSpace('C', 0);
  sim_.ClearFaults();
  EXPECT_TRUE(sim_.Copy("C:\\f", "C:\\g", true));
  EXPECT_TRUE(sim_.Delete("C:\\f"));
}

TEST_F(SimTest, AFullDiskRefusesWhatWouldGrowIt) {
  sim_.AddDrive('d');
  sim_.PutFile("C:\\four", "4444");
  sim_.PutFile("C:\\old", "xxxx");
  sim_.PutFile("D:\\big", "12345678");
  sim_.SetFreeSpace('C', 3);
  const Snapshot before = sim_.Take();

  EXPECT_FALSE(sim_.Copy("C:\\four", "C:\\new", false));
  EXPECT_EQ(sim_.Get(), error::kDiskFull);
  EXPECT_FALSE(sim_.Rename("D:\\big", "C:\\big"));
  EXPECT_EQ(sim_.Get(), error::kDiskFull);
  EXPECT_FALSE(sim_.WriteString("section", "key", "value", "C:\\new.ini"));
  EXPECT_EQ(sim_.Get(), error::kDiskFull);
  auto file = sim_.OpenForWriting("C:\\grow");
  ASSERT_TRUE(file);
  EXPECT_FALSE(file->Write("1234"));
  EXPECT_EQ(sim_.Get(), error::kDiskFull);
  ASSERT_TRUE(file->Close());
  sim_.Delete("C:\\grow");
  EXPECT_EQ(sim_.Take(), before);

  // Replacing bytes needs no room, and the space counts what files hold now.
  EXPECT_TRUE(sim_.Copy("C:\\four", "C:\\old", false));
  EXPECT_FALSE(sim_.Copy("C:\\four", "C:\\three", false));
  ASSERT_TRUE(sim_.Delete("C:\\old"));
  EXPECT_TRUE(sim_.Copy("C:\\four", "C:\\new", false));
  EXPECT_TRUE(sim_.Copy("D:\\big", "D:\\big2", false));  // another drive
}

TEST_F(SimTest, TheLogHasOneLineACall) {
  sim_.PutFile("C:\\a", "1");
  sim_.Copy("C:\\a", "C:\\b", true);
  sim_.Delete("C:\\none");
  sim_.SetAttributes("C:\\b", attr::kNormal);
  auto file = sim_.OpenForWriting("C:\\c");
  file->Write("xyz");
  file->Close();
  sim_.WriteString("s", "k", "v", "C:\\c.ini");
  Handle token = 0;
  sim_.OpenProcessToken(sim_.CurrentProcess(), 0x28, token);
  sim_.AdjustPrivilege(token, Luid{19, 0}, 2);
  sim_.RequestExit(2, 0xFFFFFFFFu);
  EXPECT_EQ(sim_.Log(), (std::vector<std::string>{
                            "Copy C:\\a -> C:\\b", "Delete C:\\none", "SetAttributes C:\\b 0x80",
                            "OpenForWriting C:\\c", "Write C:\\c 3", "Close C:\\c",
                            "WriteProfile C:\\c.ini [s] k=v", "CurrentProcess",
                            "OpenProcessToken 40", "AdjustPrivilege", "RequestExit 2 4294967295"}));
  EXPECT_EQ(sim_.CallCount(), 7);  // the system calls are logged, not counted
}

TEST_F(SimTest, SnapshotsKeyEntriesByTheirStoredPath) {
  sim_.AddDrive('d');
  sim_.PutFolder("d:\\Boot", attr::kHidden);
  sim_.PutFile("d:\\boot\\Qelv.TXT", "q", attr::kNormal);
  EXPECT_EQ(sim_.Take(), (Snapshot{
                             {"D:\\Boot", EntryState{true, attr::kDirectory | attr::kHidden, ""}},
                             {"D:\\Boot\\Qelv.TXT", EntryState{false, attr::kNormal, "q"}},
                         }));
}

TEST_F(SimTest, MessageBoxesAreAnsweredFromTheQueueAndRecorded) {
  sim_.QueueAnswer(MessageAnswer::Yes);  // an OK box cannot give it
  sim_.QueueAnswer(MessageAnswer::Yes);
  std::vector<std::string> seen;
  sim_.onMessage = [&](const MessageRecord& record) {
    seen.push_back(record.text);
    sim_.PumpMessages();  // the user acts while the box is up
  };
  EXPECT_EQ(sim_.ShowMessage("a", "提示", MessageButtons::Ok, MessageIcon::Critical),
            MessageAnswer::Ok);
  EXPECT_EQ(sim_.ShowMessage("b", "", MessageButtons::YesNo, MessageIcon::None),
            MessageAnswer::Yes);
  EXPECT_EQ(sim_.ShowMessage("c", "", MessageButtons::YesNo, MessageIcon::None), MessageAnswer::No);
  ASSERT_EQ(sim_.Messages().size(), 3u);
  EXPECT_EQ(sim_.Messages()[0].title, "提示");
  EXPECT_EQ(sim_.Messages()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(sim_.Messages()[1].answer, MessageAnswer::Yes);
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(sim_.PumpCount(), 3);

  int pumped = 0;
  sim_.onPump = [&] { ++pumped; };
  sim_.PumpMessages();
  EXPECT_EQ(pumped, 1);
  EXPECT_EQ(sim_.PumpCount(), 4);
}

TEST_F(SimTest, TextGoesToTheConfiguredCodePage) {
  struct Case {
    std::uint32_t codePage;
    const char* text;
    const char* ansi;
  } cases[] = {
      {936, "Tovak备份工具", "Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF"},
      {950, "備份", "\xB3\xC6\xA5\xF7"},
      {932, "バックアップ",
       "\x83o\x83"
       "b\x83N\x83"
       "A\x83"
       "b\x83v"},
      {1252, "Café", "Caf\xE9"},
      {65001, "备份", "备份"},
  };
  for (const Case& c : cases) {
    SimWindows sim;
    sim.SetCodePage(c.codePage);
    EXPECT_EQ(sim.CodePage(), c.codePage);
    ASSERT_TRUE(sim.WriteString("s", "k", c.text, "C:\\t.ini")) << c.codePage;
    EXPECT_EQ(sim.Bytes("C:\\t.ini"), std::string("[s]\r\nk=") + c.ansi + "\r\n") << c.codePage;
    EXPECT_EQ(sim.ReadString("s", "k", "", 255, "C:\\t.ini"), c.text) << c.codePage;
    // The same text names a file, and the search gives it back.
    ASSERT_TRUE(sim.CreateFolder(std::string("C:\\") + c.text)) << c.codePage;
    FindData entry;
    ASSERT_TRUE(sim.FindFirst(std::string("C:\\") + c.text, entry)) << c.codePage;
    EXPECT_EQ(entry.name, c.text);
  }
}

TEST_F(SimTest, TextTheCodePageCannotHoldChangesNothing) {
  sim_.SetCodePage(1252);
  sim_.PutFile("C:\\t.ini", "[s]\r\nk=v\r\n");
  const Snapshot before = sim_.Take();
  EXPECT_FALSE(sim_.CreateFolder("C:\\备份"));
  EXPECT_EQ(sim_.Get(), error::kNoUnicodeTranslation);
  EXPECT_FALSE(sim_.WriteString("s", "k", "备份", "C:\\t.ini"));
  EXPECT_EQ(sim_.Get(), error::kNoUnicodeTranslation);
  EXPECT_FALSE(sim_.Copy("C:\\t.ini", "C:\\备份.ini", false));
  EXPECT_EQ(sim_.Get(), error::kNoUnicodeTranslation);
  EXPECT_EQ(sim_.Take(), before);
  std::string ansi;
  EXPECT_FALSE(sim_.ToAnsi("备份", ansi));
}

TEST_F(SimTest, ReadingCutsDoubleByteTextAtACharacter) {
  // "备份工具" is eight GBK bytes; a buffer of 4 holds three, which would split the second
  // character.
  sim_.PutFile("C:\\t.ini", "[s]\r\nk=\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF\r\n");
  EXPECT_EQ(sim_.ReadString("s", "k", "", 4, "C:\\t.ini"), "备");
  EXPECT_EQ(sim_.ReadString("s", "k", "", 5, "C:\\t.ini"), "备份");
  EXPECT_EQ(sim_.ReadString("s", "none", "默认值  ", 4, "C:\\t.ini"), "默");
  EXPECT_EQ(sim_.ReadString("s", "k", "", 0, "C:\\t.ini"), "");
}

TEST_F(SimTest, ReadingMatchesNamesByCharacterNotByByte) {
  // 乤 and 丄 differ only in a trail byte that reads as 'a' or 'A'; 盷's trail byte reads as ']'.
  sim_.PutFile("C:\\t.ini",
               "k=before any section\r\n"
               "[\xB1]]\r\n"
               "\x81"
               "a=lower\r\n"
               "; k=comment\r\n"
               "  spaced key  =  ' quoted '  \r\n"
               "bare\r\n"
               "[s]\r\n"
               "k=first\r\n"
               "[S]\r\n"
               "k=second\r\n"
               "other=x\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"盷", "乤", "lower"},
      {"盷", "丄", "(none)"},
      {"盷", "; k", "(none)"},
      {"盷", "k", "(none)"},
      {" 盷 ", "spaced KEY", " quoted "},
      {"盷", "bare", ""},
      {"s", "k", "first"},
      {"s", "other", "(none)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sim_.ReadString(c.section, c.key, "(none)", 255, "C:\\t.ini"), c.value) << c.key;
  }
}

TEST_F(SimTest, WritingChangesOnlyTheBytesItMust) {
  struct Case {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      {"empty file", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
      {"section after an open last line", "[a]\r\nx=1", "s", "k", "v",
       "[a]\r\nx=1\r\n[s]\r\nk=v\r\n"},
      {"section after LF lines", "[a]\nx=1\n", "s", "k", "v", "[a]\nx=1\n[s]\r\nk=v\r\n"},
      {"key after the last non-blank line", "[s]\r\na=1\r\n\r\n[t]\r\n", "s", "k", "v",
       "[s]\r\na=1\r\nk=v\r\n\r\n[t]\r\n"},
      {"key after a comment", "[s]\r\n; note\r\n\r\n", "S", "k", "v",
       "[s]\r\n; note\r\nk=v\r\n\r\n"},
      {"key into an open last line", "[s]\r\na=1", "s", "k", "v", "[s]\r\na=1\r\nk=v\r\n"},
      // A lone CR at the end gets its LF, or it would begin the new line.
      {"section after a lone CR", "[a]\r\nx=1\r", "s", "k", "v", "[a]\r\nx=1\r\n[s]\r\nk=v\r\n"},
      {"key after a lone CR", "[s]\r\na=1\r", "s", "k", "v", "[s]\r\na=1\r\nk=v\r\n"},
      {"key of an empty section", "[s]\r\n[t]\r\n", "s", "k", "v", "[s]\r\nk=v\r\n[t]\r\n"},
      {"replace keeps spelling and line end", "[S]\n  Key = old value \n", " s ", "KEY", "new",
       "[S]\n  Key=new\n"},
      {"replace a key without '='", "[s]\r\nk\r\n", "s", "k", "v", "[s]\r\nk=v\r\n"},
      {"first of two sections", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "3",
       "[s]\r\nk=3\r\n[s]\r\nk=2\r\n"},
      {"key only in a later duplicate", "[s]\r\na=1\r\n[s]\r\nk=2\r\n", "s", "k", "3",
       "[s]\r\na=1\r\nk=3\r\n[s]\r\nk=2\r\n"},
      {"untrimmed value", "[s]\r\n", "s", "k", " v ", "[s]\r\nk= v \r\n"},
      {"double-byte section name", "[\xB1]]\r\nx=1\r\n", "盷", "k", "v",
       "[\xB1]]\r\nx=1\r\nk=v\r\n"},
  };
  for (const Case& c : cases) {
    SimWindows sim;
    sim.PutFile("C:\\t.ini", c.before);
    ASSERT_TRUE(sim.WriteString(c.section, c.key, c.value, "C:\\t.ini")) << c.name;
    EXPECT_EQ(sim.Bytes("C:\\t.ini"), c.after) << c.name;
  }
  EXPECT_TRUE(sim_.WriteString(" s ", "k", "v", "C:\\new.ini"));
  EXPECT_EQ(sim_.Bytes("C:\\new.ini"), "[ s ]\r\nk=v\r\n");
  EXPECT_EQ(sim_.Attributes("C:\\new.ini"), attr::kArchive);
}

TEST_F(SimTest, SearchesListDotsFirstThenNamesAsNtfsSortsThem) {
  for (const char* name : {"b", "_x", "a.txt", "A.b.TXT", "file.txt", "file1.txt", "readme"}) {
    sim_.PutFile(std::string("C:\\d\\") + name, "");
  }
  sim_.PutFile("C:\\top", "");
  struct Case {
    const char* pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"C:\\d\\*", {".", "..", "A.b.TXT", "a.txt", "b", "file.txt", "file1.txt", "readme", "_x"}},
      {"C:\\d\\*.*", {".", "..", "A.b.TXT", "a.txt", "b", "file.txt", "file1.txt", "readme", "_x"}},
      {"C:\\d\\*.txt", {"A.b.TXT", "a.txt", "file.txt", "file1.txt"}},
      {"C:\\d\\a.*", {"A.b.TXT", "a.txt"}},
      {"C:\\d\\readme.*", {"readme"}},
      {"C:\\d\\file?.txt", {"file.txt", "file1.txt"}},
      {"C:\\d\\?", {"b"}},
      {"C:\\d\\*.", {".", "..", "b", "readme", "_x"}},
      {"C:\\d\\*b*", {"A.b.TXT", "b"}},
      {"C:\\*", {"d", "top"}},  // a root has no dot entries
  };
  for (const Case& c : cases) EXPECT_EQ(Names(c.pattern), c.names) << c.pattern;
}

TEST_F(SimTest, ErrorCodesOfTheLessTravelledPaths) {
  sim_.AddDrive('D');
  sim_.PutFile("C:\\f", "1");
  sim_.PutFolder("C:\\d");
  sim_.PutFolder("C:\\ro", attr::kReadOnly);
  sim_.PutFile("C:\\d\\inner", "2");
  struct Case {
    const char* name;
    std::function<bool()> call;
    std::uint32_t error;
  } cases[] = {
      {"remove a file", [&] { return sim_.RemoveFolder("C:\\f"); }, error::kDirectory},
      {"remove read-only folder", [&] { return sim_.RemoveFolder("C:\\ro"); },
       error::kAccessDenied},
      {"remove missing", [&] { return sim_.RemoveFolder("C:\\none"); }, error::kFileNotFound},
      {"delete a folder", [&] { return sim_.Delete("C:\\d"); }, error::kAccessDenied},
      {"copy a folder", [&] { return sim_.Copy("C:\\d", "C:\\e", false); }, error::kAccessDenied},
      {"copy onto a folder", [&] { return sim_.Copy("C:\\f", "C:\\d", false); },
       error::kAccessDenied},
      {"copy onto itself", [&] { return sim_.Copy("C:\\f", "C:\\F", false); },
       error::kSharingViolation},
      {"folder to another drive", [&] { return sim_.Rename("C:\\d", "D:\\d"); },
       error::kNotSameDevice},
      {"folder into itself", [&] { return sim_.Rename("C:\\d", "C:\\d\\x"); },
       error::kSharingViolation},
      {"rename to missing folder", [&] { return sim_.Rename("C:\\f", "C:\\none\\f"); },
       error::kPathNotFound},
      {"create over a file", [&] { return sim_.CreateFolder("C:\\f"); }, error::kAlreadyExists},
      {"file as a folder", [&] { return sim_.CreateFolder("C:\\f\\x"); }, error::kPathNotFound},
      {"file with a backslash", [&] { return sim_.GetAttributes("C:\\f\\") != attr::kInvalid; },
       error::kInvalidName},
      {"wildcard in a name", [&] { return sim_.CreateFolder("C:\\a*"); }, error::kInvalidName},
      {"missing drive", [&] { return sim_.CreateFolder("Q:\\a"); }, error::kPathNotFound},
      {"length of missing",
       [&] {
         std::uint64_t n;
         return sim_.FileLength("C:\\none", n);
       },
       error::kFileNotFound},
      {"open a folder", [&] { return sim_.OpenForWriting("C:\\d") != nullptr; },
       error::kAccessDenied},
      {"search a root",
       [&] {
         FindData e;
         return sim_.FindFirst("C:\\", e) != nullptr;
       },
       error::kFileNotFound},
      {"missing resource",
       [&] {
         std::string_view b;
         return sim_.LoadCustom(101, b);
       },
       error::kResourceTypeNotFound},
  };
  for (const Case& c : cases) {
    const Snapshot before = sim_.Take();
    EXPECT_FALSE(c.call()) << c.name;
    EXPECT_EQ(sim_.Get(), c.error) << c.name;
    EXPECT_EQ(sim_.Take(), before) << c.name;
  }
}

TEST_F(SimTest, RenamesChangeCaseAndMoveFilesAcrossDrives) {
  sim_.AddDrive('D');
  sim_.PutFile("C:\\boot.ini", "ini", attr::kHidden);
  ASSERT_TRUE(sim_.Rename("C:\\boot.ini", "C:\\BOOT.INI"));
  EXPECT_EQ(Names("C:\\boot.ini"), std::vector<std::string>{"BOOT.INI"});
  ASSERT_TRUE(sim_.Rename("C:\\boot.ini", "D:\\moved"));
  EXPECT_FALSE(sim_.Exists("C:\\boot.ini"));
  EXPECT_EQ(sim_.Bytes("D:\\moved"), "ini");
  EXPECT_EQ(sim_.Attributes("D:\\moved"), attr::kHidden | attr::kArchive);
}

TEST_F(SimTest, AnOpenFileIsWrittenInPlaceAndCutOnlyAtClose) {
  sim_.PutFile("C:\\f", "abcdef");
  auto file = sim_.OpenForWriting("C:\\f");
  ASSERT_TRUE(file);
  EXPECT_EQ(sim_.Get(), error::kAlreadyExists);
  ASSERT_TRUE(file->Write("XY"));
  EXPECT_EQ(sim_.Bytes("C:\\f"), "XYcdef");
  EXPECT_FALSE(sim_.Delete("C:\\f"));
  EXPECT_EQ(sim_.Get(), error::kSharingViolation);
  EXPECT_FALSE(sim_.OpenForWriting("C:\\f"));
  ASSERT_TRUE(file->Close());
  EXPECT_EQ(sim_.Bytes("C:\\f"), "XY");
  EXPECT_FALSE(file->Write("more"));
  EXPECT_EQ(sim_.Get(), error::kInvalidHandle);

  // Dropped without Close: the handle goes, the old tail stays.
  sim_.OpenForWriting("C:\\f")->Write("1");
  EXPECT_EQ(sim_.Bytes("C:\\f"), "1Y");
  EXPECT_TRUE(sim_.Delete("C:\\f"));
}

TEST_F(SimTest, RelativePathsStartAtTheCurrentFolder) {
  sim_.PutFolder("C:\\tools\\sub");
  sim_.SetCurrentFolder("C:\\tools");
  EXPECT_TRUE(sim_.CreateFolder("boot"));
  EXPECT_TRUE(sim_.CreateFolder("sub\\..\\sub\\x"));
  EXPECT_TRUE(sim_.CreateFolder("\\root"));
  EXPECT_FALSE(sim_.CreateFolder("C:\\root. . "));  // Win32 drops the dots and blanks at the end
  EXPECT_EQ(sim_.Get(), error::kAlreadyExists);
  EXPECT_TRUE(sim_.IsFolder("C:\\tools\\boot"));
  EXPECT_TRUE(sim_.IsFolder("C:\\tools\\sub\\x"));
  EXPECT_TRUE(sim_.IsFolder("C:\\root"));
  // A bare INI name lies in the Windows folder, above the system folder.
  sim_.PutFolder("C:\\WINDOWS");
  EXPECT_TRUE(sim_.WriteString("s", "k", "v", "win.ini"));
  EXPECT_EQ(sim_.Bytes("C:\\WINDOWS\\win.ini"), "[s]\r\nk=v\r\n");
}

TEST_F(SimTest, PrivilegeAndRestartFollowTheAccount) {
  for (bool held : {true, false}) {
    SimWindows sim;
    sim.SetPrivilegeHeld(held);
    Handle token = 0;
    Luid luid;
    ASSERT_TRUE(sim.OpenProcessToken(sim.CurrentProcess(), 0x28, token));
    ASSERT_TRUE(sim.LookupPrivilege("SeShutdownPrivilege", luid));
    sim.Set(0);
    EXPECT_TRUE(sim.AdjustPrivilege(token, luid, 2));
    EXPECT_EQ(sim.Get(), held ? error::kSuccess : error::kNotAllAssigned);
    EXPECT_EQ(sim.ShutdownPrivilegeEnabled(), held);
    EXPECT_EQ(sim.RequestExit(2, 0xFFFFFFFFu), held);
    EXPECT_EQ(sim.ExitRequests().size(), 1u);
    EXPECT_TRUE(sim.CloseHandle(token));
    EXPECT_FALSE(sim.CloseHandle(token));
  }
  // Windows 9x has no privileges to enable.
  sim_.SetVersion(0xC0000A04u);
  EXPECT_TRUE(sim_.RequestExit(2, 0));

  Luid luid;
  EXPECT_FALSE(sim_.LookupPrivilege("SeNoSuchPrivilege", luid));
  EXPECT_EQ(sim_.Get(), error::kNoSuchPrivilege);
  EXPECT_EQ(sim_.SystemDirectory(), "C:\\WINDOWS\\system32");
  sim_.SetSystemDirectory("");
  EXPECT_EQ(sim_.SystemDirectory(), "");
}

TEST_F(SimTest, ResourcesComeBackByIdOnly) {
  sim_.AddResource(101, std::string("MZ\0\1", 4));
  std::string_view bytes;
  ASSERT_TRUE(sim_.LoadCustom(101, bytes));
  EXPECT_EQ(bytes, std::string("MZ\0\1", 4));
  EXPECT_FALSE(sim_.LoadCustom(102, bytes));
  EXPECT_EQ(sim_.Get(), error::kResourceNameNotFound);
}

}  // namespace
}  // namespace tovak::sim
