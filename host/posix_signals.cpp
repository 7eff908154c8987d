// The fatal-signal handler (host/fatal_signal.cpp) installed on POSIX systems: sigaction, on an alternate
// stack so that a stack overflow still reaches it.
#include <csignal>
#include <initializer_list>

#include "host/host.h"
#include "runtime/thread_stack.h"

void InstallFatalSignalHandlers() {
  rtFatalInit();
  // A stack of its own, so that a stack overflow still reaches the handler (the other threads take
  // theirs as they start).
  rt_GuardThreadStack();
  struct sigaction sa{};
  sa.sa_handler = sighandle;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_ONSTACK;
  for (int sig : {SIGSEGV, SIGILL, SIGFPE}) sigaction(sig, &sa, nullptr);
}
