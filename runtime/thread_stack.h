// Room for the fatal-error handler on a thread whose stack has overflowed, one implementation per platform
// (runtime/posix_thread_stack.cpp: an alternate signal stack; runtime/win32_thread_stack.cpp: a stack
// guarantee). Every thread the game starts calls it first, the main thread included, so a stack overflow
// anywhere ends with the fatal message and status 255 instead of a silent crash.
#pragma once

void rt_GuardThreadStack();
