// The event pump over the global list of asynchronous event sources.
#include "net/async_event.h"

c_Stack3* rt_asyncevent__sources = nullptr;
c_IAsyncEventSource* rt_asyncevent__current = nullptr;

bool c_Stack3::p_Contains(c_IAsyncEventSource* value) const {
  for (int i = 0; i < m_length; ++i) {
    if (m_data[i] == value) return true;
  }
  return false;
}

void rt_asyncevent_AddAsyncEventSource(c_IAsyncEventSource* source) {
  if (!rt_asyncevent__sources) gc_assign(rt_asyncevent__sources, (new c_Stack3)->m_new());
  if (rt_asyncevent__sources->p_Contains(source)) rtError(String("Async event source is already active"));
  rt_asyncevent__sources->p_Push(source);
}

void rt_asyncevent_UpdateAsyncEvents() {
  if (rt_asyncevent__current || !rt_asyncevent__sources) return;
  // Sources registered by a completion are pumped in this same pass, after the others.
  for (int i = 0; i < rt_asyncevent__sources->p_Length(); ++i) {
    gc_assign(rt_asyncevent__current, rt_asyncevent__sources->p_Get(i));
    rt_asyncevent__current->p_UpdateAsyncEvents();
  }
  rt_asyncevent__current = nullptr;
}

void rt_asyncevent_MarkRoots() {
  gc_queue(rt_asyncevent__sources);
  gc_queue_iface(rt_asyncevent__current);
}
