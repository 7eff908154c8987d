// The WinSock calls behind RtSocket and RtSocketAddress (net/native_socket.h). A SOCKET is a small kernel
// handle number on Windows; it is kept in the same int as a descriptor elsewhere, with INVALID_SOCKET as -1.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "net/native_socket.h"

namespace {
SOCKET Native(int fd) { return SOCKET(unsigned(fd)); }
}  // namespace

bool RtSocketAddress::LookupNative(const char* host, uint32_t& out) {
  addrinfo hints;
  memset(&hints, 0, sizeof hints);
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
  out = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  freeaddrinfo(found);
  return true;
}

void RtSocket::InitSockets() {
  static bool started = false;
  if (started) return;
  WSADATA data;
  started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

// Unlike a POSIX shutdown, WinSock's does not wake a call already blocked on the socket in another thread
// (a receive from a silent peer would wait for ever): that call is cancelled and returns an error. Calls
// made after the shutdown fail at once.
void RtSocket::ShutdownNative(int fd) {
  ::shutdown(Native(fd), SD_BOTH);
  CancelIoEx(reinterpret_cast<HANDLE>(Native(fd)), nullptr);
}

void RtSocket::CloseNative(int fd) { ::closesocket(Native(fd)); }

bool RtSocket::Open(int protocolCode) {
  SOCKET s;
  if (protocolCode == kProtocolDatagram) {
    s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  } else {
    s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s != INVALID_SOCKET) {
      BOOL on = TRUE;
      setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    }
  }
  if (s == INVALID_SOCKET) return false;
  fd_ = int(s);
  protocol = protocolCode;
  handle = fd_;
  users_.store(0);
  return true;
}

void RtSocket::SetTimeout(int milliseconds) {
  if (fd_ < 0 || milliseconds < 0) return;
  DWORD ms = DWORD(milliseconds);
  setsockopt(Native(fd_), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
  setsockopt(Native(fd_), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
}

int RtSocket::ConnectNative(int fd, uint32_t ip, uint16_t port) {
  sockaddr_in to;
  memset(&to, 0, sizeof to);
  to.sin_family = AF_INET;
  to.sin_port = port;
  to.sin_addr.s_addr = ip;
  return ::connect(Native(fd), reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

// WinSock calls are not interrupted by signals; each is made once.
int RtSocket::SendNative(int fd, const unsigned char* bytes, int count) {
  return ::send(Native(fd), reinterpret_cast<const char*>(bytes), count, 0);
}

int RtSocket::ReceiveNative(int fd, unsigned char* bytes, int count) {
  return ::recv(Native(fd), reinterpret_cast<char*>(bytes), count, 0);
}
