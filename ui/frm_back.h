// The program's only window, Frm_Back: its controls from the control table, its events and the
// close guard. The job driver sees it through JobForm.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "gui/job_form.h"
#include "platform/platform.h"
#include "ui/control_table.h"

namespace tovak::ui {

constexpr const char* kDiskNotice = "选中多硬盘的话需要花一部分时间检测磁盘位置";
constexpr const char* kCloseRefused = "程序正在处理中~！如果强行\r\n退出程序可能导致系统损坏！";
constexpr const char* kBackupPath = "d:\\Nusk";
constexpr const char* kRestorePath = "d:\\Nusk\\Nusk.gho";

class FrmBack final : public JobForm {
 public:
  FrmBack(HINSTANCE instance, Platform& platform);
  ~FrmBack() override;
  FrmBack(const FrmBack&) = delete;
  FrmBack& operator=(const FrmBack&) = delete;

  // What the OK button runs.
  void SetOkHandler(std::function<void()> handler) { okHandler_ = std::move(handler); }
  // Creates the window with every control's design values, shows it and focuses Cmd_Sure.
  bool Create(int showCommand);
  HWND Handle() const { return window_; }
  HWND Control(int id) const;
  // Tab, the access keys, Enter and Esc; true when the message was taken. The default button
  // follows the focus after each message taken.
  bool HandleDialogKeys(MSG& message);

  std::string PathText() override;
  bool BackupSelected() override;
  bool DiskTicked() override;
  std::string CompressionText() override;
  std::string IdleCaption() override { return kFormCaption; }
  void SetCaption(const std::string& caption) override;
  void SetEnabled(FormControl control, bool enabled) override;
  void FocusPath() override;
  void SetJobInProgress(bool inProgress) override { jobInProgress_ = inProgress; }
  void Unload() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls(int dpi);
  void FitLinkToItsText();
  void RememberFocus(bool activated);
  std::string ReadText(int id);
  void WriteText(int id, const std::string& text);
  // Label_Image says what the path box names: an image file's size and time, or nothing.
  void ShowImageAtPath();

  // The events (frm_back_events.cpp).
  void OnCommand(int id, int code);
  void OnOkClick();
  void OnOptionClick(int id);
  void OnDiskClick();
  void OnPathFocus();
  // As the dialog manager does it: the push button with the focus is the default, else OK.
  void FollowFocus();
  void MakeDefault(HWND button);
  void OnBrowseClick();
  void OnLinkClick();
  bool OnSetCursor(HWND over, UINT mouseMessage);
  void OnMouseMove(POINT point);
  void SetLinkHover(bool hover);
  LRESULT LinkColours(HDC dc);
  // The close guard: false, after its message, while a job runs.
  bool CloseAllowed();
  void OnDestroy();

  HINSTANCE instance_;
  Platform& platform_;
  std::function<void()> okHandler_;
  HWND window_ = nullptr;
  std::map<int, HWND> controls_;
  HFONT font_;
  HFONT underlinedFont_ = nullptr;
  HCURSOR hand_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool jobInProgress_ = false;
  bool linkHover_ = false;
  // The job unloads the window and then asks its restart question: the program may end only
  // after the OK handler has returned, or the question would take the quit message and vanish.
  bool inOkClick_ = false;
  bool quitAfterOk_ = false;
};

}  // namespace tovak::ui
