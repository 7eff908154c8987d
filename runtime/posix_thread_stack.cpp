// An alternate signal stack of the calling thread's own (each thread needs its own: a signal runs on the
// stack of the thread that caused it), so the fatal-signal handler still runs after a stack overflow.
//
// The stack is mapped when the thread asks for it and unmapped when the thread ends. A thread_local array
// would be static TLS, which glibc carves out of every thread's stack, the threads of the sound, display
// and GL libraries included; a library thread started with a small stack would lose that room or fail to
// start at all.
#include "runtime/thread_stack.h"

#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>

namespace {

constexpr size_t kAltStackSize = 64 * 1024;

// This thread's mapping: one inaccessible guard page below the stack, so that overflowing the signal
// stack itself faults instead of writing over whatever lies below it.
struct AltStack {
  char* mapping = nullptr;
  size_t mapped = 0;
  size_t guard = 0;

  ~AltStack() {
    if (!mapping) return;
    // Switched off first, but only while it is still ours: a signal arriving between the two calls
    // must not land on unmapped memory.
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && current.ss_sp == mapping + guard) {
      stack_t off{};
      off.ss_flags = SS_DISABLE;
      sigaltstack(&off, nullptr);
    }
    munmap(mapping, mapped);
  }
};

// Only a pointer and two sizes: what stays in static TLS is a few bytes.
thread_local AltStack t_alt_stack;

}  // namespace

void rt_GuardThreadStack() {
  // A thread that has one already keeps it: a sanitizer gives each thread its own and takes it back
  // itself when the thread ends.
  stack_t current{};
  if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE)) return;
  if (t_alt_stack.mapping) return;
  long page = sysconf(_SC_PAGESIZE);
  size_t guard = page > 0 ? size_t(page) : 4096;
  size_t mapped = guard + kAltStackSize;
  void* p = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
  if (p == MAP_FAILED) return;  // the thread runs on without one, as before it asked
  char* mapping = static_cast<char*>(p);
  if (mprotect(mapping, guard, PROT_NONE) != 0) {
    munmap(mapping, mapped);
    return;
  }
  stack_t ss{};
  ss.ss_sp = mapping + guard;
  ss.ss_size = kAltStackSize;
  if (sigaltstack(&ss, nullptr) != 0) {
    munmap(mapping, mapped);
    return;
  }
  t_alt_stack.mapping = mapping;
  t_alt_stack.mapped = mapped;
  t_alt_stack.guard = guard;
}
