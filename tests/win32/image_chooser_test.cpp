// The Browse button's dialogs, answered from a second thread as a user would answer them.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "tests/win32/dialog_answerer.h"
#include "tests/win32/frm_back_fixture.h"
#include "ui/control_ids.h"
#include "ui/dialog_text.h"
#include "ui/file_dialog.h"

namespace tovak::ui::testing {
namespace {

void Cancel(HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }

std::string ExistingImage() {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "tovak-chooser.gho";
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ::CloseHandle(file);
  return path;
}

TEST(FileDialog, OpenModeReturnsTheChosenFileAndEmptyOnCancel) {
  const std::string image = ExistingImage();
  const std::string filter = FilterString({{"镜象文件 (*.gho)", "*.gho"}});
  {
    DialogAnswerer answer([&image](HWND dialog) {
      // The file name box of the open dialog (cmb13, or edt1 in the old style).
      if (!::SetDlgItemTextA(dialog, 0x47C, image.c_str())) {
        ::SetDlgItemTextA(dialog, 0x480, image.c_str());
      }
      ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ShowFileDialog(nullptr, kOpenFileMode, "请选择镜象文件...", "", filter, "C:\\", ""),
              image);
    EXPECT_EQ(answer.title, L"请选择镜象文件...");
  }
  {
    DialogAnswerer answer(Cancel);
    EXPECT_EQ(ShowFileDialog(nullptr, kOpenFileMode, "t", "", filter, "C:\\", ""), "");
  }
  ::DeleteFileA(image.c_str());
}

TEST_F(FrmBackTest, BrowseInBackupModeTakesTheChosenFolder) {
  {
    DialogAnswerer answer([](HWND dialog) {
      ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(L"C:\\windows"));
      ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ::SendMessageW(Child(ids::kCmdPath), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(form.PathText(), "C:\\windows");
  {
    DialogAnswerer answer(Cancel);
    ::SendMessageW(Child(ids::kCmdPath), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(form.PathText(), "C:\\windows");
}

TEST_F(FrmBackTest, BrowseInRestoreModeOpensTheImageDialogAndCancelChangesNothing) {
  ::SendMessageW(Child(ids::kOptionRestore), BM_CLICK, 0, 0);
  ::SetWindowTextW(Child(ids::kTextPath), L"e:\\typed.gho");
  std::wstring title;
  {
    DialogAnswerer answer(Cancel);
    ::SendMessageW(Child(ids::kCmdPath), BM_CLICK, 0, 0);
    title = answer.title;
  }
  EXPECT_EQ(title, L"请选择镜象文件...");
  EXPECT_EQ(form.PathText(), "e:\\typed.gho");
}

}  // namespace
}  // namespace tovak::ui::testing
