#include "payload/payload_deployment.h"

#include "job/system_layout.h"
#include "payload/payload_catalogue.h"
#include "platform/file_search.h"
#include "platform/system_drive.h"

#include <cstring>

namespace tovak {
namespace {

// A build whose image lacks the placeholder there would hand the runner a token it never looks for.
bool CarryToken(std::string& bytes, std::int32_t offset, const std::string& token) {
  const std::size_t length = std::strlen(kTokenPlaceholder);
  const auto at = static_cast<std::size_t>(offset);
  if (token.size() != length || at > bytes.size() || bytes.size() - at < length ||
      bytes.compare(at, length, kTokenPlaceholder) != 0) {
    return false;
  }
  bytes.replace(at, length, token);
  return true;
}

}  // namespace

bool ExtractResourceFile(Platform& platform, int resourceId, std::int32_t expectedSize,
                         const std::string& fileName, const std::string& folder, bool skipBackup,
                         std::int32_t tokenOffset, const std::string& token) {
  std::string bytes;
  if (!platform.resources.LoadCustom(resourceId, bytes)) return false;
  if (tokenOffset >= 0 && !CarryToken(bytes, tokenOffset, token)) {
    platform.lastError.Set(error::kInvalidData);
    return false;
  }

  FileSystem& files = platform.files;
  const std::string target = WithTrailingBackslash(folder) + fileName;
  const std::string backup = target + ".bak";
  // The earliest backup is the one worth keeping.
  if (!skipBackup && FileExists(files, target) && !FileExists(files, backup) &&
      !files.Rename(target, backup)) {
    return false;
  }

  auto file = files.OpenForWriting(target);
  if (!file) return false;
  platform.ui.PumpMessages();
  // A power cut must not leave the job pointing at a file that never reached the disk.
  if (!file->Write(bytes) || !file->Flush() || !file->Close()) return false;

  std::uint64_t length = 0;
  if (!files.FileLength(target, length)) return false;
  if (length != static_cast<std::uint64_t>(expectedSize)) {
    // Otherwise the job would report a short loader with no reason.
    platform.lastError.Set(error::kWriteFault);
    return false;
  }
  return true;
}

bool DeployBootFiles(Platform& platform, const Catalogue& catalogue, const std::string& token) {
  for (const PayloadFile& file : catalogue) {
    const std::string folder = GetSystemDriveRoot(platform.system) + layout::kJobFolder;
    // A short loader would leave the machine unable to start: the job is rolled back instead.
    if (!ExtractResourceFile(platform, file.id, file.size, file.name, folder, true,
                             file.tokenOffset, token)) {
      return false;
    }
  }
  return true;
}

PayloadDeployment::PayloadDeployment(Platform& platform)
    : PayloadDeployment(platform, PayloadHasStandIns()) {}

PayloadDeployment::PayloadDeployment(Platform& platform, bool payloadHasStandIns,
                                     const Catalogue& catalogue)
    : platform_(platform), payloadHasStandIns_(payloadHasStandIns), catalogue_(catalogue) {}

// A stand-in loader in the root of a real machine would leave it unable to start.
bool PayloadDeployment::Deployable() {
  return !payloadHasStandIns_ || platform_.system.RunningUnderWine();
}

bool PayloadDeployment::DeployBootFiles(const std::string& token) {
  return tovak::DeployBootFiles(platform_, catalogue_, token);
}

}  // namespace tovak
