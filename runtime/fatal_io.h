// The console of the fatal path and the debugger prompt, and the stopping of threads once one has taken the
// fatal path; one implementation per platform (runtime/posix_fatal_io.cpp, runtime/win32_fatal_io.cpp).
// Every call is safe in a signal handler: no allocation, no stdio, no locks.
#pragma once
#include <cstddef>

// Writes all of `text` to standard output (1) or standard error (2); gives up silently when refused.
void rt_fatal_Write(int stream, const char* text, size_t size);
// One byte of standard input; false at its end or on an error.
bool rt_fatal_ReadByte(char* byte);
// Shows, and forgets, what was written for a console that is not there (a Windows desktop program: a
// message box); nothing elsewhere. For a fatal message whose process then ends through its exit handlers.
void rt_fatal_Show();
// Shows what is still collected, then ends the process with `status` at once: no exit handlers, no
// flushing of stdio.
[[noreturn]] void rt_fatal_Exit(int status);

// A number for the calling thread, never 0.
unsigned long long rt_fatal_ThreadId();
// Readies the fatal path as the game starts: makes the calling thread the game thread (the one that runs
// game code), and on a desktop without a console starts what shows the message box. Not for the signal
// path; calls after the first change nothing but the game thread.
void rt_fatal_Init();
// Stops the calling thread for good.
[[noreturn]] void rt_fatal_Park();
// Called on another thread than the game thread: stops the game thread for good, returns once it has
// stopped (or could not be made to within a second) and says true. On the game thread itself, or before
// there is one, it returns false at once.
bool rt_fatal_StopGameThread();
