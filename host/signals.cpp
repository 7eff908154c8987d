// Fatal signals become runtime errors with a short description, ending in the fatal-error routine.
#include <csignal>

#include "host/host.h"

void sighandle(int sig) {
  const char* text;
  switch (sig) {
    case SIGFPE: text = "Floating point exception"; break;
    case SIGSEGV: text = "Memory access violation"; break;
    case SIGILL: text = "Illegal instruction"; break;
    default: text = "Unknown signal"; break;
  }
  rtRuntimeError(text);
}
