// What a contract case needs from the implementation under test: the platform and a fresh,
// empty folder to work in. The same cases run against the simulation and against Win32.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace tovak::contract {

class ContractEnv {
 public:
  virtual ~ContractEnv() = default;
  virtual Platform& platform() = 0;
  // A fresh empty folder on the system drive, without a trailing backslash.
  virtual std::string Base() = 0;
  // Raw bytes of a file, read past the seam.
  virtual bool ReadBytes(const std::string& path, std::string& bytes) = 0;
  // Wine's own deviations from Windows are noted at the cases they touch.
  virtual bool IsWine() = 0;
  // Wine run as root writes over read-only and hidden targets that Windows refuses.
  virtual bool IsWineAsRoot() = 0;
};

// A new environment, made for each case.
std::unique_ptr<ContractEnv> MakeContractEnv();

}  // namespace tovak::contract
