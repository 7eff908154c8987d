// c_Socket: protocol names, state bits, and the hand-off of operations to the read and write queues.
#include "net/socket.h"

c_Socket* c_Socket::m_new(const String& protocol) {
  if (protocol == String("stream")) {
    m_Protocol = kProtocolStream;
  } else if (protocol == String("server")) {
    m_Protocol = kProtocolServer;
  } else if (protocol == String("datagram")) {
    m_Protocol = kProtocolDatagram;
  } else {
    rtError(String("Illegal socket protocol"));
  }
  RtSocket::InitSockets();
  gc_assign(m_Native, new RtSocket);
  if (!m_Native->Open(m_Protocol)) rtError(String("Socket open failed"));
  m_State = kSocketOpen;
  p_Start();
  return this;
}

void c_Socket::p_Start() {
  gc_assign(m_ReadQueue, (new c_AsyncQueue)->m_new(this));
  gc_assign(m_WriteQueue, (new c_AsyncQueue)->m_new(this));
  rt_asyncevent_AddAsyncEventSource(this);
}

void c_Socket::p_ConnectAsync(const String& host, int port, c_IOnConnectComplete* onComplete) {
  if (!p_IsOpen() || p_IsConnected() || p_IsListening()) return;
  m_ReadQueue->p_Enqueue((new c_AsyncConnectOp)->m_new(m_Native, host, port, onComplete));
}

void c_Socket::p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete* onComplete) {
  if (!p_IsConnected()) return;
  m_WriteQueue->p_Enqueue((new c_AsyncSendOp)->m_new(m_Native, data, offset, count, onComplete));
}

void c_Socket::p_ReceiveAsync(c_DataBuffer* data, int offset, int count, c_IOnReceiveComplete* onComplete) {
  if (!p_IsConnected()) return;
  m_ReadQueue->p_Enqueue((new c_AsyncReceiveOp)->m_new(m_Native, data, offset, count, onComplete));
}

void c_Socket::p_SetTimeout(int milliseconds) { m_Native->SetTimeout(milliseconds); }

int c_Socket::p_UpdateAsyncEvents() {
  m_ReadQueue->p_UpdateAsyncEvents();
  m_WriteQueue->p_UpdateAsyncEvents();
  return 0;
}

void c_Socket::p_Close() {
  if (m_Native->handle >= 0) m_Native->Close();
  m_Native->handle = -1;
  m_State = 0;
}

void c_Socket::mark() {
  gc_queue(m_Native);
  gc_queue(m_ReadQueue);
  gc_queue(m_WriteQueue);
}
