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

// A default backup through the window: from the posted click on OK until the window is gone,
// and the job's own steps within it as Tovak.exe timed them; the restart question is answered No.
struct WindowJobTimes {
  double gone = -1;
  double job = -1;
};
WindowJobTimes OkToWindowGone(const std::wstring& tovakExe);
// The same click on the window of the same controls, which only disables them and is destroyed.
double ControlsOkToWindowGone(const std::wstring& controlsExe);
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
