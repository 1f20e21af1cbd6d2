// The Win32 control ids of Frm_Back's controls, unique across the whole window, so that another
// process can find each control by id. OK and Exit carry IDOK and IDCANCEL: the dialog manager
// presses them for Enter and Esc.
#pragma once

namespace tovak::ui::ids {

constexpr int kCmdSure = 1;  // IDOK
constexpr int kCmdExit = 2;  // IDCANCEL
constexpr int kFrame1 = 201;
constexpr int kPicture1 = 202;
constexpr int kOptionBack = 203;
constexpr int kOptionRestore = 204;
constexpr int kComboCompress = 205;
constexpr int kCheckDisk = 206;
constexpr int kLabelPath = 207;
constexpr int kTextPath = 208;
constexpr int kCmdPath = 209;
constexpr int kWelCome = 210;
constexpr int kLabelWww = 211;
constexpr int kLabelImage = 212;

}  // namespace tovak::ui::ids

namespace tovak::ui {

// Window class names, for finding the window and its container from outside.
constexpr const wchar_t* kFormClassName = L"TovakFrmBack";
constexpr const wchar_t* kContainerClassName = L"TovakPictureBox";

}  // namespace tovak::ui
