// The fatal paths of the host: an uncaught exception, a runtime error and a fatal signal each end with
// status 255 at once, whatever standard input is; the debugger prompt only answers when asked for.
// POSIX only: each case runs in a forked child (with a pseudo-terminal, pipes, signals and locks held
// across the fork); the Windows fatal path has its own cases in win32_fatal_test.cpp.
#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <pthread.h>
#include <pty.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "host/backend/glfw2_null.h"
#include "host_fixture.h"
#include "net/thread.h"
#include "runtime/error.h"

namespace {

// What a child process did: its exit status (or -1 when it had to be killed after `limit`), and what it
// wrote to standard output.
struct ChildRun {
  int status = -1;
  std::string out;
};

// Runs `body` in a child process with `in` (or nothing) as standard input and standard output captured;
// a child still running after two seconds counts as hung and is killed.
ChildRun RunChild(const std::function<void()>& body, int in = -1) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    close(pipe_fds[0]);
    dup2(pipe_fds[1], 1);
    if (in >= 0) dup2(in, 0);
    body();
    _exit(99);
  }
  close(pipe_fds[1]);
  ChildRun run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  bool ended = false;
  int wstatus = 0;
  while (!ended) {
    pollfd p{pipe_fds[0], POLLIN, 0};
    if (poll(&p, 1, 20) > 0) {
      char buf[512];
      ssize_t n = read(pipe_fds[0], buf, sizeof buf);
      if (n > 0) run.out.append(buf, size_t(n));
    }
    ended = waitpid(pid, &wstatus, WNOHANG) == pid;
    if (!ended && std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &wstatus, 0);
      close(pipe_fds[0]);
      return run;  // hung
    }
  }
  for (char buf[512];;) {
    ssize_t n = read(pipe_fds[0], buf, sizeof buf);
    if (n <= 0) break;
    run.out.append(buf, size_t(n));
  }
  close(pipe_fds[0]);
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  return run;
}

void SetDebugger(bool attached) {
  if (attached)
    setenv("VX_DEBUGGER", "1", 1);
  else
    unsetenv("VX_DEBUGGER");
  rtFatalInit();
}

// A pipe whose write end stays open and silent: a read from it blocks for ever.
struct SilentPipe {
  int fds[2] = {-1, -1};
  SilentPipe() { EXPECT_EQ(pipe(fds), 0); }
  ~SilentPipe() {
    close(fds[0]);
    close(fds[1]);
  }
};

TEST(Fatal, DieReportsTheUncaughtException) {
  ChildRun run = RunChild([] {
    SetDebugger(false);
    RtGame game;
    game.Die(new ThrowableObject);
  });
  EXPECT_EQ(run.status, 255);
  EXPECT_EQ(run.out, "Trazel Runtime Error : Uncaught Trazel Exception\n");
}

// Started from a terminal, nothing may wait for the terminal: the player would look at a dead window.
TEST(Fatal, ARuntimeErrorEndsAtOnceWhateverStandardInputIs) {
  int master = -1, slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  SilentPipe silent;
  int devnull = open("/dev/null", O_RDONLY);
  const struct {
    const char* name;
    int fd;
  } inputs[] = {{"a terminal", slave}, {"a silent pipe", silent.fds[0]}, {"/dev/null", devnull}};
  for (const auto& in : inputs) {
    ChildRun run = RunChild(
        [] {
          SetDebugger(false);
          rtError(String("boom"));
        },
        in.fd);
    EXPECT_EQ(run.status, 255) << in.name << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.out, "Trazel Runtime Error : boom\n\n") << in.name;
  }
  close(devnull);
  close(slave);
  close(master);
}

// With a debugger attached the prompt reads its commands from standard input.
TEST(Fatal, TheDebuggerPromptAnswersWhenAttached) {
  const std::string error = "Trazel Runtime Error : boom\n\n";
  const struct {
    std::string input;
    int status;
    std::string out;
  } cases[] = {
      {"q\n", 0, error},
      {"?\n@0x1234\nq\n", 0, error},
      {"huh\n", 255, error + "????? huh ?????\n"},
      {"", 255, error},
      {"q", 255, error},                                  // no line feed
      {std::string(300, 'x') + "\n", 255, error},         // longer than a prompt line
      {"r\n", 255, error + error},                         // runs on, errs again
  };
  for (const auto& c : cases) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], c.input.data(), c.input.size()), ssize_t(c.input.size()));
    close(fds[1]);
    ChildRun run = RunChild(
        [] {
          SetDebugger(true);
          rtError(String("boom"));
        },
        fds[0]);
    close(fds[0]);
    EXPECT_EQ(run.status, c.status) << c.input;
    EXPECT_EQ(run.out, c.out) << c.input;
  }
}

TEST(Fatal, SignalsBecomeRuntimeErrors) {
  const struct {
    int sig;
    const char* text;
  } cases[] = {{SIGFPE, "Floating point exception"},
               {SIGSEGV, "Memory access violation"},
               {SIGILL, "Illegal instruction"},
               {SIGTERM, "Unknown signal"}};
  for (const auto& c : cases) {
    ChildRun run = RunChild([&] {
      SetDebugger(false);
      sighandle(c.sig);
    });
    EXPECT_EQ(run.status, 255) << c.sig;
    EXPECT_EQ(run.out, std::string("Trazel Runtime Error : ") + c.text + "\n\n") << c.sig;
  }
}

// Holds a lock for ever from another thread, the way a crash can leave one held.
void HoldForEver(void (*hold)()) {
  std::thread([hold] {
    hold();
    for (;;) pause();
  }).detach();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

// Blocks inside the allocator: the allocator's statistics are written to standard error while its lock
// is held, and standard error is a pipe that nobody reads and that is already full.
void BlockInsideTheAllocator() {
  int fds[2];
  if (pipe(fds) != 0) _exit(98);
  fcntl(fds[1], F_SETFL, O_NONBLOCK);
  char fill[4096] = {};
  while (write(fds[1], fill, sizeof fill) > 0) {
  }
  fcntl(fds[1], F_SETFL, 0);
  dup2(fds[1], 2);
  malloc_stats();
}

// A fatal signal can arrive while another thread, or the crashed code itself, is inside the allocator or
// stdio; the handler must end the process instead of waiting on their locks.
TEST(Fatal, AFatalSignalEndsEvenWhileLocksAreHeld) {
  const struct {
    const char* name;
    void (*hold)();
  } cases[] = {
      {"standard output's lock", [] { flockfile(stdout); }},
      {"standard error's lock", [] { flockfile(stderr); }},
      {"the allocator", BlockInsideTheAllocator},
  };
  for (const auto& c : cases) {
    ChildRun run = RunChild([&] {
      unsetenv("VX_DEBUGGER");
      InstallFatalSignalHandlers();
      HoldForEver(c.hold);
      raise(SIGSEGV);
    });
    EXPECT_EQ(run.status, 255) << c.name << (run.status < 0 ? ": hung" : "");
    EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\n") << c.name;
  }
}

TEST(Fatal, ARealCrashEndsWithTheMessage) {
  ChildRun run = RunChild([] {
    unsetenv("VX_DEBUGGER");
    InstallFatalSignalHandlers();
    // A page that may not be touched, so that the fault is the processor's, not a sanitizer's report.
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    *static_cast<volatile int*>(page) = 1;
  });
  EXPECT_EQ(run.status, 255);
  EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\n");
}

// A worker thread that recurses until its stack runs out.
volatile int g_deeper = 1;  // never 0; read each time, so the recursion is neither removed nor flattened
struct Bottomless : RtThread {
  static int Dive(int depth) {
    volatile char frame[512];
    frame[0] = char(depth);
    return g_deeper ? Dive(depth + 1) + frame[0] : 0;
  }
  void Run__UNSAFE__() override { Dive(0); }
};

TEST(Fatal, AStackOverflowOnAWorkerThreadEndsWithTheMessage) {
  ChildRun run = RunChild([] {
    unsetenv("VX_DEBUGGER");
    InstallFatalSignalHandlers();
    (new Bottomless)->Start();
    std::this_thread::sleep_for(std::chrono::seconds(5));
  });
  EXPECT_EQ(run.status, 255) << (run.status < 0 ? "hung" : "");
  EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\n");
}

// The journal's last records are written by the routine the fatal path runs just before the end: after
// the message, on the runtime error's path and on the signal's.
TEST(Fatal, TheFatalPathRunsItsFlushBeforeTheEnd) {
  const struct {
    const char* name;
    void (*fail)();
  } cases[] = {
      {"runtime error", [] { rtError(String("boom")); }},
      {"fatal signal", [] { raise(SIGSEGV); }},
  };
  for (const auto& c : cases) {
    ChildRun run = RunChild([&] {
      unsetenv("VX_DEBUGGER");
      InstallFatalSignalHandlers();
      rtSetFatalFlush([] {
        static const char kMark[] = "flushed\n";
        ssize_t n = write(1, kMark, sizeof kMark - 1);
        (void)n;
      });
      c.fail();
    });
    EXPECT_EQ(run.status, 255) << c.name;
    EXPECT_EQ(run.out.substr(0, 22), "Trazel Runtime Error :") << c.name;
    EXPECT_GE(run.out.size(), 8u) << c.name;
    EXPECT_EQ(run.out.substr(run.out.size() >= 8 ? run.out.size() - 8 : 0), "flushed\n") << c.name << ": " << run.out;
  }
}

// Marks the end of the flush, written after a pause so that anything still running beside the fatal path
// would show in between.
void MarkTheFlushLate() {
  rtSetFatalFlush([] {
    const struct timespec pause = {0, 200 * 1000 * 1000};
    nanosleep(&pause, nullptr);
    static const char kMark[] = "flushed\n";
    ssize_t n = write(1, kMark, sizeof kMark - 1);
    (void)n;
  });
}

// A page that may not be touched: a fault the processor raises, not a sanitizer's report.
void Crash() {
  void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  *static_cast<volatile int*>(page) = 1;
}

// The first thread to fault owns the fatal path: one message and one flush, however many fault at once.
TEST(Fatal, ThreadsFaultingAtOnceGiveOneMessage) {
  ChildRun run = RunChild([] {
    unsetenv("VX_DEBUGGER");
    InstallFatalSignalHandlers();
    MarkTheFlushLate();
    static std::atomic<bool> go{false};
    struct Crasher : RtThread {
      void Run__UNSAFE__() override {
        while (!go.load()) {
        }
        Crash();
      }
    };
    for (int i = 0; i < 4; ++i) (new Crasher)->Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    go.store(true);
    for (;;) pause();
  });
  EXPECT_EQ(run.status, 255) << (run.status < 0 ? "hung" : "");
  EXPECT_EQ(run.out, "Trazel Runtime Error : Memory access violation\n\nflushed\n");
}

// A fault on another thread stops the game thread (here a loop that marks each pass) before the message:
// nothing of it runs beside the fatal path or after its flush.
TEST(Fatal, AFaultOnAnotherThreadStopsTheGameThread) {
  const struct {
    const char* name;
    void (*fault)();
    const char* message;
  } cases[] = {{"crash", Crash, "Trazel Runtime Error : Memory access violation\n\n"},
               {"runtime error", [] { rtError(String("boom")); }, "Trazel Runtime Error : boom\n\n"}};
  for (const auto& c : cases) {
    ChildRun run = RunChild([&] {
      unsetenv("VX_DEBUGGER");
      InstallFatalSignalHandlers();
      MarkTheFlushLate();
      static void (*fault)();
      fault = c.fault;
      struct Faulter : RtThread {
        void Run__UNSAFE__() override {
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
          fault();
        }
      };
      (new Faulter)->Start();
      for (;;) {
        ssize_t n = write(1, "tick\n", 5);
        (void)n;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
    EXPECT_EQ(run.status, 255) << c.name << (run.status < 0 ? ": hung" : "");
    const size_t message = run.out.find("Trazel Runtime Error");
    ASSERT_NE(message, std::string::npos) << c.name << ": " << run.out;
    EXPECT_NE(run.out.find("tick\n"), std::string::npos) << c.name << ": the game thread never ran";
    EXPECT_EQ(run.out.substr(message), std::string(c.message) + "flushed\n") << c.name;
  }
}

// A start that fails ends the fatal way, naming what failed: the runtime error line and status 255.
TEST(Fatal, AFailedStartEndsWithTheMessage) {
  const struct {
    const char* name;
    void (*start)();
    const char* message;
  } cases[] = {
      {"no window",
       [] {
         glfw2null_Install();
         glfw2null_World().failOpen = true;
         RtGlfwGame game;
         game.Run();
       },
       "The game window could not be opened."},
      {"no window system",
       [] {
         glfw2null_Install();
         glfw2null_World().initResult = 0;
         const char* argv[] = {"vextrallis", nullptr};
         RtTrazelGame::Main(1, argv);
       },
       "The window system could not be started (glfwInit failed)."},
      {"no thread",
       [] {
         // Every new thread's stack is asked far larger than the address space allows.
         pthread_attr_t attr;
         pthread_attr_init(&attr);
         pthread_attr_setstacksize(&attr, size_t(1) << 46);
         pthread_setattr_default_np(&attr);
         (new RtThread)->Start();
       },
       "A thread could not be started (pthread_create failed: "},  // then the system's words for it
  };
  for (const auto& c : cases) {
    ChildRun run = RunChild([&] {
      SetDebugger(false);
      c.start();
    });
    EXPECT_EQ(run.status, 255) << c.name << (run.status < 0 ? ": hung" : "");
    const std::string line = std::string("Trazel Runtime Error : ") + c.message;
    ASSERT_EQ(run.out.substr(0, line.size()), line) << c.name;
    EXPECT_EQ(run.out.size() - run.out.find('\n'), 2u) << c.name << ": one line, then the empty trace line";
    EXPECT_EQ(run.out.substr(run.out.size() - 3), ".\n\n") << c.name;
  }
}

}  // namespace
