// Told when a press of OK reaches the window and when the window is gone after a prepared job:
// bench/run's view of the window's share of OK, taken inside the program, where no look from
// outside comes late. Only the bench asks for one; the program has none otherwise.
#pragma once

namespace tovak {

class WindowTimer {
 public:
  virtual ~WindowTimer() = default;
  virtual void OkPressed() = 0;
  virtual void WindowGone() = 0;
};

}  // namespace tovak
