// What became of a job or of a cancel, and what the user is told about it.
#pragma once

#include <string>

namespace tovak {

struct Outcome {
  enum class Kind {
    Done,          // the job is prepared, or the pending job is cancelled
    Refused,       // nothing changed; the text says why
    ImageMissing,  // a restore whose image is not there; nothing changed
    Failed,        // a step failed and every boot file is as it was
    NotPutBack,    // a step failed and a boot file is not back: the text names its saved copy
  };
  Kind kind = Kind::Done;
  std::string text;
};

}  // namespace tovak
