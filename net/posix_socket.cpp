// The BSD socket calls behind RtSocket and RtSocketAddress (net/native_socket.h); the only file of the
// Linux build that talks to the socket API.
#include "net/native_socket.h"

#include <netinet/in.h>

#include <netdb.h>        // Required for: getaddrinfo()
#include <netinet/tcp.h>  // Required for: TCP_NODELAY
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

int RtSocket::ConnectNative(int fd, uint32_t ip, uint16_t port) {
  sockaddr_in to;
  memset(&to, 0, sizeof to);
  to.sin_family = AF_INET;
  to.sin_port = port;
  to.sin_addr.s_addr = ip;
  int rc;
  do {
    rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  } while (rc < 0 && errno == EINTR);
  return rc;
}

int RtSocket::SendNative(int fd, const unsigned char* bytes, int count) {
  ssize_t n;
  do {
    // MSG_NOSIGNAL: a peer that has gone away gives an error, not a signal that ends the process.
    n = ::send(fd, bytes, size_t(count), MSG_NOSIGNAL);
  } while (n < 0 && errno == EINTR);
  return int(n);
}

int RtSocket::ReceiveNative(int fd, unsigned char* bytes, int count) {
  ssize_t n;
  do {
    n = ::recv(fd, bytes, size_t(count), 0);
  } while (n < 0 && errno == EINTR);
  return int(n);
}
