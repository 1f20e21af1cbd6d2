// The private-profile functions on a boot.ini-like file.
#include "tests/contract/contract_fixture.h"

namespace tovak::contract {
namespace {

using Ini = Contract;

const char kBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
    "/noexecute=optin /fastdetect\r\n"
    "C:\\CMDCONS\\BOOTSECT.DAT=\"Recovery Console\" /cmdcons\r\n";

std::string Read(Profile& profile, const std::string& section, const std::string& key,
                 const std::string& file, std::uint32_t size = 255) {
  return profile.ReadString(section, key, "", size, file);
}

TEST_F(Ini, ReadsValuesAsTheLoaderFileHoldsThem) {
  MakeFile("boot.ini", kBootIni);
  const std::string file = Path("boot.ini");
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"boot loader", "timeout", "30"},
      {"BOOT LOADER", "Default", "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"},
      // Only the first '=' splits; quotes that do not enclose the whole value stay.
      {"operating systems", "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS",
       "\"Microsoft Windows XP Professional\" /noexecute=optin /fastdetect"},
      {"operating systems", "c:\\cmdcons\\bootsect.dat", "\"Recovery Console\" /cmdcons"},
      {"operating systems", "C:\\g1ldr", ""},
      {"no such section", "timeout", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(profile(), c.section, c.key, file), c.value) << c.key;

  EXPECT_EQ(profile().ReadString("boot loader", "none", "fallback", 255, file), "fallback");
  EXPECT_EQ(profile().ReadString("a", "b", "fallback", 255, Path("missing.ini")), "fallback");
}

TEST_F(Ini, EmptyValueIsNotTheDefaultAndQuotesAreStripped) {
  MakeFile("t.ini", "[s]\r\nempty=\r\nquoted=\"a b\"\r\nsingle='x'\r\n");
  EXPECT_EQ(profile().ReadString("s", "empty", "fallback", 255, Path("t.ini")), "");
  EXPECT_EQ(Read(profile(), "s", "quoted", Path("t.ini")), "a b");
  EXPECT_EQ(Read(profile(), "s", "single", Path("t.ini")), "x");
}

TEST_F(Ini, LongValuesAreCutToTheBuffer) {
  MakeFile("t.ini", "[s]\r\nascii=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(Read(profile(), "s", "ascii", Path("t.ini")), std::string(254, 'x'));
  EXPECT_EQ(Read(profile(), "s", "ascii", Path("t.ini"), 10), std::string(9, 'x'));

  // Double-byte text: never more than 254 bytes of its ANSI form, and no half character.
  std::string wide;
  for (int i = 0; i < 200; ++i) wide += "备";
  ASSERT_TRUE(profile().WriteString("s", "wide", wide, Path("t.ini")));
  std::string value = Read(profile(), "s", "wide", Path("t.ini"));
  std::string ansi;
  ASSERT_TRUE(env_->platform().text.ToAnsi(value, ansi));
  EXPECT_LE(ansi.size(), 254u);
  EXPECT_GE(ansi.size(), 200u);
  EXPECT_EQ(wide.compare(0, value.size(), value), 0);
}

TEST_F(Ini, WritesAddReplaceAndKeepTheRest) {
  MakeFile("boot.ini", kBootIni);
  const std::string file = Path("boot.ini");
  ASSERT_TRUE(profile().WriteString("operating systems", "C:\\g1ldr", "Tovak备份工具", file));
  ASSERT_TRUE(profile().WriteString("boot loader", "Default", "C:\\g1ldr", file));
  ASSERT_TRUE(profile().WriteString("Boot Loader", "TIMEOUT", "0", file));
  ASSERT_TRUE(profile().WriteString("new section", "k", "v", file));

  EXPECT_EQ(Read(profile(), "operating systems", "c:\\G1LDR", file), "Tovak备份工具");
  EXPECT_EQ(Read(profile(), "boot loader", "default", file), "C:\\g1ldr");
  EXPECT_EQ(Read(profile(), "boot loader", "timeout", file), "0");
  EXPECT_EQ(Read(profile(), "new section", "k", file), "v");
  EXPECT_EQ(Read(profile(), "operating systems", "C:\\CMDCONS\\BOOTSECT.DAT", file),
            "\"Recovery Console\" /cmdcons");

  const std::string bytes = Bytes("boot.ini");
  // The title reaches the file in the ANSI code page (GBK here).
  EXPECT_NE(bytes.find("=Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF\r\n"), std::string::npos);
  // Each key once: replaced, not added again.
  EXPECT_EQ(bytes.find("timeout"), bytes.rfind("timeout"));
  if (env_->IsWine()) return;  // Wine rewrites the whole file: blank lines before sections, no blanks around '='
  EXPECT_EQ(bytes,
            "[boot loader]\r\n"
            "timeout=0\r\n"
            "default=C:\\g1ldr\r\n"
            "[operating systems]\r\n"
            "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
            "/noexecute=optin /fastdetect\r\n"
            "C:\\CMDCONS\\BOOTSECT.DAT=\"Recovery Console\" /cmdcons\r\n"
            "C:\\g1ldr=Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF\r\n"
            "[new section]\r\n"
            "k=v\r\n");
}

TEST_F(Ini, WritingCreatesAMissingFileButNotAMissingFolder) {
  ASSERT_TRUE(profile().WriteString("s", "k", "v", Path("new.ini")));
  EXPECT_EQ(Read(profile(), "s", "k", Path("new.ini")), "v");
  EXPECT_FALSE(profile().WriteString("s", "k", "v", Path("none\\new.ini")));
}

TEST_F(Ini, ReadOnlyFileIsNotWritten) {
  if (env_->IsWineAsRoot()) GTEST_SKIP() << "Wine as root writes read-only files";
  MakeFile("ro.ini", "[s]\r\nk=old\r\n", attr::kReadOnly);
  EXPECT_FALSE(profile().WriteString("s", "k", "new", Path("ro.ini")));
  EXPECT_EQ(Read(profile(), "s", "k", Path("ro.ini")), "old");
}

}  // namespace
}  // namespace tovak::contract
