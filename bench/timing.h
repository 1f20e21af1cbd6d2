// The bench's measurements: each returns milliseconds, or a negative number when it failed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tovak::bench {

double Milliseconds(LARGE_INTEGER since);
LARGE_INTEGER Now();

// From CreateProcess to a visible top-level window of that class; the program is closed after.
double StartToVisible(const std::wstring& exe, const wchar_t* className);

// A press of OK on a window: from the posted click until the bench saw the window gone, and as
// the program itself timed it, from the press reaching the window to the window destroyed; for
// Tovak.exe also the job's own steps within it. Each negative when not taken.
struct WindowTimes {
  double seen = -1;
  double ok = -1;
  double job = -1;
};
// A default backup through Tovak's window; its restart question is answered No.
WindowTimes OkToWindowGone(const std::wstring& tovakExe);
// The same click on the window of the same controls, which shows the wait caption, disables the
// controls a job locks and is destroyed; its restart question is answered No.
WindowTimes ControlsOkToWindowGone(const std::wstring& controlsExe);
// The job's own steps of Tovak.exe run with these arguments, as it timed them.
double CommandLineJob(const std::wstring& tovakExe, const std::wstring& arguments);

// The floor of a job's work: every file a prepared job left on C: written by CopyFileA from the
// same bytes, each flushed, its folders made, into a folder of its own.
class JobFloor {
 public:
  // Takes the files and folders from C: as a prepared job left it.
  bool Take();
  double Write() const;

 private:
  std::vector<std::string> folders_;  // from the root, parents first
  std::vector<std::string> files_;
};

}  // namespace tovak::bench
