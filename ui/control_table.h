// Frm_Back's design: one row per control, positions in twips relative to the control's container,
// and how a row becomes a child window in pixels.
#pragma once

#include <string>
#include <vector>

namespace tovak::ui {

constexpr const char* kFormName = "Frm_Back";
constexpr const char* kFormCaption = "备份还原工具WINDOWS版";
constexpr int kClientWidthTwips = 4575;
constexpr int kClientHeightTwips = 2265;
constexpr int kTwipsPerInch = 1440;

enum class ControlKind {
  Frame,      // a group box: drawn, but not a window parent
  Container,  // a plain window that holds controls
  OptionButton,
  ComboBox,   // editable text with a drop-down list
  CheckBox,
  Label,
  TextBox,
  CommandButton,
};

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct ControlRow {
  std::string name;
  ControlKind kind;
  std::string container;  // kFormName for the window itself
  std::string caption;    // caption or initial text
  TwipRect twips;
  int tabIndex;
  int id;
  // Other design values.
  bool selected = false;  // an option button's or check box's value
  std::vector<std::string> items = {};
  bool defaultButton = false;
  bool cancelButton = false;
  bool link = false;  // blue, the hand cursor, clicks reported
};

const std::vector<ControlRow>& FrmBackControls();
// The row of that name; the table has every name the window uses.
const ControlRow& FindControl(const std::string& name);

// Rounded to the nearest pixel: 15 twips per pixel at 96 dots per inch.
int TwipsToPixels(int twips, int dpi);

struct PixelPlacement {
  std::string parent;  // the control whose window is the parent, or kFormName
  int x;
  int y;
  int width;
  int height;
};

// Frames are not window parents: a control inside one goes into the frame's own container,
// shifted by the frame's position.
PixelPlacement Place(const std::vector<ControlRow>& table, const ControlRow& control, int dpi);

// The controls whose window parent is `parent`, by tab index: the order of creation, which is
// the z-order, which is the order Tab visits them in.
std::vector<const ControlRow*> CreationOrder(const std::vector<ControlRow>& table,
                                              const std::string& parent);

}  // namespace tovak::ui
