// Closing a socket while a worker is blocked in a receive on it, over WinSock: the close wakes the worker,
// and the socket is closed once the worker has let go of it. (Holding the worker inside its call, to see
// that the handle outlives the close, needs signals: that part is in posix_socket_test.cpp.)
//
// Windows tells no other thread that a thread now waits inside recv (under Wine every thread reads as
// "initialised" and no I/O ever reads as pending), so the test does not guess it from a pause. Each try
// closes the socket under a worker that has set out to receive, and the worker's own error code says
// afterwards where the close caught it: before its call (refused or shut down at once) or waiting inside
// it (cancelled). Every outcome must be a clean end; tries go on, each waiting a little longer before the
// close, until one has caught the worker waiting, which is the case the close must wake.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "net/native_socket.h"
#include "support/test_sockets.h"

namespace {

template <class Done>
bool WaitFor(Done done) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return done();
}

bool IsSocket(int handle) {
  int type = 0;
  int length = sizeof type;
  return getsockopt(SOCKET(unsigned(handle)), SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length) == 0;
}

// The error of a blocking call that was cancelled while it waited (WinSock reports either).
bool Cancelled(int error) { return error == WSA_OPERATION_ABORTED || error == WSAEINTR; }

struct TryResult {
  bool ok = false;         // every check of the try held
  bool caughtWaiting = false;
};

// One connection whose peer never sends, a worker receiving on it, and a close `delay` after the worker
// has set out. Checks what must hold whenever the close comes.
TryResult CloseUnderReceive(int listener, int port, std::chrono::microseconds delay) {
  TryResult result;
  RtSocket* s = new RtSocket;
  EXPECT_TRUE(s->Open(kProtocolStream));
  const int handle = s->handle;
  RtSocketAddress* to = new RtSocketAddress;
  EXPECT_TRUE(to->Set("127.0.0.1", port));
  EXPECT_EQ(s->Connect(*to), 0);
  EXPECT_TRUE(vxtest::WaitReadable(listener, 5000));
  const int peer = vxtest::Accept(listener);
  EXPECT_GE(peer, 0);
  if (handle < 0 || peer < 0) return result;

  std::atomic<bool> started{false}, done{false};
  std::atomic<int> received{1}, error{0};
  unsigned char byte = 0;
  std::thread worker([&] {
    WSASetLastError(0);
    started = true;
    received = s->Receive(&byte, 1);
    error = WSAGetLastError();
    done = true;
  });
  EXPECT_TRUE(WaitFor([&] { return started.load(); }));
  std::this_thread::sleep_for(delay);
  const bool endedEarly = done.load();

  s->Close();
  EXPECT_EQ(s->handle, -1);
  const bool woken = WaitFor([&] { return done.load(); });
  EXPECT_TRUE(woken) << "the close did not wake the receive";
  if (!woken) vxtest::CloseSocket(peer);  // the peer's end frees the worker, so the test can end
  worker.join();
  EXPECT_FALSE(endedEarly) << "the receive returned with nothing sent";
  EXPECT_LE(received.load(), 0) << "the shut-down connection ends the receive";
  EXPECT_FALSE(IsSocket(handle)) << "the last user closes the socket";
  EXPECT_LT(s->Receive(&byte, 1), 0) << "a closed socket refuses new calls";
  if (woken) vxtest::CloseSocket(peer);

  result.ok = woken && !endedEarly && received.load() <= 0 && !IsSocket(handle);
  result.caughtWaiting = Cancelled(error.load());
  return result;
}

TEST(Win32Socket, CloseWakesAReceiveInFlightAndClosesTheSocketAfterIt) {
  RtSocket::InitSockets();
  int port = 0;
  const int listener = vxtest::ListenLoopback(&port);
  ASSERT_GE(listener, 0);

  bool caughtWaiting = false;
  std::chrono::microseconds delay(0);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int tries = 0;
  while (!caughtWaiting && std::chrono::steady_clock::now() < until) {
    ++tries;
    const TryResult r = CloseUnderReceive(listener, port, delay);
    if (!r.ok) break;  // the failed checks are reported already
    caughtWaiting = r.caughtWaiting;
    if (delay.count() == 0) {
      delay = std::chrono::microseconds(100);
    } else if (delay < std::chrono::milliseconds(50)) {
      delay *= 2;
    }
  }
  EXPECT_TRUE(caughtWaiting) << "no close in " << tries << " tries found the worker waiting inside its receive";
  vxtest::CloseSocket(listener);
}

}  // namespace
