// Frm_Back in this process, with its message boxes recorded instead of shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/user_interface.h"
#include "platform/win32/win32_platform.h"
#include "ui/frm_back.h"

namespace tovak::ui::testing {

class RecordingUi final : public UserInterface {
 public:
  struct Box {
    std::string text;
    std::string title;
    MessageButtons buttons;
    MessageIcon icon;
  };
  MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                            MessageButtons buttons, MessageIcon icon) override {
    boxes.push_back({text, title, buttons, icon});
    return MessageAnswer::Ok;
  }
  void PumpMessages() override {}
  std::vector<Box> boxes;
};

class FrmBackTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form.Create(SW_SHOWNORMAL)); }
  void TearDown() override {
    if (form.Handle()) ::DestroyWindow(form.Handle());
    // The window's end posts the quit message; the next case must not find it.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
  }

  HWND Window() { return form.Handle(); }
  HWND Child(int id) { return form.Control(id); }
  static std::wstring Text(HWND window) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(window, buffer, 512);
    return buffer;
  }
  static bool Checked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // A key as the message loop would see it, handed to the dialog manager.
  bool PressKey(UINT message, WPARAM key, LPARAM flags = 0) {
    MSG msg{::GetFocus(), message, key, flags, 0, {}};
    return form.HandleDialogKeys(msg);
  }

  RecordingUi ui;
  Win32Platform win32;
  Platform platform{win32.platform().files,     win32.platform().profile, ui,
                    win32.platform().system,    win32.platform().resources,
                    win32.platform().text,      win32.platform().lastError};
  FrmBack form{::GetModuleHandleW(nullptr), platform};
};

}  // namespace tovak::ui::testing
