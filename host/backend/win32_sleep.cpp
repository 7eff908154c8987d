// The GLFW 3 backend's sleep on Windows: a waitable timer, high-resolution where the system has one, so a
// frame's rest is not rounded up to the 15.6 ms scheduler tick.
#include <windows.h>

#include "host/backend/sleep.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

void glfw2_SleepSeconds(double seconds) {
  if (!(seconds > 0.0)) return;              // also NaN
  if (seconds > 1.0e6) seconds = 1.0e6;      // keeps the arithmetic below in range
  static thread_local HANDLE timer = [] {
    HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    return t ? t : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  }();
  LARGE_INTEGER due;
  due.QuadPart = -LONGLONG(seconds * 1.0e7);  // relative, in 100 ns units
  if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    WaitForSingleObject(timer, INFINITE);
    return;
  }
  Sleep(DWORD(seconds * 1000.0));
}
