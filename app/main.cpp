// Tovak.exe: the window, the job behind its OK button, and the message loop that runs until the
// window is gone.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "disks/wmi.h"
#include "job/job_driver.h"
#include "job/last_job_check.h"
#include "job/pending_job_check.h"
#include "payload/payload_deployment.h"
#include "platform/shut_down.h"
#include "platform/win32/win32_platform.h"
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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // With the manifest, this gives the controls the system's visual styles.
  ::InitCommonControls();

  tovak::Win32Platform win32;
  tovak::Platform& platform = win32.platform();
  tovak::ui::FrmBack form(instance, platform);
  std::unique_ptr<tovak::DriveMap> driveMap = tovak::MakeWmiDriveMap();
  tovak::PayloadDeployment deployment(platform);
  tovak::ShutDown shutDown(platform);
  tovak::JobDriver driver(platform, form, *driveMap, deployment, shutDown);
  form.SetOkHandler([&driver] { driver.OnOkClick(); });

  // What became of the last job, then a job prepared earlier and never run, which would start at
  // the next boot without a word.
  tovak::ShowLastJobResult(platform);
  tovak::OfferToCancelPendingJob(platform);
  if (!form.Create(showCommand)) return 1;
  return RunMessageLoop(form);
}
