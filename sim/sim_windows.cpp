// Setting up and inspecting the simulation, and its fault injection.
#include "sim/sim_windows.h"

#include <stdexcept>

#include "sim/machine.h"

namespace tovak::sim {
namespace {

char DriveLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 32);
  if (letter < 'A' || letter > 'Z') throw std::invalid_argument("not a drive letter");
  return letter;
}

// The folder at the path, made with any missing parents; existing folders keep their attributes.
Node& EnsureFolder(Machine& machine, const SimPath& path) {
  const SimPath root{path.drive, {}, false};
  Place place;
  if (machine.tree.Find(root, place) != error::kSuccess) {
    throw std::invalid_argument(std::string("no drive ") + path.drive);
  }
  Node* folder = place.node;
  for (const std::string& part : path.parts) {
    auto child = folder->children.find(NameKey(part));
    folder = child == folder->children.end() ? &machine.tree.Add(*folder, part, true)
                                             : child->second.get();
    if (!folder->folder) throw std::invalid_argument("a file is in the way: " + ToText(path));
  }
  return *folder;
}

}  // namespace

SimWindows::SimWindows()
    : state_(std::make_unique<State>()),
      platform_(
          std::make_unique<Platform>(Platform{*this, *this, *this, *this, *this, *this, *this})) {}

SimWindows::~SimWindows() = default;

Platform& SimWindows::platform() { return *platform_; }

void SimWindows::AddDrive(char letter) { state_->tree.AddDrive(DriveLetter(letter)); }

void SimWindows::SetCurrentFolder(const std::string& path) {
  Node* folder = state_->Lookup(path);
  if (!folder || !folder->folder) throw std::invalid_argument("no such folder: " + path);
  state_->currentFolder = state_->ParseForSetup(folder->FullPath());
}

void SimWindows::PutFolder(const std::string& path, std::uint32_t attributes) {
  EnsureFolder(*state_, state_->ParseForSetup(path)).bits = SettableBits(attributes);
}

void SimWindows::PutFile(const std::string& path, const std::string& bytes,
                         std::uint32_t attributes) {
  SimPath parsed = state_->ParseForSetup(path);
  if (parsed.parts.empty()) throw std::invalid_argument("a root is no file: " + path);
  const std::string name = parsed.parts.back();
  parsed.parts.pop_back();
  Node& folder = EnsureFolder(*state_, parsed);
  auto existing = folder.children.find(NameKey(name));
  // An existing node is kept, so that a file open for writing stays valid.
  Node& file =
      existing == folder.children.end() ? state_->tree.Add(folder, name, false) : *existing->second;
  if (file.folder) throw std::invalid_argument("a folder is in the way: " + path);
  file.bytes = bytes;
  file.bits = SettableBits(attributes);
  file.written = state_->now;
}

void SimWindows::PutJunction(const std::string& path, const std::string& target) {
  Node* to = state_->Lookup(target);
  if (!to || !to->folder) throw std::invalid_argument("no such folder: " + target);
  PutFolder(path);
  Node& junction = *state_->Lookup(path);
  if (!junction.children.empty()) throw std::invalid_argument("not empty: " + path);
  junction.link = to;
}

bool SimWindows::Exists(const std::string& path) const { return state_->Lookup(path) != nullptr; }

bool SimWindows::IsFolder(const std::string& path) const {
  const Node* node = state_->Lookup(path);
  return node && node->folder;
}

std::string SimWindows::Bytes(const std::string& path) const {
  const Node* node = state_->Lookup(path);
  return node ? node->bytes : std::string();
}

std::uint32_t SimWindows::Attributes(const std::string& path) const {
  const Node* node = state_->Lookup(path);
  return node ? node->Attributes() : attr::kInvalid;
}

void SimWindows::SetOwner(const std::string& path, Ownership owner) {
  Node* node = state_->Lookup(path);
  if (!node) throw std::invalid_argument("no such entry: " + path);
  node->owner = owner;
}

Ownership SimWindows::Owner(const std::string& path) const {
  const Node* node = state_->Lookup(path);
  return node ? node->owner : Ownership::Unknown;
}

Access SimWindows::AccessOf(const std::string& path) const {
  const Node* node = state_->Lookup(path);
  return node ? node->access : Access::Open;
}

Snapshot SimWindows::Take() const {
  Snapshot snapshot;
  state_->tree.Visit([&snapshot](const Node& node) {
    snapshot[node.FullPath()] =
        EntryState{node.folder, node.Attributes(), node.bytes, node.access, node.owner};
  });
  for (const auto& [name, value] : state_->machineValues) {
    snapshot[kMachineKey + name] = EntryState{false, 0, value};
  }
  return snapshot;
}

void SimWindows::SetSystemDirectory(const std::string& path) { state_->systemDirectory = path; }

void SimWindows::SetVersion(std::uint32_t version) { state_->version = version; }

void SimWindows::SetCodePage(std::uint32_t codePage) {
  state_->codePage = std::make_unique<Charset>(codePage);
}

void SimWindows::SetPrivilegeHeld(bool held) { state_->privilegeHeld = held; }

bool SimWindows::ShutdownPrivilegeEnabled() const { return state_->shutdownEnabled; }

std::size_t SimWindows::OpenTokenCount() const { return state_->tokens.size(); }

void SimWindows::AddResource(int id, const std::string& bytes) { state_->resources[id] = bytes; }

void SimWindows::QueueAnswer(MessageAnswer answer) { state_->answers.push_back(answer); }

const std::vector<MessageRecord>& SimWindows::Messages() const { return state_->messages; }

int SimWindows::PumpCount() const { return state_->pumps; }

void SimWindows::FailCall(int nth, std::uint32_t error) {
  state_->failingCalls[state_->calls + nth] = error;
}

void SimWindows::FailOn(Op op, const std::string& path, std::uint32_t error) {
  state_->rules.push_back(FaultRule{op, path, error});
}

void SimWindows::SetFreeSpace(char drive, std::uint64_t bytes) {
  const char letter = DriveLetter(drive);
  state_->capacity[letter] = state_->tree.UsedBytes(letter) + bytes;
}

void SimWindows::SetRunningUnderWine(bool wine) { state_->wine = wine; }

void SimWindows::SetAdministrator(bool administrator) { state_->administrator = administrator; }

void SimWindows::SetRandomFails(bool fails) { state_->randomFails = fails; }

void SimWindows::SetClock(std::uint64_t now) { state_->now = now; }

void SimWindows::SetWriteTime(const std::string& path, std::uint64_t time) {
  Node* node = state_->Lookup(path);
  if (!node) throw std::invalid_argument("no such entry: " + path);
  node->written = time;
}

std::string SimWindows::MachineValue(const std::string& name) const {
  auto found = state_->machineValues.find(NameKey(name));
  return found == state_->machineValues.end() ? std::string() : found->second;
}

void SimWindows::PutMachineValue(const std::string& name, const std::string& value) {
  state_->machineValues[NameKey(name)] = value;
  state_->machineKey = Ownership::Trusted;
}

void SimWindows::SetMachineValuesFail(bool fail) { state_->machineValuesFail = fail; }

void SimWindows::SetMachineFlushFails(bool fail) { state_->machineFlushFails = fail; }

void SimWindows::PlantMachineKey() { state_->machineKey = Ownership::Untrusted; }

void SimWindows::SetDevicePlace(char drive, DevicePlace place) {
  state_->devicePlaces[DriveLetter(drive)] = place;
}

void SimWindows::ForgetDevicePlace(char drive) { state_->devicePlaces.erase(DriveLetter(drive)); }

void SimWindows::FailEveryCall(std::uint32_t error) {
  state_->failEveryCall = true;
  state_->everyCallError = error;
}

void SimWindows::AtCall(int nth, std::function<void()> action) {
  state_->actions[state_->calls + nth] = std::move(action);
}

void SimWindows::PowerCut() {
  state_->tree.VisitMutable([](Node& node) {
    if (!node.unflushed) return;
    node.bytes.assign(node.bytes.size(), '\0');
    node.unflushed = false;
  });
}

void SimWindows::ClearFaults() {
  state_->failEveryCall = false;
  state_->actions.clear();
  state_->failingCalls.clear();
  state_->rules.clear();
  state_->capacity.clear();
}

int SimWindows::CallCount() const { return state_->calls; }

const std::vector<std::string>& SimWindows::Log() const { return state_->log; }

std::string SimWindows::CountedCall(int nth) const {
  const auto& counted = state_->counted;
  return nth >= 1 && nth <= static_cast<int>(counted.size()) ? counted[nth - 1] : std::string();
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> SimWindows::ExitRequests() const {
  return state_->exitRequests;
}

}  // namespace tovak::sim
