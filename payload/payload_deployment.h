// Writes the payload files from the executable's resources to the system drive.
#pragma once

#include <cstdint>
#include <string>

#include "job/job_services.h"
#include "payload/payload_catalogue.h"
#include "platform/platform.h"

namespace tovak {

// Writes the "CUSTOM" resource resourceId to folder\fileName, over whatever is there, and flushes
// it. With a tokenOffset of 0 or more the token takes the place of kTokenPlaceholder there, and a
// resource without the placeholder there fails. True when the written file is expectedSize bytes
// long. A failure leaves the platform's last error saying why.
bool ExtractResourceFile(Platform& platform, int resourceId, std::int32_t expectedSize,
                         const std::string& fileName, const std::string& folder,
                         std::int32_t tokenOffset = -1, const std::string& token = std::string());

// Writes every catalogue file into the payload folder, in catalogue order, the job's token in the
// one that carries it; stops at the first file that fails or comes out short. The files for the
// root wait there under their own names until the job renames them into place, so that the root
// never holds half a loader.
bool DeployBootFiles(Platform& platform, const Catalogue& catalogue, const std::string& token);

class PayloadDeployment final : public BootDeployment {
 public:
  explicit PayloadDeployment(Platform& platform);
  // Tests pass a catalogue of their own.
  PayloadDeployment(Platform& platform, bool payloadHasStandIns,
                    const Catalogue& catalogue = PayloadCatalogue());

  bool Deployable() override;
  bool DeployBootFiles(const std::string& token) override;

 private:
  Platform& platform_;
  bool payloadHasStandIns_;
  const Catalogue& catalogue_;
};

}  // namespace tovak
