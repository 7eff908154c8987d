// The tests' loopback sockets over BSD sockets.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "support/test_sockets.h"

namespace vxtest {

namespace {

// A socket bound to 127.0.0.1 at a free port; -1 when it cannot be made.
int BoundLoopback(int type, int* port) {
  int s = socket(AF_INET, type, 0);
  if (s < 0) return -1;
  sockaddr_in addr;
  memset(&addr, 0, sizeof addr);
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(s);
    return -1;
  }
  *port = ntohs(addr.sin_port);
  return s;
}

}  // namespace

int ListenLoopback(int* port) {
  int s = BoundLoopback(SOCK_STREAM, port);
  if (s >= 0 && listen(s, 4) != 0) {
    close(s);
    return -1;
  }
  return s;
}

int BindLoopbackDatagram(int* port) { return BoundLoopback(SOCK_DGRAM, port); }

int FreeLoopbackPort() {
  int port = 0;
  int s = BoundLoopback(SOCK_STREAM, &port);
  if (s >= 0) close(s);
  return port;
}

bool WaitReadable(int s, int ms) {
  pollfd p{s, POLLIN, 0};
  return poll(&p, 1, ms) > 0;
}

int Accept(int listener) {
  int s = accept(listener, nullptr, nullptr);
  if (s >= 0) {
    int on = 1;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return s;
}

int Receive(int s, void* bytes, int count) { return int(recv(s, bytes, size_t(count), 0)); }

int Send(int s, const std::string& bytes) { return int(send(s, bytes.data(), bytes.size(), MSG_NOSIGNAL)); }

void CloseSocket(int s) {
  if (s >= 0) close(s);
}

}  // namespace vxtest
