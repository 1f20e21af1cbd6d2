// Writes the payload files from the executable's resources to the system drive.
#pragma once

#include <cstdint>
#include <string>

#include "job/job_services.h"
#include "platform/platform.h"

namespace tovak {

// Writes the "CUSTOM" resource resourceId to folder\fileName; when skipBackup is false an existing
// target first becomes fileName.bak, unless that backup exists already. True when the written file
// is expectedSize bytes long. A failure leaves the platform's last error saying why.
bool ExtractResourceFile(Platform& platform, int resourceId, std::int32_t expectedSize,
                         const std::string& fileName, const std::string& folder, bool skipBackup);

// Writes every catalogue file to the system drive root or its payload folder, in catalogue order;
// stops at the first file that fails or comes out short.
bool DeployBootFiles(Platform& platform);

class PayloadDeployment final : public BootDeployment {
 public:
  explicit PayloadDeployment(Platform& platform);
  PayloadDeployment(Platform& platform, bool payloadHasStandIns);

  bool Deployable() override;
  bool DeployBootFiles() override;

 private:
  Platform& platform_;
  bool payloadHasStandIns_;
};

}  // namespace tovak
