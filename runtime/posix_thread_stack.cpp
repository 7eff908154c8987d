// An alternate signal stack of the calling thread's own (each thread needs its own: a signal runs on the
// stack of the thread that caused it), so the fatal-signal handler still runs after a stack overflow.
#include "runtime/thread_stack.h"

#include <csignal>

void rt_GuardThreadStack() {
  static thread_local char alt_stack[64 * 1024];
  stack_t ss{};
  ss.ss_sp = alt_stack;
  ss.ss_size = sizeof alt_stack;
  sigaltstack(&ss, nullptr);
}
