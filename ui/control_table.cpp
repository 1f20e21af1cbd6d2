#include "ui/control_table.h"

#include <algorithm>
#include <stdexcept>

#include "ui/control_ids.h"
#include "ui/maker_address.h"

namespace tovak::ui {
namespace {

std::vector<ControlRow> MakeTable() {
  using K = ControlKind;
  std::vector<ControlRow> table = {
      {"Frame1", K::Frame, kFormName, "选项", {120, 120, 4335, 1335}, 2, ids::kFrame1},
      {"Picture1", K::Container, "Frame1", "", {40, 240, 4215, 975}, 3, ids::kPicture1},
      {"Option_Back", K::OptionButton, "Picture1", "备份(&B)", {120, 120, 975, 255}, 5,
       ids::kOptionBack},
      {"Option_Restore", K::OptionButton, "Picture1", "恢复(&R)", {1080, 120, 975, 255}, 4,
       ids::kOptionRestore},
      {"Combo_Compress", K::ComboBox, "Picture1", "压缩比率", {2040, 100, 1095, 300}, 11,
       ids::kComboCompress},
      {"Check_Disk", K::CheckBox, "Picture1", "多硬盘？", {3160, 120, 1095, 255}, 12,
       ids::kCheckDisk},
      {"Label_Path", K::Label, "Picture1", "路径:", {120, 650, 495, 255}, 8, ids::kLabelPath},
      {"Text_Path", K::TextBox, "Picture1", "d:\\Nusk", {600, 600, 2600, 270}, 6, ids::kTextPath},
      {"Cmd_Path", K::CommandButton, "Picture1", "浏览(&B)", {3260, 580, 855, 295}, 7,
       ids::kCmdPath},
      {"Cmd_Sure", K::CommandButton, kFormName, "确定(&O)", {2730, 1680, 855, 375}, 0,
       ids::kCmdSure},
      {"Cmd_Exit", K::CommandButton, kFormName, "退出(&X)", {3580, 1680, 855, 375}, 1,
       ids::kCmdExit},
      {"WelCome", K::Label, kFormName, "技术支持:", {120, 1780, 855, 255}, 9, ids::kWelCome},
      {"Label_WWW", K::Label, kFormName, TOVAK_MAKER_ADDRESS, {1005, 1785, 1455, 240}, 10,
       ids::kLabelWww},
      {"Label_Image", K::Label, kFormName, "", {120, 1465, 4335, 210}, 13, ids::kLabelImage},
  };
  auto row = [&table](const char* name) -> ControlRow& {
    return *std::find_if(table.begin(), table.end(),
                         [name](const ControlRow& c) { return c.name == name; });
  };
  row("Option_Back").selected = true;
  row("Combo_Compress").items = {"z3", "z6", "z9"};
  row("Cmd_Sure").defaultButton = true;
  row("Cmd_Exit").cancelButton = true;
  row("Label_WWW").link = true;
  return table;
}

const ControlRow* Lookup(const std::vector<ControlRow>& table, const std::string& name) {
  for (const ControlRow& control : table) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

}  // namespace

const std::vector<ControlRow>& FrmBackControls() {
  static const std::vector<ControlRow> table = MakeTable();
  return table;
}

const ControlRow& FindControl(const std::string& name) {
  const ControlRow* control = Lookup(FrmBackControls(), name);
  if (!control) throw std::out_of_range("no control " + name);
  return *control;
}

int TwipsToPixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

PixelPlacement Place(const std::vector<ControlRow>& table, const ControlRow& control, int dpi) {
  PixelPlacement placed{control.container, control.twips.left, control.twips.top, 0, 0};
  // The sum in twips is rounded once, so nested frames add no rounding error.
  for (const ControlRow* frame = Lookup(table, placed.parent);
       frame && frame->kind == ControlKind::Frame; frame = Lookup(table, placed.parent)) {
    placed.x += frame->twips.left;
    placed.y += frame->twips.top;
    placed.parent = frame->container;
  }
  placed.x = TwipsToPixels(placed.x, dpi);
  placed.y = TwipsToPixels(placed.y, dpi);
  placed.width = TwipsToPixels(control.twips.width, dpi);
  placed.height = TwipsToPixels(control.twips.height, dpi);
  return placed;
}

std::vector<const ControlRow*> CreationOrder(const std::vector<ControlRow>& table,
                                              const std::string& parent) {
  std::vector<const ControlRow*> children;
  for (const ControlRow& control : table) {
    if (Place(table, control, kTwipsPerInch).parent == parent) children.push_back(&control);
  }
  std::stable_sort(children.begin(), children.end(), [](const ControlRow* a, const ControlRow* b) {
    return a->tabIndex < b->tabIndex;
  });
  return children;
}

}  // namespace tovak::ui
