// The operation ring shared by the main thread and one worker, and the connect, send and receive operations.
#include "net/async_queue.h"

#include "net/socket.h"

c_AsyncQueue* c_AsyncQueue::m_new(c_Socket* socket) {
  c_Thread::m_new();
  gc_assign(m_Socket, socket);
  gc_assign(m_Ops, Array<c_AsyncOp*>(kSlots));
  return this;
}

void c_AsyncQueue::p_Enqueue(c_AsyncOp* op) {
  int put = m_Put.load(std::memory_order_relaxed);
  // The slot at m_Put is never one the worker may still read: every slot it reads lies before m_Put.
  gc_store(m_Ops[put], op);
  int next = (put + 1) % kSlots;
  if (next == m_Completed.load(std::memory_order_relaxed)) rtError(String("AsyncQueue queue overflow!"));
  m_Put.store(next, std::memory_order_release);
  Start();
}

void c_AsyncQueue::Run__UNSAFE__() {
  int executed = m_Executed.load(std::memory_order_relaxed);
  while (executed != m_Put.load(std::memory_order_acquire)) {
    m_Ops[executed]->p_Execute__UNSAFE__(m_Socket);
    executed = (executed + 1) % kSlots;
    m_Executed.store(executed, std::memory_order_release);
  }
}

int c_AsyncQueue::p_UpdateAsyncEvents() {
  // A worker that found nothing left just before the last enqueue has ended without running it.
  if (m_Executed.load(std::memory_order_acquire) != m_Put.load(std::memory_order_relaxed)) Start();
  for (;;) {
    int completed = m_Completed.load(std::memory_order_relaxed);
    if (completed == m_Executed.load(std::memory_order_acquire)) break;
    m_Completed.store((completed + 1) % kSlots, std::memory_order_release);
    // A completion may enqueue more work on this queue; the indices are re-read on every pass.
    m_Ops[completed]->p_Complete(m_Socket);
  }
  return 0;
}

void c_AsyncQueue::mark() {
  c_Thread::mark();
  gc_queue(m_Socket);
  gc_mark(m_Ops);
}

c_AsyncConnectOp* c_AsyncConnectOp::m_new(RtSocket* socket, const String& host, int port,
                                          c_IOnConnectComplete* onComplete) {
  c_AsyncOp::m_new();
  gc_assign(m_Socket, socket);
  gc_assign(m_Address, new RtSocketAddress);
  m_Host = host;
  m_Port = port;
  gc_assign(m_OnComplete, onComplete);
  if (host.Length() < int(sizeof hostText_)) host.ToCString(hostText_, sizeof hostText_);
  return this;
}

void c_AsyncConnectOp::p_Execute__UNSAFE__(c_Socket* source) {
  (void)source;
  // A host that does not resolve fails here: connecting to INADDR_ANY would reach this machine instead.
  m_Success = m_Address->Set(hostText_, m_Port) && m_Socket->Connect(*m_Address) >= 0;
}

void c_AsyncConnectOp::p_Complete(c_Socket* source) {
  // A socket closed while the connect was under way stays closed.
  bool success = m_Success && source->p_IsOpen();
  if (success) source->m_State |= kSocketConnectedOnce | kSocketConnected;
  if (m_OnComplete) m_OnComplete->p_OnConnectComplete(success, source);
}

void c_AsyncConnectOp::mark() {
  gc_queue(m_Socket);
  gc_queue(m_Address);
  gc_queue_iface(m_OnComplete);
}

c_AsyncSocketIoOp* c_AsyncSocketIoOp::m_new(RtSocket* socket, c_DataBuffer* buffer, int offset, int count) {
  c_AsyncOp::m_new();
  gc_assign(m_Socket, socket);
  gc_assign(m_Buffer, buffer);
  m_Offset = offset;
  // The worker writes into the buffer, so the range must lie inside it.
  int room = buffer && offset >= 0 && offset <= buffer->length ? buffer->length - offset : 0;
  m_Count = count < 0 ? 0 : count < room ? count : room;
  return this;
}

void c_AsyncSocketIoOp::mark() {
  gc_queue(m_Socket);
  gc_queue(m_Buffer);
}

c_AsyncSendOp* c_AsyncSendOp::m_new(RtSocket* socket, c_DataBuffer* buffer, int offset, int count,
                                    c_IOnSendComplete* onComplete) {
  c_AsyncSocketIoOp::m_new(socket, buffer, offset, count);
  gc_assign(m_OnComplete, onComplete);
  return this;
}

void c_AsyncSendOp::p_Execute__UNSAFE__(c_Socket* source) {
  (void)source;
  if (m_Count > 0) m_Count = m_Socket->Send(m_Buffer->data + m_Offset, m_Count);
}

void c_AsyncSendOp::p_Complete(c_Socket* source) {
  if (m_OnComplete) m_OnComplete->p_OnSendComplete(m_Buffer, m_Offset, m_Count, source);
}

void c_AsyncSendOp::mark() {
  c_AsyncSocketIoOp::mark();
  gc_queue_iface(m_OnComplete);
}

c_AsyncReceiveOp* c_AsyncReceiveOp::m_new(RtSocket* socket, c_DataBuffer* buffer, int offset, int count,
                                          c_IOnReceiveComplete* onComplete) {
  c_AsyncSocketIoOp::m_new(socket, buffer, offset, count);
  gc_assign(m_OnComplete, onComplete);
  return this;
}

void c_AsyncReceiveOp::p_Execute__UNSAFE__(c_Socket* source) {
  (void)source;
  if (m_Count > 0) m_Count = m_Socket->Receive(m_Buffer->data + m_Offset, m_Count);
}

void c_AsyncReceiveOp::p_Complete(c_Socket* source) {
  if (m_OnComplete) m_OnComplete->p_OnReceiveComplete(m_Buffer, m_Offset, m_Count, source);
}

void c_AsyncReceiveOp::mark() {
  c_AsyncSocketIoOp::mark();
  gc_queue_iface(m_OnComplete);
}
