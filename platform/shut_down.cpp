#include "platform/shut_down.h"

namespace tovak {
namespace {

constexpr std::uint32_t k9xFamily = 0x80000000u;
constexpr std::uint32_t kTokenAdjustAndQuery = 0x28;  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
constexpr std::uint32_t kPrivilegeEnabled = 2;        // SE_PRIVILEGE_ENABLED
constexpr std::uint32_t kReboot = 2;                  // EWX_REBOOT, not forced
constexpr std::uint32_t kNoReason = 0xFFFFFFFFu;

}  // namespace

ShutDown::ShutDown(Platform& platform) : platform_(platform) {}

std::string ShutDown::GetPlatformKind() {
  return (platform_.system.Version() & k9xFamily) != 0 ? "9X" : "NT";
}

void ShutDown::ReportStep(const char* step, const char* title) {
  const std::uint32_t code = platform_.lastError.Get();
  if (code == error::kSuccess) return;
  platform_.ui.ShowMessage(std::string(step) + " error==" + std::to_string(code), title,
                           MessageButtons::Ok, MessageIcon::None);
}

void ShutDown::EnablePrivilege() {
  SystemServices& system = platform_.system;
  platform_.lastError.Set(error::kSuccess);

  const Handle process = system.CurrentProcess();
  ReportStep("GetCurrentProcess", kAppTitle);

  Handle token = 0;
  const bool opened = system.OpenProcessToken(process, kTokenAdjustAndQuery, token);
  ReportStep("OpenProcessToken", kNoticeTitle);

  Luid luid;
  system.LookupPrivilege("SeShutdownPrivilege", luid);
  ReportStep("LookupPrivilegeValue", kNoticeTitle);

  // Succeeds even for an account without the privilege; only ERROR_NOT_ALL_ASSIGNED tells.
  system.AdjustPrivilege(token, luid, kPrivilegeEnabled);
  ReportStep("AdjustTokenPrivileges", kNoticeTitle);

  if (opened) system.CloseHandle(token);
}

bool ShutDown::RestartWindows() {
  if (GetPlatformKind() == "NT") EnablePrivilege();
  return platform_.system.RequestExit(kReboot, kNoReason);
}

}  // namespace tovak
