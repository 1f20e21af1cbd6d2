#include <vector>

#include "bench/timing.h"
#include "tests/e2e/remote.h"

namespace tovak::bench {

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now;
}

double Milliseconds(LARGE_INTEGER since) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(Now().QuadPart - since.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

double StartToVisible(const std::wstring& exe, const wchar_t* className) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::vector<wchar_t> commandLine(exe.begin(), exe.end());
  commandLine.push_back(L'\0');
  const LARGE_INTEGER start = Now();
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
    return -1;
  }
  HWND window = nullptr;
  double elapsed = -1;
  // Polled finely: the figure is tens of milliseconds.
  if (e2e::WaitUntil([&] {
        window = e2e::VisibleTopLevel(process.dwProcessId, className, nullptr);
        return window != nullptr;
      }, 20000, 1)) {
    elapsed = Milliseconds(start);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace tovak::bench
