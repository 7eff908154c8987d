// The two fatal paths of the host: an uncaught exception and a fatal signal, each ending with status 255.
#include <unistd.h>

#include <csignal>

#include "host_fixture.h"

namespace {

TEST(Fatal, DieReportsTheUncaughtException) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The message goes to standard output; send it to standard error, where the death test looks.
  EXPECT_EXIT(
      {
        dup2(2, 1);
        RtGame game;
        game.Die(new ThrowableObject);
      },
      ::testing::ExitedWithCode(255), "Trazel Runtime Error : Uncaught Trazel Exception");
}

TEST(Fatal, SignalsBecomeRuntimeErrors) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    int sig;
    const char* text;
  } cases[] = {{SIGFPE, "Floating point exception"},
               {SIGSEGV, "Memory access violation"},
               {SIGILL, "Illegal instruction"},
               {SIGTERM, "Unknown signal"}};
  for (const auto& c : cases) {
    // No debugger answers the prompt: end of input ends the process.
    EXPECT_EXIT(
        {
          dup2(2, 1);
          if (!freopen("/dev/null", "r", stdin)) _exit(1);
          sighandle(c.sig);
        },
        ::testing::ExitedWithCode(255), std::string("Trazel Runtime Error : ") + c.text)
        << c.sig;
  }
}

}  // namespace
