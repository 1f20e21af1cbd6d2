#include "tests/e2e/command_run.h"

#include "tests/e2e/e2e_env.h"

namespace tovak::e2e {
namespace {

// Starts Tovak.exe with the arguments and these standard handles; false when it cannot start.
bool Launch(const std::wstring& arguments, HANDLE output, PROCESS_INFORMATION& process) {
  const std::wstring exe = BuildFolder() + L"Tovak.exe";
  std::wstring line = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  return ::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, output != nullptr, 0, nullptr,
                          nullptr, &startup, &process);
}

void Finish(PROCESS_INFORMATION& process, DWORD timeoutMs, CommandRun& run) {
  run.ended = ::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (!run.ended) ::TerminateProcess(process.hProcess, 1);
  ::GetExitCodeProcess(process.hProcess, &run.exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

}  // namespace

CommandRun RunTovak(const std::wstring& arguments, DWORD timeoutMs) {
  CommandRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  // Large enough for everything the program writes, so that it never waits on this reader.
  if (!::CreatePipe(&read, &write, &inherit, 1 << 16)) return run;
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  PROCESS_INFORMATION process{};
  const bool started = Launch(arguments, write, process);
  ::CloseHandle(write);
  if (started) {
    Finish(process, timeoutMs, run);
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      run.output.append(buffer, got);
    }
  }
  ::CloseHandle(read);
  return run;
}

std::vector<std::wstring> RunTovakOnConsole(const std::wstring& prompt,
                                            const std::wstring& arguments, CommandRun& run) {
  std::vector<std::wstring> lines;
  ::FreeConsole();
  if (!::AllocConsole()) return lines;
  HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
  DWORD count = 0;
  ::WriteConsoleW(console, prompt.data(), static_cast<DWORD>(prompt.size()), &count, nullptr);
  PROCESS_INFORMATION process{};
  if (Launch(arguments, nullptr, process)) Finish(process, 60000, run);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  ::GetConsoleScreenBufferInfo(console, &info);
  for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
    std::wstring line(static_cast<std::size_t>(info.dwSize.X), L' ');
    ::ReadConsoleOutputCharacterW(console, &line[0], info.dwSize.X, COORD{0, row}, &count);
    lines.push_back(line.substr(0, line.find_last_not_of(L' ') + 1));
  }
  ::CloseHandle(console);
  return lines;
}

std::string Ansi(const std::string& utf8) {
  const std::wstring wide = Wide(utf8);
  std::string ansi(wide.size() * 2, '\0');
  ansi.resize(static_cast<std::size_t>(::WideCharToMultiByte(
      CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0],
      static_cast<int>(ansi.size()), nullptr, nullptr)));
  return ansi;
}

bool RestartProbe::asked_ = false;

RestartProbe::RestartProbe() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TovakRestartProbe";
  ::RegisterClassW(&windowClass);
  window_ = ::CreateWindowW(L"TovakRestartProbe", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                            nullptr, windowClass.hInstance, nullptr);
}

RestartProbe::~RestartProbe() {
  if (window_) ::DestroyWindow(window_);
}

LRESULT CALLBACK RestartProbe::Procedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  if (message != WM_QUERYENDSESSION) return ::DefWindowProcW(window, message, wParam, lParam);
  asked_ = true;
  return FALSE;
}

bool RestartProbe::Asked(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!asked_ && ::GetTickCount() - start < timeoutMs) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  return asked_;
}

}  // namespace tovak::e2e
