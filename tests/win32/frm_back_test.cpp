// The real window in this process: the control table made into child windows, its keys and its
// events, checked through the Win32 messages another program would use too.
#include <gtest/gtest.h>

#include <cwctype>

#include "tests/win32/frm_back_fixture.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"

namespace tovak::ui::testing {
namespace {

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Container: return L"TovakPictureBox";
    case ControlKind::ComboBox: return L"ComboBox";
    case ControlKind::Label: return L"Static";
    case ControlKind::TextBox: return L"Edit";
    default: return L"Button";
  }
}

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

RECT RectIn(HWND window, HWND parent) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(FrmBackTest, TheWindowIsTheDesignedFixedWindow) {
  const int dpi = ScreenDpi();
  RECT client;
  ::GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));
  const LONG style = ::GetWindowLongW(Window(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_EQ(::GetMenu(Window()), nullptr);
  EXPECT_EQ(Text(Window()), L"备份还原工具WINDOWS版");
  wchar_t className[64] = {};
  ::GetClassNameW(Window(), className, 64);
  EXPECT_STREQ(className, L"TovakFrmBack");
}

TEST_F(FrmBackTest, EachRowOfTheTableIsAChildWindowInPixels) {
  const auto& table = FrmBackControls();
  const int dpi = ScreenDpi();
  HFONT guiFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlRow& row : table) {
    SCOPED_TRACE(row.name);
    HWND child = Child(row.id);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(child), row.id);
    wchar_t className[64] = {};
    ::GetClassNameW(child, className, 64);
    EXPECT_EQ(_wcsicmp(className, ClassOf(row.kind)), 0) << className;
    const PixelPlacement want = Place(table, row, dpi);
    HWND parent = want.parent == kFormName ? Window() : Child(FindControl(want.parent).id);
    EXPECT_EQ(::GetParent(child), parent);
    const RECT got = RectIn(child, parent);
    EXPECT_EQ(got.left, want.x);
    EXPECT_EQ(got.top, want.y);
    // The combo's height is its edit field's, which the font decides; the link may grow.
    if (!row.link) {
      EXPECT_EQ(got.right - got.left, want.width);
    }
    if (row.kind != ControlKind::ComboBox) {
      EXPECT_EQ(got.bottom - got.top, want.height);
    }
    if (row.kind != ControlKind::Container) {  // it draws no text
      EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)), guiFont);
    }
  }
  // The address may take more room than designed, but never the OK button's.
  const RECT link = RectIn(Child(ids::kLabelWww), Window());
  const RECT ok = RectIn(Child(ids::kCmdSure), Window());
  EXPECT_GE(link.right - link.left, Place(table, FindControl("Label_WWW"), dpi).width);
  EXPECT_LT(link.right, ok.left);
  EXPECT_TRUE(::GetWindowLongW(Child(ids::kPicture1), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(::GetWindowLongW(Child(ids::kFrame1), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
}

TEST_F(FrmBackTest, StartsWithTheDesignValuesAndTheFocusOnOk) {
  EXPECT_TRUE(Checked(Child(ids::kOptionBack)));
  EXPECT_FALSE(Checked(Child(ids::kOptionRestore)));
  EXPECT_FALSE(Checked(Child(ids::kCheckDisk)));
  EXPECT_EQ(Text(Child(ids::kTextPath)), L"d:\\Nusk");
  EXPECT_EQ(Text(Child(ids::kComboCompress)), L"压缩比率");
  HWND combo = Child(ids::kComboCompress);
  ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  const wchar_t* items[] = {L"z3", L"z6", L"z9"};
  for (int i = 0; i < 3; ++i) {
    wchar_t item[16] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, items[i]);
  }
  EXPECT_EQ(Text(Child(ids::kLabelWww)), L"WWW.TOVAK.NET");
  for (const ControlRow& row : FrmBackControls()) {
    EXPECT_TRUE(::IsWindowEnabled(Child(row.id))) << row.name;
  }
  EXPECT_EQ(::GetFocus(), Child(ids::kCmdSure));
  // What the job reads, in UTF-8.
  EXPECT_EQ(form.PathText(), "d:\\Nusk");
  EXPECT_TRUE(form.BackupSelected());
  EXPECT_FALSE(form.DiskTicked());
  EXPECT_EQ(form.CompressionText(), "压缩比率");
  EXPECT_EQ(Text(form.Handle()), L"备份还原工具WINDOWS版");
}

// The control with the focus, counting a combo's inner edit as the combo.
int FocusedId(HWND window) {
  HWND focus = ::GetFocus();
  wchar_t className[64] = {};
  ::GetClassNameW(::GetParent(focus), className, 64);
  if (_wcsicmp(className, L"ComboBox") == 0) focus = ::GetParent(focus);
  return ::IsChild(window, focus) ? ::GetDlgCtrlID(focus) : 0;
}

TEST_F(FrmBackTest, TabVisitsTheControlsInTheDesignedOrder) {
  auto tour = [this] {
    std::vector<int> visited;
    for (int i = 0; i < 7; ++i) {
      EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_TAB));
      visited.push_back(FocusedId(Window()));
    }
    return visited;
  };
  EXPECT_EQ(tour(), (std::vector<int>{ids::kCmdExit, ids::kOptionBack, ids::kTextPath,
                                      ids::kCmdPath, ids::kComboCompress, ids::kCheckDisk,
                                      ids::kCmdSure}));
  // The option group is entered at its selected button; Restore disables the combo.
  ::SendMessageW(Child(ids::kOptionRestore), BM_CLICK, 0, 0);
  ::SetFocus(Child(ids::kCmdSure));
  EXPECT_EQ(tour(), (std::vector<int>{ids::kCmdExit, ids::kOptionRestore, ids::kTextPath,
                                      ids::kCmdPath, ids::kCheckDisk, ids::kCmdSure,
                                      ids::kCmdExit}));
}

// As in a dialog: the push button with the focus is the default, and OK is when the focus is
// elsewhere. Enter presses the default (Exit and Browse are pressed end to end).
TEST_F(FrmBackTest, TheDefaultButtonFollowsTheFocusAndEnterPressesOkElsewhere) {
  int presses = 0;
  form.SetOkHandler([&presses] { ++presses; });
  const struct {
    int focus;  // where Tab goes next
    int defaultButton;
  } tour[] = {
      {ids::kCmdExit, ids::kCmdExit},        {ids::kOptionBack, ids::kCmdSure},
      {ids::kTextPath, ids::kCmdSure},       {ids::kCmdPath, ids::kCmdPath},
      {ids::kComboCompress, ids::kCmdSure},  {ids::kCheckDisk, ids::kCmdSure},
      {ids::kCmdSure, ids::kCmdSure},
  };
  for (const auto& stop : tour) {
    SCOPED_TRACE(stop.focus);
    PressKey(WM_KEYDOWN, VK_TAB);
    ASSERT_EQ(FocusedId(Window()), stop.focus);
    for (int button : {ids::kCmdSure, ids::kCmdExit, ids::kCmdPath}) {
      EXPECT_EQ(::GetWindowLongW(Child(button), GWL_STYLE) & BS_TYPEMASK,
                button == stop.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)
          << button;
    }
    if (stop.defaultButton != ids::kCmdSure) continue;
    const int before = presses;
    EXPECT_TRUE(PressKey(WM_KEYDOWN, VK_RETURN));
    EXPECT_EQ(presses, before + 1);
  }
  // A disabled OK is not pressed.
  form.FocusPath();
  form.SetEnabled(FormControl::Cmd_Sure, false);
  PressKey(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(presses, 5);
  EXPECT_NE(Window(), nullptr);
}

TEST_F(FrmBackTest, EscClosesTheWindowOnlyWhileExitIsEnabled) {
  form.SetEnabled(FormControl::Cmd_Exit, false);
  PressKey(WM_KEYDOWN, VK_ESCAPE);
  ASSERT_NE(Window(), nullptr);
  form.SetEnabled(FormControl::Cmd_Exit, true);
  PressKey(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(Window(), nullptr);
  MSG quit;
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FrmBackTest, AnAccessKeySelectsRestore) {
  PressKey(WM_SYSCHAR, 'r', 1 << 29);
  EXPECT_TRUE(Checked(Child(ids::kOptionRestore)));
  EXPECT_EQ(Text(Child(ids::kTextPath)), L"d:\\Nusk\\Nusk.gho");
}

TEST_F(FrmBackTest, TheOptionSwitchRewritesThePathAndLocksTheCombo) {
  HWND path = Child(ids::kTextPath);
  HWND combo = Child(ids::kComboCompress);
  ::SetWindowTextW(path, L"e:\\typed");
  ::SetWindowTextW(combo, L"z9");
  ::SendMessageW(Child(ids::kOptionRestore), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.BackupSelected());
  EXPECT_FALSE(Checked(Child(ids::kOptionBack)));
  EXPECT_EQ(Text(path), L"d:\\Nusk\\Nusk.gho");
  EXPECT_FALSE(::IsWindowEnabled(combo));
  EXPECT_EQ(Text(combo), L"z9");
  ::SetWindowTextW(path, L"e:\\typed.gho");
  ::SendMessageW(Child(ids::kOptionBack), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.BackupSelected());
  EXPECT_EQ(Text(path), L"d:\\Nusk");
  EXPECT_TRUE(::IsWindowEnabled(combo));
  EXPECT_EQ(Text(combo), L"z9");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FrmBackTest, TickingTheDiskBoxShowsTheNoticeEachTime) {
  HWND disk = Child(ids::kCheckDisk);
  for (int click = 0; click < 3; ++click) ::SendMessageW(disk, BM_CLICK, 0, 0);
  EXPECT_TRUE(form.DiskTicked());
  ASSERT_EQ(ui.boxes.size(), 2u);  // tick, untick, tick
  for (const RecordingUi::Box& box : ui.boxes) {
    EXPECT_EQ(box.text, "选中多硬盘的话需要花一部分时间检测磁盘位置");
    EXPECT_EQ(box.title, "提示");
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.icon, MessageIcon::Information);
  }
}

TEST_F(FrmBackTest, ThePathBoxSelectsItsWholeTextOnFocus) {
  HWND path = Child(ids::kTextPath);
  ::SetWindowTextW(path, L"d:\\备份\\x");
  ::SendMessageW(path, EM_SETSEL, 2, 2);
  ::SetFocus(Child(ids::kCmdSure));
  ::SetFocus(path);
  DWORD start = 99, end = 99;
  ::SendMessageW(path, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthW(path)));
  EXPECT_EQ(form.PathText(), "d:\\备份\\x");
}

TEST_F(FrmBackTest, TheCloseGuardRefusesWhileAJobRuns) {
  form.SetJobInProgress(true);
  ::SendMessageW(Window(), WM_CLOSE, 0, 0);
  form.Unload();
  ASSERT_NE(Window(), nullptr);
  ASSERT_EQ(ui.boxes.size(), 2u);
  for (const RecordingUi::Box& box : ui.boxes) {
    EXPECT_EQ(box.text, "程序正在处理中~！如果强行\r\n退出程序可能导致系统损坏！");
    EXPECT_EQ(box.title, "TovakBack");  // the application's title
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.icon, MessageIcon::None);
  }
  EXPECT_EQ(::SendMessageW(Window(), WM_QUERYENDSESSION, 0, 0), FALSE);
  form.SetJobInProgress(false);
  ::SendMessageW(Window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(ui.boxes.size(), 3u);
}

// The job unloads the window and then asks its restart question: a quit message posted before the
// question would close it at once.
TEST_F(FrmBackTest, TheProgramEndsOnlyAfterTheOkHandlerReturns) {
  bool quitDuringHandler = true;
  form.SetOkHandler([&] {
    form.SetJobInProgress(false);
    form.Unload();
    MSG quit;
    quitDuringHandler = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
  });
  ::SendMessageW(Child(ids::kCmdSure), BM_CLICK, 0, 0);
  EXPECT_FALSE(quitDuringHandler);
  EXPECT_EQ(Window(), nullptr);
  MSG quit;
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FrmBackTest, TheJobsLocksMoveTheFocusOnAndItsCaptionShows) {
  const FormControl locked[] = {FormControl::Cmd_Sure, FormControl::Cmd_Exit,
                                FormControl::Cmd_Path, FormControl::Check_Disk,
                                FormControl::Combo_Compress};
  const int lockedIds[] = {ids::kCmdSure, ids::kCmdExit, ids::kCmdPath, ids::kCheckDisk,
                           ids::kComboCompress};
  for (FormControl control : locked) form.SetEnabled(control, false);
  for (int id : lockedIds) EXPECT_FALSE(::IsWindowEnabled(Child(id))) << id;
  // Keyboard input still has a home: the option buttons and the path box stay enabled.
  EXPECT_EQ(FocusedId(Window()), ids::kOptionBack);
  form.SetCaption("请等待程序正在处理中...");
  EXPECT_EQ(Text(Window()), L"请等待程序正在处理中...");
  for (FormControl control : locked) form.SetEnabled(control, true);
  for (int id : lockedIds) EXPECT_TRUE(::IsWindowEnabled(Child(id))) << id;
  form.FocusPath();
  EXPECT_EQ(FocusedId(Window()), ids::kTextPath);
}

}  // namespace
}  // namespace tovak::ui::testing
