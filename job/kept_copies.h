// What a failed job or cancel tells about the boot files it could not put back.
#pragma once

#include <string>

#include "job/rollback.h"

namespace tovak {

// Each root boot file that is not back, with the path of its saved copy, so that the user or a
// repair disk can put it back by hand; empty when every file is back.
std::string DescribeKeptCopies(const Rollback& rollback);

}  // namespace tovak
