// Room kept on the calling thread's stack for the unhandled-exception filter after an overflow (the
// system's guard page alone leaves too little for it to run).
#include <windows.h>

#include "runtime/thread_stack.h"

void rt_GuardThreadStack() {
  ULONG guarantee = 64 * 1024;
  SetThreadStackGuarantee(&guarantee);
}
