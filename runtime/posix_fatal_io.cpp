// The fatal path's console on POSIX systems: write(2), read(2) and _exit(2), all async-signal-safe. A fault
// on another thread stops the game thread with a signal of its own, whose handler parks it wherever it is:
// the fatal path itself allocates nothing and takes no lock, so nothing the game thread holds can stop it.
#include "runtime/fatal_io.h"

#include <pthread.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

const int kStopSignal = SIGUSR2;

pthread_t game_thread;
std::atomic<bool> have_game_thread{false};
std::atomic<bool> game_thread_parked{false};

bool OnGameThread() {
  return have_game_thread.load(std::memory_order_acquire) && pthread_equal(pthread_self(), game_thread);
}

void OnStopSignal(int) { rt_fatal_Park(); }

}  // namespace

void rt_fatal_Write(int stream, const char* text, size_t size) {
  while (size > 0) {
    ssize_t w = write(stream, text, size);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return;
    text += w;
    size -= size_t(w);
  }
}

bool rt_fatal_ReadByte(char* byte) {
  for (;;) {
    ssize_t r = read(0, byte, 1);
    if (r < 0 && errno == EINTR) continue;
    return r == 1;
  }
}

void rt_fatal_Show() {}  // every message was written as it came

void rt_fatal_Exit(int status) { _exit(status); }

unsigned long long rt_fatal_ThreadId() {
  static_assert(sizeof(pthread_t) <= sizeof(unsigned long long), "a thread's id fits the latch");
  const pthread_t self = pthread_self();
  unsigned long long id = 0;
  std::memcpy(&id, &self, sizeof self);
  return id;
}

void rt_fatal_Init() {
  game_thread = pthread_self();
  have_game_thread.store(true, std::memory_order_release);
  struct sigaction sa{};
  sa.sa_handler = OnStopSignal;
  sigfillset(&sa.sa_mask);
  sa.sa_flags = SA_ONSTACK;
  sigaction(kStopSignal, &sa, nullptr);
}

void rt_fatal_Park() {
  if (OnGameThread()) game_thread_parked.store(true, std::memory_order_release);
  sigset_t none;
  sigfillset(&none);
  for (;;) sigsuspend(&none);  // every signal blocked: nothing but the process's end wakes it
}

bool rt_fatal_StopGameThread() {
  if (!have_game_thread.load(std::memory_order_acquire) || OnGameThread()) return false;
  if (pthread_kill(game_thread, kStopSignal) == 0) {
    const struct timespec ms = {0, 1000000};
    for (int i = 0; i < 1000 && !game_thread_parked.load(std::memory_order_acquire); ++i) nanosleep(&ms, nullptr);
  }
  return true;
}
