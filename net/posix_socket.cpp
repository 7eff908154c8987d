// BSD socket calls behind RtSocket and RtSocketAddress; the only file that talks to the socket API.
#include "net/native_socket.h"

#include <netinet/in.h>

#include <netdb.h>        // Required for: getaddrinfo()
#include <netinet/tcp.h>  // Required for: TCP_NODELAY
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool RtSocketAddress::Set(const char* host, int port) {
  this->port = htons(static_cast<uint16_t>(port));
  ip = htonl(INADDR_ANY);
  if (!host || !host[0]) return false;
  addrinfo hints;
  memset(&hints, 0, sizeof hints);
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || !found) return false;
  ip = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  freeaddrinfo(found);
  return true;
}

void RtSocket::InitSockets() {}

void RtSocket::ShutdownNative(int fd) { ::shutdown(fd, SHUT_RDWR); }

void RtSocket::CloseNative(int fd) { ::close(fd); }

bool RtSocket::Open(int protocolCode) {
  if (protocolCode == kProtocolDatagram) {
    fd_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  } else {
    fd_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (fd_ >= 0) {
      int on = 1;
      setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
  }
  if (fd_ < 0) return false;
  protocol = protocolCode;
  handle = fd_;
  users_.store(0);
  return true;
}

void RtSocket::SetTimeout(int milliseconds) {
  if (fd_ < 0 || milliseconds < 0) return;
  timeval tv;
  tv.tv_sec = milliseconds / 1000;
  tv.tv_usec = (milliseconds % 1000) * 1000;
  // On this platform the send limit also bounds a blocking connect.
  setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

int RtSocket::Connect(const RtSocketAddress& address) {
  int fd = Acquire();
  if (fd < 0) return -1;
  sockaddr_in to;
  memset(&to, 0, sizeof to);
  to.sin_family = AF_INET;
  to.sin_port = address.port;
  to.sin_addr.s_addr = address.ip;
  int rc;
  do {
    rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  } while (rc < 0 && errno == EINTR);
  Release();
  return rc;
}

int RtSocket::Send(const unsigned char* bytes, int count) {
  int fd = Acquire();
  if (fd < 0) return -1;
  int sent = 0;
  while (sent < count) {
    // MSG_NOSIGNAL: a peer that has gone away gives an error, not a signal that ends the process.
    ssize_t n = ::send(fd, bytes + sent, size_t(count - sent), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    sent += int(n);
  }
  Release();
  return sent > 0 || count == 0 ? sent : -1;
}

int RtSocket::Receive(unsigned char* bytes, int count) {
  int fd = Acquire();
  if (fd < 0) return -1;
  ssize_t n;
  do {
    n = ::recv(fd, bytes, size_t(count), 0);
  } while (n < 0 && errno == EINTR);
  Release();
  return int(n);
}
