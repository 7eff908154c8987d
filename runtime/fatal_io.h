// The console of the fatal path and the debugger prompt, one implementation per platform
// (runtime/posix_fatal_io.cpp, runtime/win32_fatal_io.cpp). Every call is safe in a signal handler:
// no allocation, no stdio, no locks.
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
