// Writes the payload files from the executable's resources to the system drive.
#pragma once

#include <cstdint>
#include <string>

#include "job/job_services.h"
#include "payload/payload_catalogue.h"
#include "platform/platform.h"

namespace tovak {

// Writes the "CUSTOM" resource resourceId to folder\fileName and flushes it; when skipBackup is false
// an existing target first becomes fileName.bak, unless that backup exists already. True when the
// written file is expectedSize bytes long. A failure leaves the platform's last error saying why.
bool ExtractResourceFile(Platform& platform, int resourceId, std::int32_t expectedSize,
                         const std::string& fileName, const std::string& folder, bool skipBackup);

// Writes every catalogue file into the payload folder, in catalogue order; stops at the first file
// that fails or comes out short. The files for the root wait there under their own names until the
// job renames them into place, so that the root never holds half a loader.
bool DeployBootFiles(Platform& platform, const Catalogue& catalogue);

class PayloadDeployment final : public BootDeployment {
 public:
  explicit PayloadDeployment(Platform& platform);
  // Tests pass a catalogue of their own.
  PayloadDeployment(Platform& platform, bool payloadHasStandIns,
                    const Catalogue& catalogue = PayloadCatalogue());

  bool Deployable() override;
  bool DeployBootFiles() override;

 private:
  Platform& platform_;
  bool payloadHasStandIns_;
  const Catalogue& catalogue_;
};

}  // namespace tovak
