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
// From the posted click on OK to the window's unload (the job done) and on to the restart question,
// a default backup on the prepared C:.
struct JobTimes {
  double unloaded = -1;
  double question = -1;
};
JobTimes OkToRestartQuestion(const std::wstring& tovakExe);
// CopyFileA of each named file from one folder into another (emptied first), and with
// `flushEach` FlushFileBuffers of each copy.
double CopyWithCopyFileA(const std::string& from, const std::string& to,
                         const std::vector<std::string>& names, bool flushEach);

}  // namespace tovak::bench
