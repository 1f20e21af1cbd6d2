#include "gui/job_driver.h"

#include "job/job_messages.h"

namespace tovak {
namespace {

// Against the tab order, OK last: a focused control that is disabled hands the focus on to the
// next one still enabled, so OK hands it once, past all the others, rather than along each.
constexpr FormControl kLockedControls[] = {FormControl::Combo_Compress, FormControl::Check_Disk,
                                           FormControl::Cmd_Path, FormControl::Cmd_Exit,
                                           FormControl::Cmd_Sure};

}  // namespace

JobDriver::JobDriver(Platform& platform, JobForm& form, DriveMap& driveMap,
                     BootDeployment& deployment, Restarter& restarter, JobTimer* jobTimer,
                     WindowTimer* windowTimer)
    : platform_(platform), form_(form), job_(platform, driveMap, deployment, jobTimer),
      restarter_(restarter), windowTimer_(windowTimer) {}

void JobDriver::SetWorking(bool working) {
  form_.SetJobInProgress(working);
  for (FormControl control : kLockedControls) {
    // Restore has no compression: the combo stays as the option's click left it.
    const bool compression = control != FormControl::Combo_Compress || form_.BackupSelected();
    form_.SetEnabled(control, !working && compression);
  }
}

void JobDriver::OnOkClick() {
  if (windowTimer_) windowTimer_->OkPressed();
  // Read once: messages pumped during the job may change the window.
  const JobRequest request{form_.BackupSelected() ? Operation::Backup : Operation::Restore,
                           ImagePath(form_.PathText()), form_.CompressionText(),
                           form_.DiskTicked()};
  // Locked before the drive map, whose walk of the disks may take a while.
  form_.SetCaption(messages::kWaitCaption);
  SetWorking(true);
  const Outcome outcome = job_.Prepare(request);

  if (outcome.kind == Outcome::Kind::Done) {
    form_.SetJobInProgress(false);
    form_.Unload();
    if (windowTimer_) windowTimer_->WindowGone();
    const char* prompt = request.operation == Operation::Backup ? messages::kRestartBackup
                                                                : messages::kRestartRestore;
    if (platform_.ui.ShowMessage(prompt, messages::kRestartTitle, MessageButtons::YesNo,
                                 MessageIcon::Information) == MessageAnswer::Yes) {
      if (!restarter_.RestartWindows()) {
        const std::string why = platform_.system.ErrorText(platform_.lastError.Get());
        platform_.ui.ShowMessage(messages::kRestartRefused + why + "\r\n" + messages::kRestartByHand,
                                 messages::kErrorTitle, MessageButtons::Ok, MessageIcon::Critical);
      }
    }
    return;
  }
  SetWorking(false);
  // A restore without its image has always left the wait caption.
  if (outcome.kind != Outcome::Kind::ImageMissing) form_.SetCaption(form_.IdleCaption());
  platform_.ui.ShowMessage(outcome.text, messages::kErrorTitle, MessageButtons::Ok,
                           MessageIcon::Critical);
  // Nothing changed: the path is what to correct.
  const bool refused =
      outcome.kind == Outcome::Kind::Refused || outcome.kind == Outcome::Kind::ImageMissing;
  if (refused) form_.FocusPath();
}

}  // namespace tovak
