// At start: what became of the last job, as the DOS side recorded it.
#pragma once

#include "platform/platform.h"

namespace tovak {

// Shows the record that the DOS side left in the root of the system drive in one box, deletes it
// and forgets the job, when the record carries the token of the last job this program prepared
// here; anything else is left alone, without a box.
void ShowLastJobResult(Platform& platform);

}  // namespace tovak
