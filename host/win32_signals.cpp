// The fatal-signal handler (host/fatal_signal.cpp) installed on Windows: for the C runtime's signals, and
// behind an unhandled-exception filter for the structured exceptions of a fault (access violations,
// stack overflows, illegal instructions), which Windows raises instead of signals.
#include <windows.h>

#include <csignal>
#include <initializer_list>

#include "host/host.h"
#include "runtime/thread_stack.h"

namespace {

// The structured exceptions of a fatal fault, as the signal the C runtime would name them with.
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info) {
  int sig;
  switch (info->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      sig = SIGSEGV;
      break;
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
      sig = SIGILL;
      break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
      sig = SIGFPE;
      break;
    default:
      sig = 0;
      break;
  }
  sighandle(sig);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallFatalSignalHandlers() {
  rtFatalInit();
  rt_GuardThreadStack();
  SetUnhandledExceptionFilter(OnUnhandledException);
  for (int sig : {SIGSEGV, SIGILL, SIGFPE}) std::signal(sig, sighandle);
  // No "the program stopped working" box over the game's own message.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}
