// Fatal signals become runtime errors with a short description, ending in the fatal-error routine; each
// platform installs this handler its own way (host/posix_signals.cpp, host/win32_signals.cpp).
// The handler may run in the middle of an allocation or a stdio call of the crashed thread, so it only
// writes preformatted text and never allocates or touches stdio.
#include <csignal>

#include "host/host.h"

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
