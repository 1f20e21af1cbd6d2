// Restarting Windows into the prepared job, as the job asks for it after the user's Yes.
#pragma once

namespace tovak {

class Restarter {
 public:
  virtual ~Restarter() = default;
  // False, with the last error, when Windows refused the restart.
  virtual bool RestartWindows() = 0;
};

}  // namespace tovak
