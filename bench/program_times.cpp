#include <string>
#include <vector>

#include "bench/timing.h"
#include "tests/e2e/remote.h"

namespace tovak::bench {
namespace {

constexpr wchar_t kBenchVariable[] = L"TOVAK_BENCH";

// A program started with the bench's variable and its standard output a pipe, read at its end.
class Program {
 public:
  Program(const std::wstring& exe, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!::CreatePipe(&read_, &write, &inherit, 0)) return;
    ::SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    ::SetEnvironmentVariableW(kBenchVariable, L"1");
    started_ = ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                nullptr, nullptr, &startup, &process_) != 0;
    ::SetEnvironmentVariableW(kBenchVariable, nullptr);
    ::CloseHandle(write);
  }
  ~Program() {
    if (started_) {
      if (::WaitForSingleObject(process_.hProcess, 5000) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.hProcess, 1);
      }
      ::CloseHandle(process_.hThread);
      ::CloseHandle(process_.hProcess);
    }
    if (read_) ::CloseHandle(read_);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Started() const { return started_; }

  // A visible top-level window of that class, once the program waits for input.
  HWND WaitForWindow(const wchar_t* className) const {
    HWND window = nullptr;
    if (!e2e::WaitUntil([&] {
          window = e2e::VisibleTopLevel(process_.dwProcessId, className, nullptr);
          return window != nullptr;
        }, 20000, 1)) {
      return nullptr;
    }
    ::WaitForInputIdle(process_.hProcess, 5000);
    return window;
  }

  // The restart question that follows the window, answered No; false when none came.
  bool AnswerNo() const {
    HWND box = nullptr;
    if (!e2e::WaitUntil([&] {
          box = e2e::VisibleTopLevel(process_.dwProcessId, L"#32770", nullptr);
          return box != nullptr;
        }, 20000, 1)) {
      return false;
    }
    if (HWND no = ::GetDlgItem(box, IDNO)) e2e::Click(no);
    return true;
  }

  // What the program reported as "tovak-bench MARK N us", in milliseconds, once it ended with the
  // code of a prepared job; negative when it did not, or reported no such time.
  double Reported(const char* mark) {
    if (!ended_) {
      ended_ = true;
      DWORD code = 1;
      exitedDone_ = ::WaitForSingleObject(process_.hProcess, 60000) == WAIT_OBJECT_0 &&
                    ::GetExitCodeProcess(process_.hProcess, &code) && code == 0;
      char buffer[4096];
      DWORD got = 0;
      while (exitedDone_ && ::ReadFile(read_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output_.append(buffer, got);
      }
    }
    const std::string prefix = std::string("tovak-bench ") + mark + " ";
    const std::size_t at = output_.find(prefix);
    if (!exitedDone_ || at == std::string::npos) return -1;
    return std::stod(output_.substr(at + prefix.size())) / 1000.0;
  }

 private:
  HANDLE read_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
  bool ended_ = false;
  bool exitedDone_ = false;
  std::string output_;
};

// From the posted click on the window's OK until the bench sees the window gone. It looks every
// millisecond or so, so it sees it up to that much late.
double ClickUntilGone(HWND window) {
  HWND ok = e2e::ControlWithId(window, IDOK);
  if (!ok) return -1;
  const LARGE_INTEGER start = Now();
  e2e::Click(ok);
  if (!e2e::WaitUntil([&] { return !::IsWindow(window); }, 60000, 1)) return -1;
  return Milliseconds(start);
}

// OK pressed on the program's window of that class, and its restart question answered No; the
// job's time stays negative for a program that prepares none.
WindowTimes PressOk(const std::wstring& exe, const wchar_t* windowClass) {
  Program program(exe, L"");
  HWND window = program.Started() ? program.WaitForWindow(windowClass) : nullptr;
  if (!window) return {};
  WindowTimes times;
  times.seen = ClickUntilGone(window);
  if (!program.AnswerNo()) return {};
  times.ok = program.Reported("ok");
  times.job = program.Reported("job");
  return times;
}

}  // namespace

WindowTimes OkToWindowGone(const std::wstring& tovakExe) {
  return PressOk(tovakExe, L"TovakFrmBack");
}

WindowTimes ControlsOkToWindowGone(const std::wstring& controlsExe) {
  return PressOk(controlsExe, L"ControlsWindow");
}

double CommandLineJob(const std::wstring& tovakExe, const std::wstring& arguments) {
  Program tovak(tovakExe, arguments);
  return tovak.Started() ? tovak.Reported("job") : -1;
}

}  // namespace tovak::bench
