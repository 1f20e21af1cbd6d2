// At start: what became of the last job, as the DOS side recorded it.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tovak {

// What became of the last job this program prepared here, as its box would say it: what the
// record that the DOS side left for it says, or that it never reported (cut short). No text: the
// system is what a later restore wrote, which succeeded. False, changing nothing, when no job is
// remembered, a job waits, or nothing can be told.
struct LastJobResult {
  std::string text;
  bool failed = true;
  bool cutShort = false;
  std::string recordPath;  // the record to delete once shown; empty: none
};
bool ReadLastJobResult(Platform& platform, LastJobResult& result);

// Shows the last job's result in one box, deletes its record and forgets the job; a record of
// another job, or one somebody wrote, is left alone.
void ShowLastJobResult(Platform& platform);

}  // namespace tovak
