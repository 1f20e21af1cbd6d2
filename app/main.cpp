// Tovak.exe: with no arguments the window, the job behind its OK button, and the message loop that
// runs until the window is gone; with arguments the same job from the command line.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/bench_timer.h"
#include "app/console_output.h"
#include "cli/command_line.h"
#include "cli/quiet_platform.h"
#include "cli/run_command.h"
#include "disks/wmi.h"
#include "gui/job_driver.h"
#include "gui/start_boxes.h"
#include "payload/payload_deployment.h"
#include "platform/shut_down.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "ui/frm_back.h"

namespace {

int RunMessageLoop(tovak::ui::FrmBack& form) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.HandleDialogKeys(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// No window and no box: the lines go to the caller, and the exit code tells what became of it.
int RunWithoutWindow(const std::vector<std::string>& arguments, tovak::Platform& platform,
                     tovak::DriveMap& driveMap, tovak::JobTimer* timer) {
  tovak::ConsoleOutput console;
  tovak::QuietPlatform quiet(platform, console);
  tovak::PayloadDeployment deployment(quiet.platform());
  tovak::ShutDown shutDown(quiet.platform());
  return static_cast<int>(tovak::RunCommandLine(arguments, quiet.platform(), driveMap, deployment,
                                                shutDown, console, timer));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  tovak::Win32Platform win32;
  tovak::Platform& platform = win32.platform();
  std::unique_ptr<tovak::DriveMap> driveMap = tovak::MakeWmiDriveMap();
  const std::vector<std::string> arguments =
      tovak::SplitArguments(tovak::win32::WideToUtf8(::GetCommandLineW()));
  tovak::BenchTimer benchTimer;
  const bool timed = tovak::BenchTimer::Asked();
  if (!arguments.empty()) {
    return RunWithoutWindow(arguments, platform, *driveMap, timed ? &benchTimer : nullptr);
  }

  // With the manifest, this gives the controls the system's visual styles.
  ::InitCommonControls();
  tovak::ui::FrmBack form(instance, platform);
  tovak::PayloadDeployment deployment(platform);
  tovak::ShutDown shutDown(platform);
  tovak::JobDriver driver(platform, form, *driveMap, deployment, shutDown,
                          timed ? &benchTimer : nullptr, timed ? &benchTimer : nullptr);
  form.SetOkHandler([&driver] { driver.OnOkClick(); });

  // What became of the last job, then a job prepared earlier and never run, which would start at
  // the next boot without a word.
  tovak::ShowLastJobResult(platform);
  tovak::OfferToCancelPendingJob(platform);
  if (!form.Create(showCommand)) return 1;
  return RunMessageLoop(form);
}
