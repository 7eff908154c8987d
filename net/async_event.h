// The event pump: sources of asynchronous completions, registered once, polled by the game every update.
#pragma once
#include "runtime/runtime.h"

class c_IAsyncEventSource : public gc_interface {
 public:
  // Delivers, on the main thread, whatever completed since the last call. Returns 0.
  virtual int p_UpdateAsyncEvents() = 0;
};

class c_Stack3 : public rt_Stack<c_IAsyncEventSource*> {
 public:
  c_Stack3* m_new() { return this; }
  bool p_Contains(c_IAsyncEventSource* value) const;
};

// Every registered source, in order of registration; sources are never removed. rtInit gives it an empty
// stack (`(new c_Stack3)->m_new()`); a null stack is created on the first registration.
extern c_Stack3* rt_asyncevent__sources;
// The source being pumped, or null; non-null means the pump is running (rtInit sets it to null).
extern c_IAsyncEventSource* rt_asyncevent__current;

// Registers a source; one already registered stops the program with "Async event source is already active".
void rt_asyncevent_AddAsyncEventSource(c_IAsyncEventSource* source);
// Pumps every source once, in order; does nothing when called from inside the pump.
void rt_asyncevent_UpdateAsyncEvents();
// Queues the two globals for marking; the program's root marker calls it.
void rt_asyncevent_MarkRoots();
