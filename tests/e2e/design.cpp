#include "tests/e2e/design.h"

#include <windows.h>

#include "tests/e2e/e2e_env.h"
#include "ui/control_ids.h"
#include "ui/maker_address.h"

namespace tovak::e2e {

// The frame is drawn but is no window: Picture1, placed in it at (40, 240), sits in the window at
// the frame's (120, 120) plus that.
const std::vector<Designed>& Design() {
  namespace ids = ui::ids;
  constexpr int kNone = kNotAButton;
  static const std::vector<Designed> rows = {
      {"Frame1", ids::kFrame1, 0, L"Button", L"选项", 120, 120, 4335, 1335, BS_GROUPBOX, false},
      {"Picture1", ids::kPicture1, 0, L"TovakPictureBox", L"", 160, 360, 4215, 975, kNone, false},
      {"Option_Back", ids::kOptionBack, ids::kPicture1, L"Button", L"备份(&B)", 120, 120, 975, 255,
       BS_AUTORADIOBUTTON, true},
      {"Option_Restore", ids::kOptionRestore, ids::kPicture1, L"Button", L"恢复(&R)", 1080, 120,
       975, 255, BS_AUTORADIOBUTTON, false},
      {"Combo_Compress", ids::kComboCompress, ids::kPicture1, L"ComboBox", L"压缩比率", 2040, 100,
       1095, 300, kNone, false},
      {"Check_Disk", ids::kCheckDisk, ids::kPicture1, L"Button", L"多硬盘？", 3160, 120, 1095, 255,
       BS_AUTOCHECKBOX, false},
      {"Label_Path", ids::kLabelPath, ids::kPicture1, L"Static", L"路径:", 120, 650, 495, 255,
       kNone, false},
      {"Text_Path", ids::kTextPath, ids::kPicture1, L"Edit", L"d:\\Nusk", 600, 600, 2600, 270,
       kNone, false},
      {"Cmd_Path", ids::kCmdPath, ids::kPicture1, L"Button", L"浏览(&B)", 3260, 580, 855, 295,
       BS_PUSHBUTTON, false},
      {"Cmd_Sure", ids::kCmdSure, 0, L"Button", L"确定(&O)", 2730, 1680, 855, 375,
       BS_DEFPUSHBUTTON, false},
      {"Cmd_Exit", ids::kCmdExit, 0, L"Button", L"退出(&X)", 3580, 1680, 855, 375, BS_PUSHBUTTON,
       false},
      {"WelCome", ids::kWelCome, 0, L"Static", L"技术支持:", 120, 1780, 855, 255, kNone, false},
      {"Label_WWW", ids::kLabelWww, 0, L"Static", Wide(TOVAK_MAKER_ADDRESS), 1005, 1785, 1455, 240,
       kNone, false},
      // Empty while the path names no image file.
      {"Label_Image", ids::kLabelImage, 0, L"Static", L"", 120, 1465, 4335, 210, kNone, false},
  };
  return rows;
}

}  // namespace tovak::e2e
