// The platform-neutral bookkeeping of RtSocket: how many workers use the descriptor, and closing it once
// the last of them lets go.
#include "net/native_socket.h"

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
