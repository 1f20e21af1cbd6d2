// Label_Image as the path box changes, by its text set or typed: an image file's size and time,
// nothing for anything else; and the longest line readable in its label.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/frm_back_fixture.h"
#include "tests/win32/local_write_time.h"
#include "ui/control_ids.h"

namespace tovak::ui::testing {
namespace {

class ImageLineTest : public FrmBackTest {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tovak-image-line";
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    ::CreateDirectoryW((folder_ + L"\\folder.gho").c_str(), nullptr);
    // Sparse: only its length is read.
    ASSERT_TRUE(MakeFile(L"big.gho", 1536LL << 20));
    ASSERT_TRUE(test_files::SetLocalWriteTime(In(L"big.gho").c_str(), 2026, 12, 7, 18, 30));
    ASSERT_TRUE(MakeFile(L"small.gho", 17));
    ASSERT_TRUE(test_files::SetLocalWriteTime(In(L"small.gho").c_str(), 2025, 1, 2, 3, 4));
    FrmBackTest::SetUp();
  }
  void TearDown() override {
    FrmBackTest::TearDown();
    ::DeleteFileW(In(L"big.gho").c_str());
    ::DeleteFileW(In(L"small.gho").c_str());
    ::RemoveDirectoryW(In(L"folder.gho").c_str());
    ::RemoveDirectoryW(folder_.c_str());
  }

  std::wstring In(const wchar_t* name) const { return folder_ + L"\\" + name; }

  bool MakeFile(const wchar_t* name, LONGLONG length) {
    HANDLE file = ::CreateFileW(In(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = length;
    const bool made = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    return made;
  }

  // Keys at the end of the path box, as the user types them ('\b' takes one back).
  void Type(const std::wstring& keys) {
    HWND path = Child(ids::kTextPath);
    const int end = ::GetWindowTextLengthW(path);
    ::SendMessageW(path, EM_SETSEL, end, end);
    for (wchar_t key : keys) ::SendMessageW(path, WM_CHAR, key, 1);
  }

  std::wstring folder_;
};

TEST_F(ImageLineTest, TheLineFollowsThePathAsItIsSetOrTyped) {
  const std::wstring big = L"已有镜象文件：1.50 GB，2026-12-07 18:30";
  const std::wstring small = L"已有镜象文件：17 字节，2025-01-02 03:04";
  enum class Change { Set, Type };
  const struct {
    const char* what;
    Change change;
    std::wstring text;
    std::wstring line;
  } steps[] = {
      {"an image file", Change::Set, In(L"big.gho"), big},
      {"one key taken back", Change::Type, L"\b", L""},
      {"typed back", Change::Type, L"o", big},
      {"a folder named as an image", Change::Set, In(L"folder.gho"), L""},
      {"another image file", Change::Set, In(L"small.gho"), small},
      {"a missing file", Change::Set, In(L"missing.gho"), L""},
      {"in capitals", Change::Set, In(L"BIG.GHO"), big},
      {"the images' folder", Change::Set, folder_, L""},
      {"an image typed on", Change::Type, L"\\small.gho", small},
      {"nothing", Change::Set, L"", L""},
  };
  HWND line = Child(ids::kLabelImage);
  EXPECT_EQ(Text(line), L"") << "the designed path names a folder";
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.change == Change::Set) {
      ::SetWindowTextW(Child(ids::kTextPath), step.text.c_str());
    } else {
      Type(step.text);
    }
    EXPECT_EQ(Text(line), step.line);
  }
  EXPECT_TRUE(ui.boxes.empty());
}

// The longest line the window shows fits its label on one line.
TEST_F(ImageLineTest, TheLongestLineFitsItsLabel) {
  HWND line = Child(ids::kLabelImage);
  const std::wstring longest = L"已有镜象文件：1023.99 GB，2026-12-07 18:30";
  HDC dc = ::GetDC(line);
  HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(line, WM_GETFONT, 0, 0)));
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, longest.c_str(), static_cast<int>(longest.size()), &extent);
  ::SelectObject(dc, old);
  ::ReleaseDC(line, dc);
  RECT room;
  ::GetClientRect(line, &room);
  EXPECT_LE(extent.cx, room.right);
  EXPECT_LE(extent.cy, room.bottom);
}

}  // namespace
}  // namespace tovak::ui::testing
