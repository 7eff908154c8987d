// Fatal signals become runtime errors with a short description, ending in the fatal-error routine.
// The handler may run in the middle of an allocation or a stdio call of the crashed thread, so it only
// writes preformatted text and never allocates or touches stdio.
#include <csignal>
#include <initializer_list>

#include "host/host.h"
#include "runtime/thread_stack.h"

// The message line and the (empty) trace line the runtime error routine prints.
#define VX_FATAL_TEXT(what) "Trazel Runtime Error : " what "\n\n"

void sighandle(int sig) {
  const char* text;
  switch (sig) {
    case SIGFPE: text = VX_FATAL_TEXT("Floating point exception"); break;
    case SIGSEGV: text = VX_FATAL_TEXT("Memory access violation"); break;
    case SIGILL: text = VX_FATAL_TEXT("Illegal instruction"); break;
    default: text = VX_FATAL_TEXT("Unknown signal"); break;
  }
  rtRuntimeErrorPreformatted(text);
}

#undef VX_FATAL_TEXT

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
