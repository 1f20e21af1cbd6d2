// The Browse button's dialogs, answered from a second thread as a user would answer them.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>

#include "tests/win32/frm_back_fixture.h"
#include "ui/control_ids.h"
#include "ui/dialog_text.h"
#include "ui/file_dialog.h"

namespace tovak::ui::testing {
namespace {

// Waits for the first dialog box a thread shows and acts on it; the dialog runs modally on the
// thread under test meanwhile.
class DialogAnswerer {
 public:
  DialogAnswerer(std::function<void(HWND)> act)
      : act_(std::move(act)), owner_(::GetCurrentThreadId()) {
    thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  ~DialogAnswerer() {
    ::WaitForSingleObject(thread_, 20000);
    ::CloseHandle(thread_);
  }
  std::wstring title;  // the dialog's caption, once found

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (!::IsWindowVisible(window) || wcscmp(className, L"#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static DWORD WINAPI Run(void* self) {
    auto* answerer = static_cast<DialogAnswerer*>(self);
    for (int tries = 0; tries < 300; ++tries) {
      HWND dialog = nullptr;
      ::EnumThreadWindows(answerer->owner_, Find, reinterpret_cast<LPARAM>(&dialog));
      if (dialog) {
        ::Sleep(300);  // let the dialog finish setting itself up
        wchar_t caption[128] = {};
        ::GetWindowTextW(dialog, caption, 128);
        answerer->title = caption;
        answerer->act_(dialog);
        return 0;
      }
      ::Sleep(50);
    }
    return 1;
  }

  std::function<void(HWND)> act_;
  DWORD owner_;
  HANDLE thread_;
};

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
