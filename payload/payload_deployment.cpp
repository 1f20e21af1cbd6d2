#include "payload/payload_deployment.h"

#include "job/system_layout.h"
#include "payload/payload_catalogue.h"
#include "platform/file_search.h"
#include "platform/system_drive.h"

#include <cstring>
#include <string_view>

namespace tovak {
namespace {

// A build whose image lacks the placeholder there would hand the runner a token it never looks for.
bool HoldsPlaceholder(std::string_view bytes, std::int32_t offset, const std::string& token) {
  const std::size_t length = std::strlen(kTokenPlaceholder);
  const auto at = static_cast<std::size_t>(offset);
  return token.size() == length && at <= bytes.size() && bytes.size() - at >= length &&
         bytes.substr(at, length) == kTokenPlaceholder;
}

}  // namespace

bool ExtractResourceFile(Platform& platform, int resourceId, std::int32_t expectedSize,
                         const std::string& fileName, const std::string& folder,
                         std::int32_t tokenOffset, const std::string& token) {
  std::string_view bytes;
  if (!platform.resources.LoadCustom(resourceId, bytes)) return false;
  // Written around the placeholder, with the token in its place: the resource stays as it is.
  std::string_view before = bytes, after;
  if (tokenOffset >= 0) {
    if (!HoldsPlaceholder(bytes, tokenOffset, token)) {
      platform.lastError.Set(error::kInvalidData);
      return false;
    }
    before = bytes.substr(0, static_cast<std::size_t>(tokenOffset));
    after = bytes.substr(before.size() + token.size());
  }

  FileSystem& files = platform.files;
  const std::string target = WithTrailingBackslash(folder) + fileName;

  auto file = files.OpenForWriting(target);
  if (!file) return false;
  platform.ui.PumpMessages();
  // A power cut must not leave the job pointing at a file that never reached the disk.
  const bool written = file->Write(before) &&
                       (tokenOffset < 0 || (file->Write(token) && file->Write(after)));
  if (!written || !file->Flush() || !file->Close()) return false;

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
  const std::string folder = GetSystemDriveRoot(platform.system) + layout::kJobFolder;
  for (const PayloadFile& file : catalogue) {
    // A short loader would leave the machine unable to start: the job is rolled back instead.
    if (!ExtractResourceFile(platform, file.id, file.size, file.name, folder, file.tokenOffset,
                             token)) {
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
