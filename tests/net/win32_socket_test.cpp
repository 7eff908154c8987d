// Closing a socket while a worker is blocked in a receive on it, over WinSock: the close wakes the worker,
// and the socket is closed once the worker has let go of it. (Holding the worker inside its call, to see
// that the handle outlives the close, needs signals: that part is in posix_socket_test.cpp.)
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

TEST(Win32Socket, CloseWakesAReceiveInFlightAndClosesTheSocketAfterIt) {
  RtSocket::InitSockets();
  // A listener on the loopback that accepts and never sends, so the worker's receive blocks.
  int port = 0;
  const int listener = vxtest::ListenLoopback(&port);
  ASSERT_GE(listener, 0);
  RtSocket* s = new RtSocket;
  ASSERT_TRUE(s->Open(kProtocolStream));
  const int handle = s->handle;
  RtSocketAddress* to = new RtSocketAddress;
  ASSERT_TRUE(to->Set("127.0.0.1", port));
  ASSERT_EQ(s->Connect(*to), 0);
  ASSERT_TRUE(vxtest::WaitReadable(listener, 5000));
  const int peer = vxtest::Accept(listener);
  ASSERT_GE(peer, 0);

  std::atomic<bool> done{false};
  std::atomic<int> received{1};
  unsigned char byte = 0;
  std::thread worker([&] {
    received = s->Receive(&byte, 1);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_FALSE(done) << "the receive returned with nothing sent";

  s->Close();
  EXPECT_EQ(s->handle, -1);
  const bool woken = WaitFor([&] { return done.load(); });
  EXPECT_TRUE(woken) << "the close did not wake the receive";
  if (!woken) vxtest::CloseSocket(peer);  // the peer's end frees the worker, so the test can end
  worker.join();
  EXPECT_LE(received.load(), 0) << "the shut-down connection ends the receive";
  EXPECT_FALSE(IsSocket(handle)) << "the last user closes the socket";
  EXPECT_LT(s->Receive(&byte, 1), 0) << "a closed socket refuses new calls";

  if (woken) vxtest::CloseSocket(peer);
  vxtest::CloseSocket(listener);
}

}  // namespace
