#include <string>

#include "bench/timing.h"
#include "tests/e2e/remote.h"
#include "tests/e2e/tovak_app.h"

namespace tovak::bench {

double OkToRestartQuestion(const std::wstring& tovakExe) {
  e2e::TovakApp app;
  std::wstring why;
  if (!app.Start(tovakExe, why)) return -1;
  HWND ok = app.Control(IDOK);
  const LARGE_INTEGER start = Now();
  e2e::Click(ok);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(app.Window(), &processId);
  e2e::MessageBoxSeen box;
  if (!e2e::WaitUntil([&] {
        box.window = e2e::VisibleTopLevel(processId, L"#32770", nullptr);
        return box.window != nullptr;
      }, 60000, 1)) {
    return -1;
  }
  const double elapsed = Milliseconds(start);
  app.Answer(box, IDNO);
  app.WaitForExit();
  return elapsed;
}

}  // namespace tovak::bench
