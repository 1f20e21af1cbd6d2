#include "job/boot_menu_entry.h"

#include <gtest/gtest.h>

#include "sim/sim_windows.h"

namespace tovak {
namespace {

const char kBootIni[] = "C:\\boot.ini";
const char kXpBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP\" /fastdetect\r\n";
// The same after the job, the title in code page 936.
const char kPreparedBootIni[] =
    "[boot loader]\r\n"
    "timeout=0\r\n"
    "default=C:\\g1ldr\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP\" /fastdetect\r\n"
    "C:\\g1ldr=Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF\r\n";

class BootMenuEntryTest : public ::testing::Test {
 protected:
  BootMenuEntryTest() { windows_.PutFile(kBootIni, kXpBootIni); }
  std::string Read(const char* section, const char* key) {
    return ReadIniString(windows_, section, key, kBootIni);
  }
  sim::SimWindows windows_;
  Platform& platform_ = windows_.platform();
};

TEST_F(BootMenuEntryTest, TheLoaderBecomesTheDefaultAtOnce) {
  ASSERT_TRUE(AddBootEntry(platform_, kBootIni));
  EXPECT_EQ(windows_.Bytes(kBootIni), kPreparedBootIni);
}

TEST_F(BootMenuEntryTest, ACodePageWithoutChineseGetsTheTitleAsQuestionMarks) {
  windows_.SetCodePage(1252);
  ASSERT_TRUE(AddBootEntry(platform_, kBootIni));
  EXPECT_NE(windows_.Bytes(kBootIni).find("\r\nC:\\g1ldr=Tovak????\r\n"), std::string::npos)
      << windows_.Bytes(kBootIni);
}

TEST_F(BootMenuEntryTest, AnEntryWithATitleKeepsIt) {
  windows_.PutFile(kBootIni, std::string(kXpBootIni) + "C:\\g1ldr=\"Mine\"\r\n");
  ASSERT_TRUE(AddBootEntry(platform_, kBootIni));
  EXPECT_EQ(Read("operating systems", "C:\\g1ldr"), "Mine");
  EXPECT_EQ(Read("boot loader", "Default"), "C:\\g1ldr");
  EXPECT_EQ(Read("boot loader", "timeout"), "0");
}

TEST_F(BootMenuEntryTest, AnEntryWithoutATitleGetsOne) {
  windows_.PutFile(kBootIni, std::string(kXpBootIni) + "C:\\g1ldr=\r\n");
  ASSERT_TRUE(AddBootEntry(platform_, kBootIni));
  EXPECT_EQ(windows_.Bytes(kBootIni), kPreparedBootIni);
}

TEST_F(BootMenuEntryTest, TheRootKeepsTheCaseWindowsGivesIt) {
  windows_.SetSystemDirectory("c:\\windows\\system32");
  ASSERT_TRUE(AddBootEntry(platform_, kBootIni));
  const std::string bytes = windows_.Bytes(kBootIni);
  EXPECT_NE(bytes.find("\r\nc:\\g1ldr=Tovak"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("default=c:\\g1ldr\r\n"), std::string::npos) << bytes;
}

TEST_F(BootMenuEntryTest, TheFirstFailingWriteStopsTheEntry) {
  // Counted calls: the title's read, then the writes of title, Default and timeout.
  struct Case {
    int failingCall;
    const char* title;
    const char* defaultValue;
  } cases[] = {{2, "", "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"},
               {3, "Tovak备份工具", "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"},
               {4, "Tovak备份工具", "C:\\g1ldr"}};
  for (const Case& c : cases) {
    windows_.PutFile(kBootIni, kXpBootIni);
    windows_.FailCall(c.failingCall, error::kAccessDenied);
    EXPECT_FALSE(AddBootEntry(platform_, kBootIni)) << c.failingCall;
    windows_.ClearFaults();
    EXPECT_EQ(Read("operating systems", "C:\\g1ldr"), c.title) << c.failingCall;
    EXPECT_EQ(Read("boot loader", "default"), c.defaultValue) << c.failingCall;
    EXPECT_EQ(Read("boot loader", "timeout"), "30") << c.failingCall;
  }
}

TEST_F(BootMenuEntryTest, AReadOnlyBootIniIsReportedAsNotChanged) {
  windows_.PutFile(kBootIni, kXpBootIni, attr::kReadOnly | attr::kHidden | attr::kSystem);
  EXPECT_FALSE(AddBootEntry(platform_, kBootIni));
  EXPECT_EQ(windows_.Bytes(kBootIni), kXpBootIni);
}

TEST_F(BootMenuEntryTest, ABlankSectionOrKeyWritesNothing) {
  const sim::Snapshot before = windows_.Take();
  for (const char* blank : {"", "   "}) {
    EXPECT_FALSE(WriteIniString(windows_, "boot loader", blank, "0", kBootIni));
    EXPECT_FALSE(WriteIniString(windows_, blank, "timeout", "0", kBootIni));
  }
  EXPECT_EQ(windows_.Take(), before);
}

TEST_F(BootMenuEntryTest, AReadStopsAt254AnsiBytes) {
  std::string chinese;
  for (int i = 0; i < 150; ++i) chinese += "备";  // 300 bytes in code page 936
  windows_.PutFile(kBootIni, "[s]\r\nlatin=" + std::string(300, 'x') + "\r\n");
  ASSERT_TRUE(WriteIniString(windows_, "s", "chinese", chinese, kBootIni));
  EXPECT_EQ(Read("s", "latin"), std::string(254, 'x'));
  EXPECT_EQ(Read("s", "chinese"), chinese.substr(0, 127 * 3));
}

}  // namespace
}  // namespace tovak
