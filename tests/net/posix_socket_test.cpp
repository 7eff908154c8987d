// Closing a socket while a worker is blocked in a call on it: the worker is woken, the descriptor stays
// open (and its number unused) until the worker has let go of it, and it is closed exactly then.
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "net/native_socket.h"

namespace {

// A signal that holds the worker inside its call (acquired, not yet released) until the test lets go.
std::atomic<bool> holdWorker{false};
std::atomic<bool> workerHeld{false};
void HoldInHandler(int) {
  workerHeld = true;
  while (holdWorker) {
    timespec ms = {0, 1000000};
    nanosleep(&ms, nullptr);
  }
}

// True once thread `tid` of this process sits in system call `nr`.
bool InSyscall(pid_t tid, long nr) {
  std::ifstream in("/proc/self/task/" + std::to_string(tid) + "/syscall");
  long current = -1;
  return (in >> current) && current == nr;
}

template <class Done>
bool WaitFor(Done done) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return done();
}

bool IsOpen(int fd) { return fcntl(fd, F_GETFD) != -1; }

TEST(PosixSocket, CloseWithAReceiveInFlightWaitsForTheWorkerToLetGo) {
  // A listener on the loopback that accepts and never sends, so the worker's receive blocks.
  int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  socklen_t len = sizeof addr;
  ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);
  ASSERT_EQ(listen(listener, 1), 0);

  RtSocket* s = new RtSocket;
  ASSERT_TRUE(s->Open(kProtocolStream));
  const int fd = s->handle;
  RtSocketAddress* to = new RtSocketAddress;
  to->ip = addr.sin_addr.s_addr;
  to->port = addr.sin_port;
  ASSERT_EQ(s->Connect(*to), 0);
  int peer = accept(listener, nullptr, nullptr);
  ASSERT_GE(peer, 0);

  struct sigaction hold {};
  hold.sa_handler = HoldInHandler;  // no SA_RESTART: the receive returns EINTR and is tried again
  struct sigaction old {};
  ASSERT_EQ(sigaction(SIGUSR1, &hold, &old), 0);

  std::atomic<pid_t> tid{0};
  std::atomic<int> received{1};
  unsigned char byte = 0;
  std::thread worker([&] {
    tid = pid_t(syscall(SYS_gettid));
    received = s->Receive(&byte, 1);
  });
  ASSERT_TRUE(WaitFor([&] { return tid != 0 && InSyscall(tid, SYS_recvfrom); })) << "the worker blocks";

  holdWorker = true;
  pthread_kill(worker.native_handle(), SIGUSR1);
  ASSERT_TRUE(WaitFor([&] { return workerHeld.load(); }));

  s->Close();
  EXPECT_EQ(s->handle, -1);
  EXPECT_TRUE(IsOpen(fd)) << "closed under a worker that still uses it";
  int type = 0;
  socklen_t typeLen = sizeof type;
  EXPECT_EQ(getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &typeLen), 0) << "still the socket";
  const int other = open("/dev/null", O_RDONLY);
  EXPECT_NE(other, fd) << "the number was handed out again while in use";
  close(other);

  holdWorker = false;
  worker.join();
  EXPECT_LE(received.load(), 0) << "the shut-down connection ends the receive";
  EXPECT_FALSE(IsOpen(fd)) << "the last user closes the descriptor";
  EXPECT_LT(s->Receive(&byte, 1), 0) << "a closed socket refuses new calls";

  sigaction(SIGUSR1, &old, nullptr);
  close(peer);
  close(listener);
}

}  // namespace
