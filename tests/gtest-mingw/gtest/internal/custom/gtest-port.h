// GoogleTest's own hook for a port. MinGW's win32 thread model (kept because its runtime loads on
// Windows XP) has no std::mutex, which GoogleTest's Notification uses; this one needs none.
#ifndef GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
#define GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// Only GoogleTest's threading helpers use it, to hold new threads until they may start.
class Notification {
 public:
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal

#endif  // GOOGLETEST_INCLUDE_GTEST_INTERNAL_CUSTOM_GTEST_PORT_H_
