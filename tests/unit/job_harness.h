// A job on the simulated Windows: an XP-like system drive C:, a data drive D:, the window as the
// job sees it, stand-ins for the drive map and the restart, and the program's own deployment of a
// payload whose files are a few bytes long.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "job/boot_menu_entry.h"
#include "job/job.h"
#include "gui/job_driver.h"
#include "payload/payload_deployment.h"
#include "sim/sim_windows.h"
#include "platform/system_drive.h"
#include "tests/unit/xp_boot_files.h"

namespace tovak::testing {

// The same as a job leaves it, the title in code page 936.
constexpr const char kPreparedBootIni[] =
    "[boot loader]\r\n"
    "timeout=0\r\n"
    "default=C:\\g1ldr\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" "
    "/fastdetect\r\n"
    "C:\\g1ldr=Tovak\xB1\xB8\xB7\xDD\xB9\xA4\xBE\xDF\r\n";
constexpr const char kIdleCaption[] = "备份还原工具WINDOWS版";

class FakeForm : public JobForm {
 public:
  FakeForm() {
    for (FormControl control : {FormControl::Cmd_Sure, FormControl::Cmd_Exit, FormControl::Cmd_Path,
                                FormControl::Check_Disk, FormControl::Combo_Compress}) {
      enabled[control] = true;
    }
  }
  std::string PathText() override { return Use(path); }
  bool BackupSelected() override { return Use(backup); }
  bool DiskTicked() override { return Use(disk); }
  std::string CompressionText() override { return Use(compression); }
  std::string IdleCaption() override { return Use(std::string(kIdleCaption)); }
  void SetCaption(const std::string& text) override { Record("caption " + Use(text)); caption = text; }
  void SetEnabled(FormControl control, bool on) override;
  void FocusPath() override { Record("focus"); }
  void SetJobInProgress(bool on) override {
    Record(on ? "busy" : "idle");
    jobInProgress = on;
  }
  void Unload() override {
    Record("unload");
    unloaded = true;
  }

  // The option buttons' click: Restore disables the combo.
  void SelectBackup(bool on) {
    backup = on;
    enabled[FormControl::Combo_Compress] = on;
  }
  // Idle: nothing locked (but the combo in Restore mode), no job marked as running, the window
  // still open.
  bool Idle() const;

  std::string path = "d:\\Nusk";
  bool backup = true;
  bool disk = false;
  std::string compression = "压缩比率";
  std::string caption = kIdleCaption;
  std::map<FormControl, bool> enabled;
  bool jobInProgress = false;
  bool unloaded = false;
  std::vector<std::string> events;

 private:
  template <typename T>
  const T& Use(const T& value) {
    EXPECT_FALSE(unloaded) << "the job touched the window after unloading it";
    return value;
  }
  void Record(const std::string& event) {
    Use(event);
    events.push_back(event);
  }
};

class FakeDriveMap : public DriveMap {
 public:
  DriveAddresses MapDrivesToPartitions(const std::string& imageDrive,
                                       const std::string& systemDrive) override {
    asked.emplace_back(imageDrive, systemDrive);
    return answer;
  }
  DriveAddresses answer;
  std::vector<std::pair<std::string, std::string>> asked;  // image drive, system drive
};

// The catalogue's names, ids and places, with files a few bytes long, each its own bytes.
const Catalogue& SmallCatalogue();
std::string SmallPayload(const std::string& name);
// The file as a job with this token deploys it.
std::string DeployedPayload(const std::string& name, const std::string& token);
// The token of the job that Layout::PendingJob left.
constexpr char kPendingToken[] = "5EA1ED01";
constexpr char kPendingKey[] = "0011223344556677";

class FakeRestarter : public Restarter {
 public:
  explicit FakeRestarter(LastError& lastError) : lastError_(lastError) {}
  // A refusal leaves the code Windows gives an account without the shutdown privilege's use.
  bool RestartWindows() override {
    ++restarts;
    if (refuses) lastError_.Set(error::kAccessDenied);
    return !refuses;
  }
  int restarts = 0;
  bool refuses = false;

 private:
  LastError& lastError_;
};

// One machine and one window; Click presses OK, Prepare runs the job without the window. A payload
// with stand-ins is deployable only under Wine.
struct JobHarness {
  explicit JobHarness(bool payloadHasStandIns = false);
  void Click() { driver.OnOkClick(); }
  Outcome Prepare(const JobRequest& request) {
    return Job(windows.platform(), driveMap, deployment).Prepare(request);
  }
  // The boxes titled "错误".
  std::vector<sim::MessageRecord> Errors() const;

  sim::SimWindows windows;
  FakeForm form;
  FakeDriveMap driveMap;
  PayloadDeployment deployment;
  FakeRestarter restarter{windows};
  JobDriver driver{windows.platform(), form, driveMap, deployment, restarter};
};

// The window's defaults: a backup into d:\Nusk, a restore from d:\Nusk\Nusk.gho.
JobRequest Backup(const std::string& path = "d:\\Nusk");
JobRequest Restore(const std::string& path = "d:\\Nusk\\Nusk.gho");

// Starting layouts of the system drive; a pending job is one the program prepared, with the
// program's own payload in place.
enum class Layout { NoBoot, OwnBoot, BootAndMsboot, PendingJob, OwnG1ldr, LowerCaseRoot };
void Arrange(JobHarness& job, Layout layout);
const char* Name(Layout layout);

}  // namespace tovak::testing

namespace tovak {

inline bool operator==(const Outcome& a, const Outcome& b) {
  return a.kind == b.kind && a.text == b.text;
}
inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
  static const char* const kKinds[] = {"done", "refused", "image missing", "failed",
                                       "not put back"};
  return out << kKinds[static_cast<int>(outcome.kind)] << " \"" << outcome.text << "\"";
}

}  // namespace tovak
