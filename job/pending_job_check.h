// At start: a job of this program that waits for the next start of the machine is shown, and the
// user may cancel it.
#pragma once

#include "platform/platform.h"

namespace tovak {

// Asks whether to cancel a pending job of this program, if there is one (No is the default); on
// Yes cancels it and says how that went. Anything the program cannot read as its own job is left
// alone, without a box.
void OfferToCancelPendingJob(Platform& platform);

}  // namespace tovak
