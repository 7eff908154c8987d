// RtThread on Windows threads: each Start creates one thread with CreateThread and lets its handle go at
// once, so nobody waits for it.
#include <windows.h>

#include <cstdio>

#include "net/thread.h"
#include "runtime/error.h"
#include "runtime/thread_stack.h"

namespace {

DWORD WINAPI thread_entry(void* self) {
  rt_GuardThreadStack();
  RtThread* thread = static_cast<RtThread*>(self);
  thread->Run__UNSAFE__();
  // Release: whoever sees 2 also sees everything the run wrote.
  thread->running.store(2, std::memory_order_release);
  return 0;
}

}  // namespace

void RtThread::Start() {
  if (running.load(std::memory_order_acquire) == 1) return;
  result = nullptr;
  running.store(1, std::memory_order_release);
  HANDLE h = CreateThread(nullptr, 0, thread_entry, this, 0, nullptr);
  if (!h) {
    // The fatal way: a program started from the desktop has no standard output to print to.
    char message[128];
    std::snprintf(message, sizeof message, "A thread could not be started (CreateThread failed, error %lu).",
                  static_cast<unsigned long>(GetLastError()));
    rtRuntimeError(message);
  }
  CloseHandle(h);
}
