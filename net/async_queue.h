// Asynchronous socket operations and the ring that hands them to a worker thread and back.
// The main thread enqueues and completes; one worker per queue executes the blocking calls.
#pragma once
#include <atomic>

#include "net/async_event.h"
#include "net/data_buffer.h"
#include "net/native_socket.h"
#include "net/thread.h"

class c_Socket;
class c_IOnConnectComplete;
class c_IOnSendComplete;
class c_IOnReceiveComplete;

class c_AsyncOp : public Object {
 public:
  c_AsyncOp* m_new() { return this; }
  // Main thread: delivers the result to the operation's target.
  virtual void p_Complete(c_Socket* source) = 0;
  // Worker thread: the blocking call; touches only the operation's own state, its buffer and socket.
  virtual void p_Execute__UNSAFE__(c_Socket* source) = 0;
};

// A ring of 256 slots: m_Put and m_Completed belong to the main thread, m_Executed to the worker; each side
// only reads the other's index, with acquire/release so that an operation's state travels with its index.
class c_AsyncQueue : public c_Thread, public c_IAsyncEventSource {
 public:
  static constexpr int kSlots = 256;

  c_Socket* m_Socket = nullptr;
  Array<c_AsyncOp*> m_Ops;
  std::atomic<int> m_Put{0};
  std::atomic<int> m_Completed{0};
  std::atomic<int> m_Executed{0};

  c_AsyncQueue* m_new(c_Socket* socket);
  // Stores the operation and starts the worker; the 256th pending operation stops the program with
  // "AsyncQueue queue overflow!".
  void p_Enqueue(c_AsyncOp* op);
  // Executes until it has caught up with m_Put, then the thread ends.
  void Run__UNSAFE__() override;
  // Restarts a worker that stopped with work left, then completes every executed operation in order.
  int p_UpdateAsyncEvents() override;
  void mark() override;
};

class c_AsyncConnectOp : public c_AsyncOp {
 public:
  RtSocket* m_Socket = nullptr;
  RtSocketAddress* m_Address = nullptr;  // made here on the main thread, filled in by the worker
  String m_Host;
  int m_Port = 0;
  c_IOnConnectComplete* m_OnComplete = nullptr;
  bool m_Success = false;

  c_AsyncConnectOp* m_new(RtSocket* socket, const String& host, int port, c_IOnConnectComplete* onComplete);
  void p_Complete(c_Socket* source) override;
  void p_Execute__UNSAFE__(c_Socket* source) override;
  void mark() override;

 private:
  // The host as 8-bit text, prepared on the main thread; empty when the host is 1024 units or longer.
  char hostText_[1024] = {};
};

// Buffer, offset and count; the range is clipped to the buffer when the operation is made.
class c_AsyncSocketIoOp : public c_AsyncOp {
 public:
  RtSocket* m_Socket = nullptr;
  c_DataBuffer* m_Buffer = nullptr;
  int m_Offset = 0;
  int m_Count = 0;  // the bytes asked for; after execution, the call's result

  c_AsyncSocketIoOp* m_new(RtSocket* socket, c_DataBuffer* buffer, int offset, int count);
  void mark() override;
};

class c_AsyncSendOp : public c_AsyncSocketIoOp {
 public:
  c_IOnSendComplete* m_OnComplete = nullptr;

  c_AsyncSendOp* m_new(RtSocket* socket, c_DataBuffer* buffer, int offset, int count,
                       c_IOnSendComplete* onComplete);
  void p_Complete(c_Socket* source) override;
  void p_Execute__UNSAFE__(c_Socket* source) override;
  void mark() override;
};

class c_AsyncReceiveOp : public c_AsyncSocketIoOp {
 public:
  c_IOnReceiveComplete* m_OnComplete = nullptr;

  c_AsyncReceiveOp* m_new(RtSocket* socket, c_DataBuffer* buffer, int offset, int count,
                          c_IOnReceiveComplete* onComplete);
  void p_Complete(c_Socket* source) override;
  void p_Execute__UNSAFE__(c_Socket* source) override;
  void mark() override;
};
