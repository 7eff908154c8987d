// The platform-neutral part of RtSocket and RtSocketAddress: the address in network byte order, how many
// workers use the descriptor (closing it once the last of them lets go), and sending a whole buffer.
#include "net/native_socket.h"

#include <cstring>

namespace {

// Most significant byte first, whatever the machine's own order.
uint16_t NetworkOrder(uint16_t value) {
  const uint8_t bytes[2] = {uint8_t(value >> 8), uint8_t(value & 0xFF)};
  uint16_t out;
  std::memcpy(&out, bytes, sizeof out);
  return out;
}

}  // namespace

bool RtSocketAddress::Set(const char* host, int port) {
  this->port = NetworkOrder(static_cast<uint16_t>(port));
  ip = 0;  // 0.0.0.0, the same in either byte order
  if (!host || !host[0]) return false;
  return LookupNative(host, ip);
}

RtSocket::~RtSocket() {
  // Collected only when no operation refers to it any more, so no worker can be using the descriptor.
  if (fd_ >= 0 && !(users_.load() & 1)) CloseNative(fd_);
}

void RtSocket::Close() {
  if (handle < 0) return;
  handle = -1;
  ShutdownNative(fd_);
  if (users_.fetch_or(1, std::memory_order_acq_rel) == 0) CloseNative(fd_);
}

int RtSocket::Acquire() {
  int state = users_.load(std::memory_order_acquire);
  do {
    if (state & 1) return -1;
  } while (!users_.compare_exchange_weak(state, state + 2, std::memory_order_acq_rel));
  return fd_;
}

void RtSocket::Release() {
  if (users_.fetch_sub(2, std::memory_order_acq_rel) - 2 == 1) CloseNative(fd_);
}

int RtSocket::Connect(const RtSocketAddress& address) {
  int fd = Acquire();
  if (fd < 0) return -1;
  int rc = ConnectNative(fd, address.ip, address.port);
  Release();
  return rc;
}

int RtSocket::Send(const unsigned char* bytes, int count) {
  int fd = Acquire();
  if (fd < 0) return -1;
  // A stream socket may take part of the bytes per call; the rest follows until all are sent or the
  // connection fails.
  int sent = 0;
  while (sent < count) {
    int n = SendNative(fd, bytes + sent, count - sent);
    if (n <= 0) break;
    sent += n;
  }
  Release();
  return sent > 0 || count == 0 ? sent : -1;
}

int RtSocket::Receive(unsigned char* bytes, int count) {
  int fd = Acquire();
  if (fd < 0) return -1;
  int n = ReceiveNative(fd, bytes, count);
  Release();
  return n;
}
