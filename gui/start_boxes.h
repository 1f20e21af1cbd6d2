// The boxes the window shows at start, before it opens: what became of the last job, and the offer
// to cancel a job that waits.
#pragma once

#include "platform/platform.h"

namespace tovak {

// The last job's result in one box, then its record deleted and the job forgotten; a record of
// another job, or one somebody wrote, is left alone, without a box.
void ShowLastJobResult(Platform& platform);

// Asks whether to cancel a pending job of this program, if there is one (No is the default); on
// Yes cancels it and says how that went. Anything the program cannot read as its own job is left
// alone, without a box.
void OfferToCancelPendingJob(Platform& platform);

}  // namespace tovak
