// Fatal errors of the processor on Windows become runtime errors with a short description, ending in the
// fatal-error routine: the C runtime's signals for what it raises itself, and an unhandled-exception
// filter for the structured exceptions (access violations, stack overflows, illegal instructions).
#include <windows.h>

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

namespace {

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info) {
  const char* text;
  switch (info->ExceptionRecord->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_STACK_OVERFLOW:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      text = VX_FATAL_TEXT("Memory access violation");
      break;
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
      text = VX_FATAL_TEXT("Illegal instruction");
      break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
      text = VX_FATAL_TEXT("Floating point exception");
      break;
    default:
      text = VX_FATAL_TEXT("Unknown signal");
      break;
  }
  rtRuntimeErrorPreformatted(text);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

#undef VX_FATAL_TEXT

void InstallFatalSignalHandlers() {
  rtFatalInit();
  rt_GuardThreadStack();
  SetUnhandledExceptionFilter(OnUnhandledException);
  for (int sig : {SIGSEGV, SIGILL, SIGFPE}) std::signal(sig, sighandle);
  // No "the program stopped working" box over the game's own message.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}
