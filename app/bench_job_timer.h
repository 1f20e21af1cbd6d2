// The job's own steps timed for bench/run, which sets TOVAK_BENCH_JOB and reads the program's
// standard output: "tovak-bench job N us" once a job's preparation ends.
#pragma once

#include <windows.h>

#include "job/job_timer.h"

namespace tovak {

class BenchJobTimer final : public JobTimer {
 public:
  // Whether bench/run asked for the times.
  static bool Asked();

  void Began() override;
  void Ended() override;

 private:
  LARGE_INTEGER began_{};
};

}  // namespace tovak
