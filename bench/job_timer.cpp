#include <string>

#include "bench/timing.h"
#include "tests/e2e/remote.h"
#include "tests/e2e/tovak_app.h"

namespace tovak::bench {

JobTimes OkToRestartQuestion(const std::wstring& tovakExe) {
  JobTimes times;
  e2e::TovakApp app;
  std::wstring why;
  if (!app.Start(tovakExe, why)) return times;
  HWND ok = app.Control(IDOK);
  const LARGE_INTEGER start = Now();
  e2e::Click(ok);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(app.Window(), &processId);
  e2e::MessageBoxSeen box;
  // The job unloads the window before it asks: the time between is the question's own.
  if (!e2e::WaitUntil([&] {
        if (times.unloaded < 0 && !::IsWindow(app.Window())) times.unloaded = Milliseconds(start);
        box.window = e2e::VisibleTopLevel(processId, L"#32770", nullptr);
        return box.window != nullptr;
      }, 60000, 1)) {
    return JobTimes{};
  }
  times.question = Milliseconds(start);
  app.Answer(box, IDNO);
  app.WaitForExit();
  return times;
}

}  // namespace tovak::bench
