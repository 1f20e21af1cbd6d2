#include "ui/control_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tovak::ui {
namespace {

TEST(ControlTable, IsConsistent) {
  const auto& table = FrmBackControls();
  std::set<std::string> names;
  std::set<int> ids;
  int defaults = 0, cancels = 0;
  for (const ControlRow& c : table) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    // The window finds its controls by id across containers, so ids are unique window-wide.
    EXPECT_TRUE(ids.insert(c.id).second) << c.name;
    defaults += c.defaultButton;
    cancels += c.cancelButton;
    if (c.container == kFormName) continue;
    const ControlRow& container = FindControl(c.container);
    EXPECT_TRUE(container.kind == ControlKind::Frame || container.kind == ControlKind::Container)
        << c.name;
  }
  EXPECT_EQ(table.size(), 14u);
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(cancels, 1);
  // The dialog manager presses IDOK for Enter and IDCANCEL for Esc.
  EXPECT_TRUE(FindControl("Cmd_Sure").defaultButton && FindControl("Cmd_Sure").id == 1);
  EXPECT_TRUE(FindControl("Cmd_Exit").cancelButton && FindControl("Cmd_Exit").id == 2);
  EXPECT_THROW(FindControl("Frm_Nothing"), std::out_of_range);
}

TEST(ControlTable, PlacesControlsInPixelsAtTheScreensDpi) {
  struct Case {
    const char* name;
    int dpi;
    PixelPlacement want;
  } cases[] = {
      {"Frame1", 96, {kFormName, 8, 8, 289, 89}},
      // Inside the frame, but a child of the window: shifted by the frame's position.
      {"Picture1", 96, {kFormName, 11, 24, 281, 65}},
      {"Option_Back", 96, {"Picture1", 8, 8, 65, 17}},
      {"Combo_Compress", 96, {"Picture1", 136, 7, 73, 20}},
      {"Text_Path", 96, {"Picture1", 40, 40, 173, 18}},
      {"Cmd_Sure", 96, {kFormName, 182, 112, 57, 25}},
      {"Label_WWW", 96, {kFormName, 67, 119, 97, 16}},
      {"Label_Image", 96, {kFormName, 8, 98, 289, 14}},
      {"Cmd_Sure", 120, {kFormName, 228, 140, 71, 31}},
      {"Cmd_Sure", 144, {kFormName, 273, 168, 86, 38}},
      {"Picture1", 144, {kFormName, 16, 36, 422, 98}},
  };
  for (const Case& c : cases) {
    const PixelPlacement got = Place(FrmBackControls(), FindControl(c.name), c.dpi);
    const std::string what = std::string(c.name) + " at " + std::to_string(c.dpi);
    EXPECT_EQ(got.parent, c.want.parent) << what;
    EXPECT_EQ(got.x, c.want.x) << what;
    EXPECT_EQ(got.y, c.want.y) << what;
    EXPECT_EQ(got.width, c.want.width) << what;
    EXPECT_EQ(got.height, c.want.height) << what;
  }
  EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 96), 305);
  EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 96), 151);
  EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 120), 381);
  EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 120), 189);
}

// The image line sits in the free space between the frame and the buttons: at any DPI, after
// rounding, it meets none of the window's other children.
TEST(ControlTable, TheImageLineMeetsNoOtherControlAtAnyDpi) {
  const auto& table = FrmBackControls();
  for (int dpi : {96, 120, 144, 192}) {
    const PixelPlacement line = Place(table, FindControl("Label_Image"), dpi);
    for (const ControlRow& other : table) {
      const PixelPlacement placed = Place(table, other, dpi);
      if (other.name == "Label_Image" || placed.parent != kFormName) continue;
      const bool apart = line.y + line.height <= placed.y || placed.y + placed.height <= line.y ||
                         line.x + line.width <= placed.x || placed.x + placed.width <= line.x;
      EXPECT_TRUE(apart) << other.name << " at " << dpi;
    }
  }
}

TEST(ControlTable, NestedFramesRoundTheSumOnce) {
  const std::vector<ControlRow> table = {
      {"Outer", ControlKind::Frame, kFormName, "", {10, 10, 900, 900}, 0, 1},
      {"Inner", ControlKind::Frame, "Outer", "", {10, 10, 600, 600}, 1, 2},
      {"Box", ControlKind::CheckBox, "Inner", "", {10, 10, 300, 300}, 2, 3},
  };
  const PixelPlacement box = Place(table, table[2], 96);
  EXPECT_EQ(box.parent, kFormName);
  // 30 twips are 2 pixels; rounding each 10 twips on its own would give 3.
  EXPECT_EQ(box.x, 2);
  EXPECT_EQ(box.y, 2);
}

std::vector<std::string> Names(const std::vector<const ControlRow*>& controls) {
  std::vector<std::string> names;
  for (const ControlRow* c : controls) names.push_back(c->name);
  return names;
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Frame && kind != ControlKind::Container && kind != ControlKind::Label;
}

// Tab as Win32 does it: each parent's children in z-order, into containers, the radio group at its
// selected button.
void Walk(const std::string& parent, std::vector<std::string>& visited) {
  for (const ControlRow* c : CreationOrder(FrmBackControls(), parent)) {
    if (c->kind == ControlKind::Container) Walk(c->name, visited);
    if (!TakesFocus(c->kind)) continue;
    if (c->kind == ControlKind::OptionButton && !c->selected) continue;
    visited.push_back(c->name);
  }
}

TEST(ControlTable, TabVisitsTheControlsInTabIndexOrder) {
  EXPECT_EQ(Names(CreationOrder(FrmBackControls(), kFormName)),
            (std::vector<std::string>{"Cmd_Sure", "Cmd_Exit", "Frame1", "Picture1", "WelCome",
                                      "Label_WWW", "Label_Image"}));
  EXPECT_EQ(Names(CreationOrder(FrmBackControls(), "Picture1")),
            (std::vector<std::string>{"Option_Restore", "Option_Back", "Text_Path", "Cmd_Path",
                                      "Label_Path", "Combo_Compress", "Check_Disk"}));
  EXPECT_TRUE(CreationOrder(FrmBackControls(), "Frame1").empty());

  // The focusable controls by tab index, the option group entered at its selected button.
  std::vector<const ControlRow*> byIndex;
  for (const ControlRow& c : FrmBackControls()) byIndex.push_back(&c);
  std::sort(byIndex.begin(), byIndex.end(),
            [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
  std::vector<std::string> designed;
  for (const ControlRow* c : byIndex) {
    if (TakesFocus(c->kind) && !(c->kind == ControlKind::OptionButton && !c->selected)) {
      designed.push_back(c->name);
    }
  }
  std::vector<std::string> visited;
  Walk(kFormName, visited);
  EXPECT_EQ(visited, designed);
  EXPECT_EQ(visited.front(), "Cmd_Sure");  // tab index 0 holds the focus at start
}

}  // namespace
}  // namespace tovak::ui
