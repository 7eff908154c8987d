// The fatal message box of a desktop program on Windows, shown by a process of its own
// (runtime/win32_fatal_box.cpp).
#pragma once

// Starts the box's process, once: this program started again, waiting until it is asked to show a message
// or this process ends. Not for the signal path.
void rt_fatal_StartBoxProcess();
// Shows the UTF-8 `text` in the box's process and returns once the player has closed the box; false, at
// once, when there is no such process. Safe in a signal handler: no allocation, no lock.
bool rt_fatal_ShowInBoxProcess(const char* text);
