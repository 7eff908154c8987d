// The platform-neutral part of RtThread: its state and result (the start is per platform,
// net/posix_thread.cpp and net/win32_thread.cpp).
#include "net/thread.h"

bool RtThread::IsRunning() { return running.load(std::memory_order_acquire) == 1; }

Object* RtThread::Result() { return result; }

void RtThread::SetResult(Object* value) { gc_assign(result, value); }

void RtThread::mark() { gc_queue(result); }

String RtThread::Strdup(const String& text) { return String(text.Data(), text.Length()); }
