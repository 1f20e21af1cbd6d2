// The Browse button's dialogs, answered from a second thread as a user would answer them.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// Types the path into the open dialog's file name box (cmb13, or edt1 in the old style) and
// opens it.
std::function<void(HWND)> Choose(const std::string& file) {
  return [file](HWND dialog) {
    if (!::SetDlgItemTextA(dialog, 0x47C, file.c_str())) {
      ::SetDlgItemTextA(dialog, 0x480, file.c_str());
    }
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  };
}

TEST(FileDialog, OpenModeReturnsTheChosenFileAndEmptyOnCancel) {
  const std::string image = ExistingImage();
  const std::string filter = FilterString({{"镜象文件 (*.gho)", "*.gho"}});
  {
    DialogAnswerer answer(Choose(image));
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

// The chosen image's line shows at once: the path was set by the window, not typed.
TEST_F(FrmBackTest, BrowseInRestoreModeTakesTheChosenImageAndShowsItsLine) {
  const std::string image = ExistingImage();
  ::SendMessageW(Child(ids::kOptionRestore), BM_CLICK, 0, 0);
  {
    DialogAnswerer answer(Choose(image));
    ::SendMessageW(Child(ids::kCmdPath), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(form.PathText(), image);
  EXPECT_EQ(Text(Child(ids::kLabelImage)).rfind(L"已有镜象文件：0 字节，", 0), 0u)
      << Text(Child(ids::kLabelImage)).size();
  ::DeleteFileA(image.c_str());
}

}  // namespace
}  // namespace tovak::ui::testing
