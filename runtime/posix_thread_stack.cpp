// An alternate signal stack of the calling thread's own (each thread needs its own: a signal runs on the
// stack of the thread that caused it), so the fatal-signal handler still runs after a stack overflow.
#include "runtime/thread_stack.h"

#include <csignal>

void rt_GuardThreadStack() {
  // A thread that has one already keeps it: a sanitizer gives each thread its own and takes it back
  // itself when the thread ends.
  stack_t current{};
  if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE)) return;
  static thread_local char alt_stack[64 * 1024];
  stack_t ss{};
  ss.ss_sp = alt_stack;
  ss.ss_size = sizeof alt_stack;
  sigaltstack(&ss, nullptr);
}
