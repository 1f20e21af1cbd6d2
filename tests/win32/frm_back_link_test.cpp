// The link's look as the pointer moves, read the way Windows draws it: the font the label holds
// and the text colour the window gives its drawing context.
#include <gtest/gtest.h>

#include "tests/win32/frm_back_fixture.h"
#include "ui/control_ids.h"

namespace tovak::ui::testing {
namespace {

struct Look {
  COLORREF colour;
  bool underlined;
};

class LinkLookTest : public FrmBackTest {
 protected:
  Look CurrentLook() {
    HWND link = Child(ids::kLabelWww);
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(link));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return {colour, font.lfUnderline != 0};
  }

  // The link's own moves reach the window as its question for the cursor; moves over the window,
  // or over the labels and the frame that let the pointer through, as its own mouse moves.
  void MoveOverLink() {
    ::SendMessageW(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Child(ids::kLabelWww)),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  void MoveOverControl(int id) {
    ::SendMessageW(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Child(id)),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  void MoveOverWindow(POINT clientPoint) {
    ::SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(clientPoint.x, clientPoint.y));
  }

  POINT CentreOf(int id) {
    RECT rect;
    ::GetWindowRect(Child(id), &rect);
    ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }

  void ExpectLook(bool hover, const char* where) {
    SCOPED_TRACE(where);
    const Look look = CurrentLook();
    EXPECT_EQ(look.colour, hover ? RGB(255, 0, 255) : RGB(0, 0, 255));
    EXPECT_EQ(look.underlined, hover);
  }
};

TEST_F(LinkLookTest, HoverOverTheLinkRestOverTheBackgroundOrWelcome) {
  ExpectLook(false, "at start");
  MoveOverLink();
  ExpectLook(true, "over the link");

  // Other controls change nothing, the frame's border included.
  MoveOverControl(ids::kCmdPath);
  ExpectLook(true, "over Cmd_Path");
  RECT frame;
  ::GetWindowRect(Child(ids::kFrame1), &frame);
  ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&frame), 2);
  MoveOverWindow({frame.left + 1, (frame.top + frame.bottom) / 2});
  ExpectLook(true, "over the frame's border");

  MoveOverWindow(CentreOf(ids::kWelCome));
  ExpectLook(false, "over WelCome");
  MoveOverLink();
  ExpectLook(true, "over the link again");
  MoveOverWindow({2, 2});  // the window's own background
  ExpectLook(false, "over the background");
}

}  // namespace
}  // namespace tovak::ui::testing
