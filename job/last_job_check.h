// At start: what became of the last job, as the DOS side recorded it.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tovak {

// What the record that the DOS side left for this program's last job says, as its box would say
// it; false, changing nothing, when there is no such record.
struct LastJobResult {
  std::string text;
  bool failed = true;
  std::string recordPath;
};
bool ReadLastJobResult(Platform& platform, LastJobResult& result);

// Shows the record that the DOS side left in the root of the system drive in one box, deletes it
// and forgets the job, when the record carries the key of the last job this program prepared
// here; anything else is left alone, without a box.
void ShowLastJobResult(Platform& platform);

}  // namespace tovak
