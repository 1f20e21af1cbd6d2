// Told when a job's preparation begins and ends: bench/run's view of the job's own steps, from the
// request to the outcome. Only the bench asks for one; the program has none otherwise.
#pragma once

namespace tovak {

class JobTimer {
 public:
  virtual ~JobTimer() = default;
  virtual void Began() = 0;
  virtual void Ended() = 0;
};

}  // namespace tovak
