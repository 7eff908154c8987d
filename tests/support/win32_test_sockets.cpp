// The tests' loopback sockets over WinSock. A SOCKET is kept in an int, as RtSocket keeps it.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

#include "support/test_sockets.h"

namespace vxtest {

namespace {

SOCKET Native(int s) { return SOCKET(unsigned(s)); }

// WinSock is started once for the process (the game's own start does the same; the count nests).
bool Started() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

int BoundLoopback(int type, int* port) {
  if (!Started()) return -1;
  SOCKET s = socket(AF_INET, type, 0);
  if (s == INVALID_SOCKET) return -1;
  sockaddr_in addr;
  memset(&addr, 0, sizeof addr);
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    closesocket(s);
    return -1;
  }
  *port = ntohs(addr.sin_port);
  return int(s);
}

}  // namespace

int ListenLoopback(int* port) {
  int s = BoundLoopback(SOCK_STREAM, port);
  if (s >= 0 && listen(Native(s), 4) != 0) {
    closesocket(Native(s));
    return -1;
  }
  return s;
}

int BindLoopbackDatagram(int* port) { return BoundLoopback(SOCK_DGRAM, port); }

int FreeLoopbackPort() {
  int port = 0;
  int s = BoundLoopback(SOCK_STREAM, &port);
  if (s >= 0) closesocket(Native(s));
  return port;
}

bool WaitReadable(int s, int ms) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(Native(s), &readable);
  timeval limit;
  limit.tv_sec = ms / 1000;
  limit.tv_usec = (ms % 1000) * 1000;
  return select(0, &readable, nullptr, nullptr, &limit) > 0;
}

int Accept(int listener) {
  SOCKET s = accept(Native(listener), nullptr, nullptr);
  if (s == INVALID_SOCKET) return -1;
  BOOL on = TRUE;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  return int(s);
}

int Receive(int s, void* bytes, int count) { return recv(Native(s), static_cast<char*>(bytes), count, 0); }

// WinSock raises no signal for a peer that has gone.
int Send(int s, const std::string& bytes) { return send(Native(s), bytes.data(), int(bytes.size()), 0); }

void CloseSocket(int s) {
  if (s >= 0) closesocket(Native(s));
}

}  // namespace vxtest
