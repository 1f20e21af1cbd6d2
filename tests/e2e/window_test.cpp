// The window of the real Tovak.exe, read and driven from this process as a user meets it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/design.h"
#include "tests/e2e/disk.h"
#include "tests/e2e/e2e_env.h"
#include "tests/win32/local_write_time.h"
#include "ui/control_ids.h"

namespace tovak::e2e {
namespace {

namespace ids = ui::ids;

BOOL CALLBACK CollectId(HWND child, LPARAM ids) {
  const int id = ::GetDlgCtrlID(child);
  if (id != 1001) reinterpret_cast<std::vector<int>*>(ids)->push_back(id);  // a combo's edit
  return TRUE;
}

TEST_F(TovakTest, TheWindowAndItsControlsAreTheDesign) {
  HDC screen = ::GetDC(nullptr);
  ASSERT_EQ(::GetDeviceCaps(screen, LOGPIXELSX), 96) << "the pixel sizes below assume 96 DPI";
  ::ReleaseDC(nullptr, screen);
  HWND window = app.Window();
  Screenshot(window, L"window");

  RECT client;
  ::GetClientRect(window, &client);
  EXPECT_EQ(client.right, 305);
  EXPECT_EQ(client.bottom, 151);
  EXPECT_FALSE(Style(window) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_EQ(::GetMenu(window), nullptr);

  for (const Designed& row : Design()) {
    SCOPED_TRACE(row.name);
    HWND control = Ctl(row.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(::GetParent(control), row.parent ? Ctl(row.parent) : window);
    EXPECT_EQ(ClassOf(control), row.className);
    EXPECT_EQ(TextOf(control), row.text);
    EXPECT_TRUE(::IsWindowVisible(control));
    EXPECT_TRUE(::IsWindowEnabled(control));
    if (row.buttonType != kNotAButton) {
      EXPECT_EQ(Style(control) & BS_TYPEMASK, row.buttonType);
      EXPECT_EQ(Checked(control), row.checked);
    }
    const RECT rect = RectInParent(control);
    EXPECT_EQ(rect.left, Px(row.left));
    EXPECT_EQ(rect.top, Px(row.top));
    if (row.id == ids::kLabelWww) {
      // The address may need more room than designed, but never the OK button's.
      EXPECT_GE(rect.right - rect.left, Px(row.width));
      EXPECT_LT(rect.right, Px(2730));
    } else {
      EXPECT_EQ(rect.right - rect.left, Px(row.width));
    }
    // A combo's height is its edit field's, which the font decides.
    if (row.id != ids::kComboCompress) {
      EXPECT_EQ(rect.bottom - rect.top, Px(row.height));
    }
  }

  HWND combo = Ctl(ids::kComboCompress);
  std::vector<std::wstring> items;
  for (LRESULT i = 0, n = ::SendMessageW(combo, CB_GETCOUNT, 0, 0); i < n; ++i) {
    wchar_t item[32] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(item);
  }
  EXPECT_EQ(items, (std::vector<std::wstring>{L"z3", L"z6", L"z9"}));
  EXPECT_EQ(FocusedId(window), ids::kCmdSure);
}

TEST_F(TovakTest, TabFollowsTheTabIndex) {
  // Windows take Tab in z-order, so the children's order is the designed tab index order.
  std::vector<int> zOrder;
  ::EnumChildWindows(app.Window(), CollectId, reinterpret_cast<LPARAM>(&zOrder));
  EXPECT_EQ(zOrder, (std::vector<int>{ids::kCmdSure, ids::kCmdExit, ids::kFrame1, ids::kPicture1,
                                      ids::kOptionRestore, ids::kOptionBack, ids::kTextPath,
                                      ids::kCmdPath, ids::kLabelPath, ids::kComboCompress,
                                      ids::kCheckDisk, ids::kWelCome, ids::kLabelWww,
                                      ids::kLabelImage}));
  // Of those, Tab stops at the enabled ones that take input, the option group at its selection.
  std::vector<int> visited;
  for (int i = 0; i < 7; ++i) {
    const int before = FocusedId(app.Window());
    PressKey(app.Window(), VK_TAB);
    WaitUntil([&] { return FocusedId(app.Window()) != before; }, 3000);
    visited.push_back(FocusedId(app.Window()));
  }
  EXPECT_EQ(visited, (std::vector<int>{ids::kCmdExit, ids::kOptionBack, ids::kTextPath,
                                       ids::kCmdPath, ids::kComboCompress, ids::kCheckDisk,
                                       ids::kCmdSure}));
}

TEST_F(TovakTest, TheOptionsSwitchThePathAndTheComboKeepsItsText) {
  HWND path = Ctl(ids::kTextPath);
  HWND combo = Ctl(ids::kComboCompress);
  SetText(combo, L"z6");
  SetText(path, L"e:\\typed");
  Click(Ctl(ids::kOptionRestore));
  ASSERT_TRUE(TextBecomes(path, L"d:\\Nusk\\Nusk.gho"));
  EXPECT_TRUE(Checked(Ctl(ids::kOptionRestore)));
  EXPECT_FALSE(Checked(Ctl(ids::kOptionBack)));
  EXPECT_FALSE(::IsWindowEnabled(combo));
  EXPECT_EQ(TextOf(combo), L"z6");
  Screenshot(app.Window(), L"restore-mode");

  SetText(path, L"e:\\typed.gho");
  Click(Ctl(ids::kOptionBack));
  ASSERT_TRUE(TextBecomes(path, L"d:\\Nusk"));
  EXPECT_TRUE(Checked(Ctl(ids::kOptionBack)));
  EXPECT_FALSE(Checked(Ctl(ids::kOptionRestore)));
  EXPECT_TRUE(::IsWindowEnabled(combo));
  EXPECT_EQ(TextOf(combo), L"z6");
  EXPECT_TRUE(app.NoBoxWithin(300));
}

// The line below the frame says what the path names; the window's own tests go through each case.
TEST_F(TovakTest, TheImageLineShowsTheRestoresImageAndNothingForAFolder) {
  ASSERT_TRUE(::CreateDirectoryW(L"D:\\Nusk", nullptr));
  ASSERT_TRUE(WriteBytes(L"D:\\Nusk\\Nusk.gho", std::string(1536 << 10, 'g')));
  ASSERT_TRUE(test_files::SetLocalWriteTime(L"D:\\Nusk\\Nusk.gho", 2026, 12, 7, 18, 30));
  HWND line = Ctl(ids::kLabelImage);
  Click(Ctl(ids::kOptionRestore));  // its path is d:\Nusk\Nusk.gho
  ASSERT_TRUE(TextBecomes(line, L"已有镜象文件：1.5 MB，2026-12-07 18:30")) << Narrow(TextOf(line));
  Screenshot(app.Window(), L"image-line");
  SetText(Ctl(ids::kTextPath), L"d:\\Nusk");
  EXPECT_TRUE(TextBecomes(line, L"")) << Narrow(TextOf(line));
}

TEST_F(TovakTest, TickingTheDiskBoxShowsTheNoticeUntickingDoesNot) {
  HWND disk = Ctl(ids::kCheckDisk);
  for (const bool tick : {true, false, true}) {
    SCOPED_TRACE(tick ? "tick" : "untick");
    Click(disk);
    if (tick) {
      const MessageBoxSeen box = app.WaitForBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box.title, L"提示");
      EXPECT_EQ(box.text, L"选中多硬盘的话需要花一部分时间检测磁盘位置");
      EXPECT_NE(::GetDlgItem(box.window, 1088), nullptr) << "an icon";
      EXPECT_EQ(::GetDlgItem(box.window, IDYES), nullptr) << "OK alone";
      Screenshot(box.window, L"notice");
      ASSERT_TRUE(app.Answer(box, IDOK));
    } else {
      // The box would open within the click's handling, which ends with the new state.
      ASSERT_TRUE(WaitUntil([disk] { return !Checked(disk); }));
      EXPECT_TRUE(app.NoBoxWithin(500));
    }
    EXPECT_EQ(Checked(disk), tick);
  }
}

TEST(TovakExit, ExitEscAndEnterOnExitEndTheProgram) {
  struct Way {
    const char* name;
    void (*act)(TovakApp&);
  };
  const Way ways[] = {
      {"Exit", [](TovakApp& app) { Click(app.Control(ids::kCmdExit)); }},
      {"Esc", [](TovakApp& app) { PressKey(app.Window(), VK_ESCAPE); }},
      // Exit takes Enter once Tab has given it the focus.
      {"Tab, Enter",
       [](TovakApp& app) {
         PressKey(app.Window(), VK_TAB);
         ASSERT_TRUE(WaitUntil([&] { return FocusedId(app.Window()) == ids::kCmdExit; }));
         PressKey(app.Window(), VK_RETURN);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    TovakApp app;
    std::wstring why;
    ASSERT_TRUE(app.Start(BuildFolder() + L"Tovak.exe", why)) << Narrow(why);
    way.act(app);
    EXPECT_TRUE(app.WaitForExit());
  }
}

// Cancelling a Browse dialog leaves a typed path alone.
TEST_F(TovakTest, BrowseOpensTheModesDialogAndCancelKeepsThePath) {
  HWND path = Ctl(ids::kTextPath);
  SetText(path, L"e:\\typed");
  Click(Ctl(ids::kCmdPath));
  MessageBoxSeen browser = app.WaitForBox();
  ASSERT_TRUE(browser);
  // The folder browser shows the request's title as its text above the tree.
  bool titled = false;
  for (HWND child = ::GetWindow(browser.window, GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    titled = titled || TextOf(child) == L"请选择文件夹:";
  }
  EXPECT_TRUE(titled);
  EXPECT_NE(::FindWindowExW(browser.window, nullptr, L"SysTreeView32", nullptr), nullptr);
  Screenshot(browser.window, L"folder-browser");
  ASSERT_TRUE(app.Answer(browser, IDCANCEL));
  EXPECT_EQ(TextOf(path), L"e:\\typed");

  Click(Ctl(ids::kOptionRestore));
  ASSERT_TRUE(TextBecomes(path, L"d:\\Nusk\\Nusk.gho"));
  SetText(path, L"e:\\typed.gho");
  Click(Ctl(ids::kCmdPath));
  MessageBoxSeen open = app.WaitForBox();
  ASSERT_TRUE(open);
  EXPECT_EQ(open.title, L"请选择镜象文件...");
  constexpr int kFileTypes = 0x470;  // cmb1
  EXPECT_EQ(TextOf(::GetDlgItem(open.window, kFileTypes)), L"镜象文件 (*.gho)");
  constexpr int kLookIn = 0x471;  // cmb2
  EXPECT_EQ(TextOf(::GetDlgItem(open.window, kLookIn)), L"win64");
  Screenshot(open.window, L"open-image");
  ASSERT_TRUE(app.Answer(open, IDCANCEL));
  EXPECT_EQ(TextOf(path), L"e:\\typed.gho");
  EXPECT_TRUE(app.Running());
}

}  // namespace
}  // namespace tovak::e2e
