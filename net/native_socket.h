// The native socket layer: an operating-system socket handle and an IPv4 address. What every platform
// shares (the address, the users of a descriptor, the send loop) is in net/native_socket.cpp; the system
// calls themselves are in net/posix_socket.cpp (BSD sockets) and net/win32_socket.cpp (WinSock).
// Open and Close run on the main thread; Connect, Send and Receive on the worker threads of the queues.
#pragma once
#include <atomic>
#include <cstdint>

#include "runtime/runtime.h"

// Protocol codes of c_Socket.
enum { kProtocolStream = 1, kProtocolServer = 2, kProtocolDatagram = 3 };

class RtSocketAddress : public gc_object {
 public:
  // Both in network byte order, as the socket calls take them.
  uint32_t ip = 0;
  uint16_t port = 0;

  // Port, address 0.0.0.0, then an IPv4 lookup of `host` (8-bit text, may be empty).
  // False when the host is empty or does not resolve (the address then stays 0.0.0.0).
  bool Set(const char* host, int port);

 private:
  // The system's IPv4 lookup of a non-empty host name: its first address, in network byte order. `out` is
  // left alone when the name does not resolve.
  static bool LookupNative(const char* host, uint32_t& out);
};

class RtSocket : public gc_object {
 public:
  int handle = -1;  // -1 when closed; the main thread's view
  int protocol = 0;

  ~RtSocket() override;

  // The one-time set-up of the socket library (nothing on POSIX systems; WinSock's start on Windows).
  static void InitSockets();
  // Creates the socket for a protocol code (TCP with TCP_NODELAY, or UDP); false on failure.
  bool Open(int protocolCode);
  // Limits how long one connect, send or receive may block (milliseconds; 0 for no limit).
  void SetTimeout(int milliseconds);
  // Shuts the connection down, which wakes a worker blocked on it, and closes the handle once no worker
  // is still using it, so the number cannot be reused under a worker's feet.
  void Close();

  // Worker side. Each returns the system call's result (negative on failure, also once closed).
  int Connect(const RtSocketAddress& address);
  // Sends all `count` bytes unless the connection fails; the bytes sent, or -1 when none could be.
  int Send(const unsigned char* bytes, int count);
  int Receive(unsigned char* bytes, int count);

 private:
  // The descriptor itself stays fixed from Open until the last user releases it.
  int fd_ = -1;
  // Users in flight times 2, plus 1 once closed; the descriptor is closed when this reaches exactly 1.
  std::atomic<int> users_{0};
  int Acquire();
  void Release();
  // The platform's calls on a descriptor, used by the shared code. Connect, send and receive are one
  // system call each (tried again when a signal interrupted it) with its result: negative on failure,
  // else what a BSD socket call returns.
  static void ShutdownNative(int fd);
  static void CloseNative(int fd);
  static int ConnectNative(int fd, uint32_t ip, uint16_t port);
  static int SendNative(int fd, const unsigned char* bytes, int count);
  static int ReceiveNative(int fd, unsigned char* bytes, int count);
};
