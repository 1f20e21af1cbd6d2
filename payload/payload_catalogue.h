// The payload files the executable carries as "CUSTOM" resources, in the order they are written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tovak {

enum class PayloadDestination { Root, PayloadFolder };

struct PayloadFile {
  int id;
  const char* name;
  PayloadDestination destination;
  std::int32_t size;  // of the file this build embeds
  // Where the deployed copy carries the job's token in place of kTokenPlaceholder; -1: nowhere.
  std::int32_t tokenOffset = -1;
};

// What the floppy image's runner holds until a job writes its token there: no token looks like
// it, since tokens are hex digits.
constexpr const char kTokenPlaceholder[] = "TOKEN000";

constexpr std::size_t kPayloadFileCount = 21;
using Catalogue = std::array<PayloadFile, kPayloadFileCount>;

const Catalogue& PayloadCatalogue();

// A stand-in replaces at least one boot file: the build is for the sandbox only.
bool PayloadHasStandIns();

}  // namespace tovak
