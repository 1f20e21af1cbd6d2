// Enabling the shutdown privilege and asking for the restart, on the simulated Windows.
#include "platform/shut_down.h"

#include <gtest/gtest.h>

#include "sim/sim_windows.h"

namespace tovak::testing {
namespace {

using Exit = std::pair<std::uint32_t, std::uint32_t>;
const std::vector<Exit> kOneRestart = {{2u, 0xFFFFFFFFu}};

// On NT the simulation, as Windows, takes the restart only once the privilege is enabled: the
// order is what makes the restart happen.
TEST(ShutDown, RestartsSilentlyWithThePrivilegeOnlyTheNtFamilyNeeds) {
  struct Case {
    const char* what;
    std::uint32_t version;
    bool privilegeEnabled;
  } cases[] = {{"NT", 0x0A280105u, true}, {"9x", 0xC0000A04u, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimWindows windows;
    windows.SetVersion(c.version);
    EXPECT_TRUE(ShutDown(windows.platform()).RestartWindows());
    EXPECT_EQ(windows.ExitRequests(), kOneRestart);
    EXPECT_EQ(windows.ShutdownPrivilegeEnabled(), c.privilegeEnabled);
    EXPECT_EQ(windows.OpenTokenCount(), 0u);
    EXPECT_TRUE(windows.Messages().empty());
  }
}

TEST(ShutDown, AnAccountWithoutThePrivilegeIsToldAndTheRestartStillAsked) {
  sim::SimWindows windows;
  windows.SetPrivilegeHeld(false);
  ShutDown(windows.platform()).RestartWindows();
  ASSERT_EQ(windows.Messages().size(), 1u);
  const sim::MessageRecord& box = windows.Messages()[0];
  EXPECT_EQ(box.text, "AdjustTokenPrivileges error==1300");
  EXPECT_EQ(box.title, "提示");
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_EQ(box.icon, MessageIcon::None);
  EXPECT_EQ(windows.ExitRequests(), kOneRestart);
}

// Fails the chosen token calls with their codes as Windows leaves them; the rest goes to the
// simulation.
class FailingToken : public SystemServices {
 public:
  explicit FailingToken(sim::SimWindows& windows) : w_(windows) {}
  std::string SystemDirectory() override { return w_.SystemDirectory(); }
  std::uint32_t Version() override { return w_.Version(); }
  Handle CurrentProcess() override {
    if (processError) w_.Set(processError);
    return w_.CurrentProcess();
  }
  bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override {
    if (!openError) return w_.OpenProcessToken(process, access, token);
    w_.Set(openError);
    return false;
  }
  bool LookupPrivilege(const std::string& name, Luid& luid) override {
    return w_.LookupPrivilege(name, luid);
  }
  bool AdjustPrivilege(Handle token, const Luid& luid, std::uint32_t attributes) override {
    return w_.AdjustPrivilege(token, luid, attributes);
  }
  bool CloseHandle(Handle handle) override { return w_.CloseHandle(handle); }
  bool RequestExit(std::uint32_t flags, std::uint32_t reserved) override {
    return w_.RequestExit(flags, reserved);
  }
  bool DriveDevicePlace(const std::string& drive, DevicePlace& place) override {
    return w_.DriveDevicePlace(drive, place);
  }
  bool RunningUnderWine() override { return w_.RunningUnderWine(); }
  std::string ErrorText(std::uint32_t code) override { return w_.ErrorText(code); }
  bool RandomBytes(unsigned char* buffer, std::size_t size) override {
    return w_.RandomBytes(buffer, size);
  }
  bool RunsAsAdministrator() override { return w_.RunsAsAdministrator(); }
  std::uint64_t Now() override { return w_.Now(); }
  std::string LocalTimeText(std::uint64_t time) override { return w_.LocalTimeText(time); }
  bool ReadMachineValue(const std::string& name, std::string& value) override {
    return w_.ReadMachineValue(name, value);
  }
  bool WriteMachineValue(const std::string& name, const std::string& value) override {
    return w_.WriteMachineValue(name, value);
  }
  bool DeleteMachineValue(const std::string& name) override { return w_.DeleteMachineValue(name); }

  std::uint32_t processError = 0;
  std::uint32_t openError = 0;

 private:
  sim::SimWindows& w_;
};

// The code is cleared once only: a later step whose call leaves it alone reports it again.
TEST(ShutDown, EveryStepReportsTheCodeItFindsAndTheRestartIsAskedAnyway) {
  struct Case {
    const char* what;
    std::uint32_t processError, openError;
    std::vector<std::pair<std::string, std::string>> boxes;  // text, title
  } cases[] = {
      {"no token", 0, error::kAccessDenied,
       {{"OpenProcessToken error==5", "提示"},
        {"LookupPrivilegeValue error==5", "提示"},
        {"AdjustTokenPrivileges error==6", "提示"}}},
      {"a code already after GetCurrentProcess", 87, 0,
       {{"GetCurrentProcess error==87", "TovakBack"},
        {"OpenProcessToken error==87", "提示"},
        {"LookupPrivilegeValue error==87", "提示"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimWindows windows;
    FailingToken system(windows);
    system.processError = c.processError;
    system.openError = c.openError;
    Platform platform = windows.platform();
    Platform failing{platform.files,     platform.profile, platform.ui, system,
                     platform.resources, platform.text,    platform.lastError};
    ShutDown(failing).RestartWindows();
    std::vector<std::pair<std::string, std::string>> boxes;
    for (const sim::MessageRecord& box : windows.Messages()) {
      boxes.emplace_back(box.text, box.title);
      EXPECT_EQ(box.icon, MessageIcon::None);
    }
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(windows.ExitRequests(), kOneRestart);
    EXPECT_EQ(windows.OpenTokenCount(), 0u);
  }
}

}  // namespace
}  // namespace tovak::testing
