// Restarting Windows: on the NT family the process must first enable the shutdown privilege in its
// own token. Problems are reported in message boxes and never stop the restart.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/restarter.h"

namespace tovak {

class ShutDown final : public Restarter {
 public:
  explicit ShutDown(Platform& platform);

  // "NT" or "9X".
  std::string GetPlatformKind();
  // Each step is judged by the last-error code, cleared once before the first: a code left by a
  // failed step shows again after a later step that leaves it untouched.
  void EnablePrivilege();
  // Asks for the restart whatever the privilege steps reported; a refused restart goes unnoticed.
  bool RestartWindows() override;

 private:
  // The box for a step whose call left a last-error code.
  void ReportStep(const char* step, const char* title);

  Platform& platform_;
};

}  // namespace tovak
