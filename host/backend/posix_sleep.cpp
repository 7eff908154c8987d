// The GLFW 3 backend's sleep on POSIX systems: clock_nanosleep to an absolute deadline.
#include "host/backend/sleep.h"

#include <cerrno>
#include <cmath>
#include <ctime>

void glfw2_SleepSeconds(double seconds) {
  if (!(seconds > 0.0)) return;              // also NaN
  if (seconds > 1.0e6) seconds = 1.0e6;      // keeps the arithmetic below in range
  timespec until{};
  clock_gettime(CLOCK_MONOTONIC, &until);
  double whole = 0.0;
  double frac = std::modf(seconds, &whole);
  until.tv_sec += time_t(whole);
  until.tv_nsec += long(frac * 1.0e9);
  if (until.tv_nsec >= 1000000000L) {
    until.tv_sec += 1;
    until.tv_nsec -= 1000000000L;
  }
  // An absolute deadline, so signals that interrupt the sleep do not lengthen it.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}
