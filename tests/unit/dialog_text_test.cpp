#include "ui/dialog_text.h"

#include <gtest/gtest.h>

#include <cctype>

#include "ui/link_target.h"
#include "ui/maker_address.h"

namespace tovak::ui {
namespace {

using namespace std::string_literals;

TEST(DialogText, FilterPairsEndWithTheEmptyPair) {
  EXPECT_EQ(FilterString({{"镜象文件 (*.gho)", "*.gho"}}), "镜象文件 (*.gho)\0*.gho\0\0"s);
  EXPECT_EQ(FilterString({{"a", "*.a"}, {"b", "*.b"}}), "a\0*.a\0b\0*.b\0\0"s);
  EXPECT_EQ(FilterString({}), "\0"s);
}

TEST(DialogText, FixedBufferHoldsTheTextAndAtLeastOneNul) {
  struct Case {
    std::string initial;
    std::size_t size;
    std::string want;
  } cases[] = {
      {"", 4, "\0\0\0\0"s},
      {"abc", 5, "abc\0\0"s},
      {"abcd", 4, "abc\0"s},  // cut: the dialog needs the terminating NUL
      {"abc", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FixedBuffer(c.initial, c.size), c.want) << c.initial;
  const std::wstring buffer = FixedBuffer(L"镜象"s, 250);  // the dialog's UTF-16 buffer
  EXPECT_EQ(buffer.size(), 250u);
  EXPECT_EQ(buffer.find_first_not_of(L'\0', 2), std::wstring::npos);
  EXPECT_EQ(buffer.substr(0, 2), L"镜象");
}

TEST(DialogText, TheResultIsTheTextBeforeTheFirstNul) {
  EXPECT_EQ(TextBeforeNul("D:\\Nusk\\Nusk.gho\0\0\0"s), "D:\\Nusk\\Nusk.gho");
  EXPECT_EQ(TextBeforeNul("D:\\\0junk\0"s), "D:\\");
  EXPECT_EQ(TextBeforeNul("\0D:\\"s), "");
  EXPECT_EQ(TextBeforeNul("no terminator"s), "");
  EXPECT_EQ(TextBeforeNul(L"D:\\备份\0junk"s), L"D:\\备份");
}

TEST(DialogText, TheProgramsFolderKeepsOnlyARootsBackslash) {
  struct Case {
    const char* exe;
    const char* folder;
  } cases[] = {
      {"C:\\Program Files\\Tovak\\Tovak.exe", "C:\\Program Files\\Tovak"},
      {"C:\\Tovak.exe", "C:\\"},
      {"\\\\server\\share\\Tovak.exe", "\\\\server\\share"},
      {"Tovak.exe", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderOfFile(c.exe), c.folder) << c.exe;
}

TEST(LinkTarget, OpensTheShownAddressInLowerCase) {
  const std::string shown = TOVAK_MAKER_ADDRESS;
  for (char c : shown) EXPECT_FALSE(std::islower(static_cast<unsigned char>(c))) << shown;
  EXPECT_EQ(LinkTarget(shown), "http://www.tovak.net");
  EXPECT_EQ(LinkTarget("WWW.A-B.CN/X"), "http://www.a-b.cn/x");
}

}  // namespace
}  // namespace tovak::ui
