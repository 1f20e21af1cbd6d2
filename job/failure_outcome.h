// What a failed job or cancel tells: what failed and why, and whether the boot files are back.
#pragma once

#include <cstdint>
#include <string>

#include "job/outcome.h"
#include "job/rollback.h"
#include "platform/platform.h"

namespace tovak {

// The head, then the system's text for the code (none for success); then allBack when every boot
// file is back, else each one that is not, with the path of its saved copy, so that the user or a
// repair disk can put it back by hand: NotPutBack then, else Failed.
Outcome FailureOutcome(Platform& platform, const Rollback& rollback, std::string head,
                       std::uint32_t code, const char* allBack);

}  // namespace tovak
