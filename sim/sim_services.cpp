// Message boxes, the message pump, the system services, resources, text and the last error.
#include <map>

#include "platform/date_time_text.h"
#include "sim/machine.h"

namespace tovak::sim {
namespace {

// GetCurrentProcess's pseudo-handle.
const Handle kCurrentProcess = static_cast<Handle>(-1);
constexpr std::uint32_t kSeShutdownPrivilege = 19;
constexpr std::uint32_t kEnabled = 2;  // SE_PRIVILEGE_ENABLED
// TOKEN_ADJUST_PRIVILEGES, and TOKEN_QUERY for the previous state that AdjustPrivilege asks for.
constexpr std::uint32_t kAdjustAccess = 0x28;

bool CanGive(MessageButtons buttons, MessageAnswer answer) {
  return buttons == MessageButtons::Ok ? answer == MessageAnswer::Ok : answer != MessageAnswer::Ok;
}

bool SameText(const std::string& a, const char* b) { return NameKey(a) == NameKey(b); }

}  // namespace

MessageAnswer SimWindows::ShowMessage(const std::string& text, const std::string& title,
                                      MessageButtons buttons, MessageIcon icon) {
  Machine& m = *state_;
  MessageRecord record{text, title, buttons, icon,
                       buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No};
  if (!m.answers.empty()) {
    if (CanGive(buttons, m.answers.front())) record.answer = m.answers.front();
    m.answers.pop_front();
  }
  m.messages.push_back(record);
  if (onMessage) onMessage(record);
  return record.answer;
}

void SimWindows::PumpMessages() {
  ++state_->pumps;
  if (onPump) onPump();
}

std::string SimWindows::SystemDirectory() {
  state_->log.push_back("SystemDirectory");
  return state_->systemDirectory;
}

std::uint32_t SimWindows::Version() {
  state_->log.push_back("Version");
  return state_->version;
}

Handle SimWindows::CurrentProcess() {
  state_->log.push_back("CurrentProcess");
  return kCurrentProcess;
}

bool SimWindows::OpenProcessToken(Handle process, std::uint32_t access, Handle& token) {
  Machine& m = *state_;
  m.log.push_back("OpenProcessToken " + std::to_string(access));
  if (process != kCurrentProcess) return m.Fail(error::kInvalidHandle);
  token = m.nextToken;
  m.nextToken += 4;
  m.tokens[token] = access;
  return true;
}

bool SimWindows::LookupPrivilege(const std::string& name, Luid& luid) {
  Machine& m = *state_;
  m.log.push_back("LookupPrivilege " + name);
  if (!SameText(name, "SeShutdownPrivilege")) return m.Fail(error::kNoSuchPrivilege);
  luid = Luid{kSeShutdownPrivilege, 0};
  return true;
}

bool SimWindows::AdjustPrivilege(Handle token, const Luid& luid, std::uint32_t attributes) {
  Machine& m = *state_;
  m.log.push_back("AdjustPrivilege");
  const auto open = m.tokens.find(token);
  if (open == m.tokens.end()) return m.Fail(error::kInvalidHandle);
  if ((open->second & kAdjustAccess) != kAdjustAccess) return m.Fail(error::kAccessDenied);
  if (luid.low != kSeShutdownPrivilege || luid.high != 0) return m.Fail(error::kNoSuchPrivilege);
  // The call succeeds either way; only the last error tells whether the account holds it.
  if (!m.privilegeHeld) {
    m.lastError = error::kNotAllAssigned;
    return true;
  }
  m.shutdownEnabled = (attributes & kEnabled) != 0;
  m.lastError = error::kSuccess;
  return true;
}

bool SimWindows::CloseHandle(Handle handle) {
  Machine& m = *state_;
  m.log.push_back("CloseHandle");
  if (handle == kCurrentProcess || m.tokens.erase(handle) != 0) return true;
  return m.Fail(error::kInvalidHandle);
}

bool SimWindows::RequestExit(std::uint32_t flags, std::uint32_t reserved) {
  Machine& m = *state_;
  m.log.push_back("RequestExit " + std::to_string(flags) + " " + std::to_string(reserved));
  m.exitRequests.emplace_back(flags, reserved);
  // The NT family restarts only for a process that has enabled the shutdown privilege.
  const bool nt = (m.version & 0x80000000u) == 0;
  if (nt && !m.shutdownEnabled) return m.Fail(error::kPrivilegeNotHeld);
  return true;
}

bool SimWindows::DriveDevicePlace(const std::string& drive, DevicePlace& place) {
  Machine& m = *state_;
  m.log.push_back("DriveDevicePlace " + drive);
  char letter = drive.empty() ? '\0' : drive[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  auto known = m.devicePlaces.find(letter);
  if (drive.size() != 2 || drive[1] != ':' || known == m.devicePlaces.end()) {
    return m.Fail(error::kFileNotFound);
  }
  place = known->second;
  return true;
}

bool SimWindows::RunningUnderWine() { return state_->wine; }

bool SimWindows::RunsAsAdministrator() { return state_->administrator; }

bool SimWindows::RandomBytes(unsigned char* buffer, std::size_t size) {
  Machine& m = *state_;
  m.log.push_back("RandomBytes " + std::to_string(size));
  if (m.randomFails) return m.Fail(error::kNotEnoughMemory);
  for (std::size_t i = 0; i < size; ++i) {
    // xorshift64: different bytes on every call, the same run after run.
    m.random ^= m.random << 13;
    m.random ^= m.random >> 7;
    m.random ^= m.random << 17;
    buffer[i] = static_cast<unsigned char>(m.random >> 24);
  }
  return true;
}

std::uint64_t SimWindows::Now() { return state_->now; }

std::string SimWindows::LocalTimeText(std::uint64_t time) {
  // Days since 1601-01-01 to a civil date (the proleptic Gregorian calendar).
  const std::uint64_t minutes = time / 600000000u;
  std::int64_t days = static_cast<std::int64_t>(minutes / 1440) - 134774;  // to 1970-01-01
  days += 719468;
  const std::int64_t era = days / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return DateTimeText(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                      static_cast<int>(minutes % 1440 / 60), static_cast<int>(minutes % 60));
}

bool SimWindows::ReadMachineValue(const std::string& name, std::string& value) {
  Machine& m = *state_;
  if (!m.Admit(Op::ReadMachineValue, "ReadMachineValue " + name, kMachineKey + name)) return false;
  auto found = m.machineValues.find(NameKey(name));
  if (found == m.machineValues.end()) return m.Fail(error::kFileNotFound);
  value = found->second;
  return true;
}

bool SimWindows::WriteMachineValue(const std::string& name, const std::string& value) {
  Machine& m = *state_;
  if (!m.Admit(Op::WriteMachineValue, "WriteMachineValue " + name + " " + value,
               kMachineKey + name)) {
    return false;
  }
  if (m.machineValuesFail || m.machineKey == Ownership::Untrusted) {
    return m.Fail(error::kAccessDenied);
  }
  m.machineKey = Ownership::Trusted;
  m.machineValues[NameKey(name)] = value;
  return !m.machineFlushFails || m.Fail(error::kAccessDenied);
}

bool SimWindows::DeleteMachineValue(const std::string& name) {
  Machine& m = *state_;
  if (!m.Admit(Op::DeleteMachineValue, "DeleteMachineValue " + name, kMachineKey + name)) {
    return false;
  }
  if (m.machineValuesFail) return m.Fail(error::kAccessDenied);
  if (m.machineValues.erase(NameKey(name)) == 0) return m.Fail(error::kFileNotFound);
  return true;
}

std::string SimWindows::ErrorText(std::uint32_t code) {
  // The texts of a Simplified Chinese Windows for the codes the simulation gives.
  static const std::map<std::uint32_t, std::string> kTexts = {
      {error::kFileNotFound, "系统找不到指定的文件。"},
      {error::kPathNotFound, "系统找不到指定的路径。"},
      {error::kAccessDenied, "拒绝访问。"},
      {error::kSharingViolation, "另一个程序正在使用此文件，进程无法访问。"},
      {error::kFileExists, "文件存在。"},
      {error::kDiskFull, "磁盘空间不足。"},
      {error::kDirNotEmpty, "目录不是空的。"},
      {error::kAlreadyExists, "当文件已存在时，无法创建该文件。"},
  };
  auto found = kTexts.find(code);
  return found != kTexts.end() ? found->second : "错误 " + std::to_string(code);
}

bool SimWindows::LoadCustom(int id, std::string_view& bytes) {
  Machine& m = *state_;
  const std::string name = std::to_string(id);
  if (!m.Admit(Op::LoadResource, "LoadResource " + name, name)) return false;
  if (m.resources.empty()) return m.Fail(error::kResourceTypeNotFound);
  auto found = m.resources.find(id);
  if (found == m.resources.end()) return m.Fail(error::kResourceNameNotFound);
  bytes = found->second;
  return true;
}

std::uint32_t SimWindows::CodePage() { return state_->codePage->Number(); }

bool SimWindows::ToAnsi(const std::string& utf8, std::string& ansi) {
  return state_->codePage->ToAnsi(utf8, ansi) || state_->Fail(error::kNoUnicodeTranslation);
}

bool SimWindows::FromAnsi(const std::string& ansi, std::string& utf8) {
  return state_->codePage->FromAnsi(ansi, utf8) || state_->Fail(error::kNoUnicodeTranslation);
}

std::uint32_t SimWindows::Get() { return state_->lastError; }

void SimWindows::Set(std::uint32_t code) { state_->lastError = code; }

}  // namespace tovak::sim
