// The job's own steps and the window's share of OK, timed for bench/run, which sets
// TOVAK_BENCH and reads the program's standard output: "tovak-bench job N us" for each job
// prepared and "tovak-bench ok N us" from a press of OK to the window gone, written as the program
// ends. A write to the bench's pipe meanwhile would fall within the spans the bench times.
#pragma once

#include <windows.h>

#include <string>

#include "gui/window_timer.h"
#include "job/job_timer.h"

namespace tovak {

class BenchTimer final : public JobTimer, public WindowTimer {
 public:
  // Whether bench/run asked for the times.
  static bool Asked();
  ~BenchTimer() override;

  void Began() override;
  void Ended() override;
  void OkPressed() override;
  void WindowGone() override;

 private:
  void Note(const char* what, const LARGE_INTEGER& since);

  LARGE_INTEGER began_{};
  LARGE_INTEGER pressed_{};
  std::string lines_;
};

}  // namespace tovak
