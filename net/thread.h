// Threads for the runtime: an object that runs one virtual operation on a detached operating-system thread.
#pragma once
#include <atomic>

#include "runtime/runtime.h"

class RtThread : public gc_object {
 public:
  // Does nothing while running; otherwise clears the result and runs Run__UNSAFE__ on a new detached thread.
  // A thread that cannot be created is a fatal runtime error ("A thread could not be started (...)").
  virtual void Start();
  virtual bool IsRunning();
  virtual Object* Result();
  // Stores with the write barrier, so call it on the main thread.
  virtual void SetResult(Object* result);
  // The work; runs off the main thread, so it must not allocate collected objects.
  virtual void Run__UNSAFE__() {}

  void mark() override;

  // A fresh representation with the same characters (the empty string stays the shared one), so a worker
  // never shares a reference count with the main thread.
  static String Strdup(const String& text);

  // 0 never started, 1 running, 2 finished. Written by both threads, hence atomic.
  std::atomic<int> running{0};
  Object* result = nullptr;
};

class c_Thread : public RtThread {
 public:
  c_Thread* m_new() { return this; }
};
