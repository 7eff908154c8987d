// The GLFW 3 backend's sleep, one implementation per platform (posix_sleep.cpp, win32_sleep.cpp).
#pragma once

// Sleeps for `seconds` (nothing for zero, negative or NaN); signals do not lengthen the sleep.
void glfw2_SleepSeconds(double seconds);
