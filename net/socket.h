// Sockets whose connect, send and receive run on worker threads and complete on the main thread.
// Callbacks return 0, like every hook of the framework.
#pragma once
#include "net/async_queue.h"

class c_IOnConnectComplete : public gc_interface {
 public:
  virtual int p_OnConnectComplete(bool connected, c_Socket* source) = 0;
};

class c_IOnSendComplete : public gc_interface {
 public:
  virtual int p_OnSendComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) = 0;
};

class c_IOnReceiveComplete : public gc_interface {
 public:
  // `count` is the receive call's result: 0 when the peer closed, negative on failure or timeout.
  virtual int p_OnReceiveComplete(c_DataBuffer* data, int offset, int count, c_Socket* source) = 0;
};

// State bits of c_Socket::m_State.
enum { kSocketOpen = 1, kSocketConnectedOnce = 2, kSocketConnected = 4, kSocketListening = 8 };

class c_Socket : public Object, public c_IAsyncEventSource {
 public:
  RtSocket* m_Native = nullptr;
  int m_Protocol = 0;
  int m_State = 0;
  c_AsyncQueue* m_ReadQueue = nullptr;   // connects and receives
  c_AsyncQueue* m_WriteQueue = nullptr;  // sends

  // "stream", "server" or "datagram"; any other name stops the program with "Illegal socket protocol",
  // and a socket that cannot be made with "Socket open failed". Registers the socket as an event source.
  c_Socket* m_new(const String& protocol);
  // Makes both queues and registers the socket with the event pump.
  void p_Start();

  bool p_IsOpen() const { return (m_State & kSocketOpen) != 0; }
  bool p_IsConnected() const { return (m_State & kSocketConnected) != 0; }
  bool p_IsListening() const { return (m_State & kSocketListening) != 0; }

  // Only on an open socket that is neither connected nor listening; otherwise nothing happens.
  void p_ConnectAsync(const String& host, int port, c_IOnConnectComplete* onComplete);
  // Only on a connected socket; otherwise nothing happens.
  void p_SendAsync(c_DataBuffer* data, int offset, int count, c_IOnSendComplete* onComplete);
  void p_ReceiveAsync(c_DataBuffer* data, int offset, int count, c_IOnReceiveComplete* onComplete);
  // Bounds each blocking connect, send and receive; a receive that times out completes with -1.
  void p_SetTimeout(int milliseconds);
  int p_UpdateAsyncEvents() override;
  // Closes the handle (-1) and clears the state; a worker blocked on the socket is woken.
  void p_Close();
  void mark() override;
};
