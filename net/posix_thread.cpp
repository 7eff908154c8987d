// RtThread on POSIX threads: each Start creates one detached thread that nobody joins.
#include <pthread.h>

#include <cstdio>
#include <cstring>

#include "net/thread.h"
#include "runtime/error.h"
#include "runtime/thread_stack.h"

namespace {

void* thread_entry(void* self) {
  rt_GuardThreadStack();
  RtThread* thread = static_cast<RtThread*>(self);
  thread->Run__UNSAFE__();
  // Release: whoever sees 2 also sees everything the run wrote.
  thread->running.store(2, std::memory_order_release);
  return nullptr;
}

}  // namespace

void RtThread::Start() {
  if (running.load(std::memory_order_acquire) == 1) return;
  result = nullptr;
  running.store(1, std::memory_order_release);
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  pthread_t id;
  int rc = pthread_create(&id, &attr, thread_entry, this);
  pthread_attr_destroy(&attr);
  if (rc != 0) {
    char message[128];
    std::snprintf(message, sizeof message, "A thread could not be started (pthread_create failed: %s).",
                  std::strerror(rc));
    rtRuntimeError(message);
  }
}
