// The contract environment for the simulation: a fresh simulated Windows for every case.
#include "sim/sim_windows.h"
#include "tests/contract/contract_env.h"

namespace tovak::contract {
namespace {

const char kBase[] = "C:\\contract";

class SimEnv final : public ContractEnv {
 public:
  SimEnv() { sim_.PutFolder(kBase); }

  Platform& platform() override { return sim_.platform(); }
  std::string Base() override { return kBase; }

  bool ReadBytes(const std::string& path, std::string& bytes) override {
    if (!sim_.Exists(path) || sim_.IsFolder(path)) return false;
    bytes = sim_.Bytes(path);
    return true;
  }

  bool IsWine() override { return false; }
  bool IsWineAsRoot() override { return false; }

 private:
  sim::SimWindows sim_;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<SimEnv>(); }

}  // namespace tovak::contract
