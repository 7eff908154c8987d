// Saves cut off by kill -9 at any moment: the state file left behind always loads whole, as either the
// state saved before or the one being saved. A child process saves two different states in turn, the
// test kills it after a random fraction of a few milliseconds, a few hundred times, and reads the file.
// POSIX only: the child is a fork of the test with the game already loaded; the Windows counterpart
// (win32_kill_during_save_test.cpp) starts a fresh process for every kill.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

#include "save_states.h"
#include "support/game_harness.h"

TEST(KillDuringSave, EveryCutLeavesAWholeStateFile) {
  GameHarness h;
  ASSERT_TRUE(h.FinishLoading());
  c_MyApp* app = h.app;

  FillState(app, 0);
  app->p_Save();
  const std::string a = h.StateFile();
  FillState(app, 1);
  app->p_Save();
  const std::string b = h.StateFile();
  ASSERT_NE(a, b);
  for (const std::string* s : {&a, &b}) {
    h.WriteStateFile(*s);
    ASSERT_EQ(LoadMessages(app), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n");
  }

  const char* env = std::getenv("VX_KILL_ITERATIONS");
  const int iterations = env ? std::atoi(env) : 300;
  std::mt19937 rng(20261210);
  int seenA = 0, seenB = 0;
  for (int i = 0; i < iterations; ++i) {
    fflush(nullptr);  // nothing buffered may be written twice by the child
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int v = 0;; v ^= 1) {
        FillState(app, v);
        app->p_Save();
      }
    }
    usleep(useconds_t(rng() % 12000));  // spans several saves, each with its flush to disk
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::string left = h.StateFile();
    if (left == a) {
      ++seenA;
    } else if (left == b) {
      ++seenB;
    } else {
      ADD_FAILURE() << "kill " << i << " left a state file of " << left.size() << " bytes that is neither state";
      break;
    }
  }
  // Both states were seen, so the kills did land between and during saves.
  EXPECT_GT(seenA, 0);
  EXPECT_GT(seenB, 0);
  std::printf("%d kills: %d left the first state, %d the second\n", iterations, seenA, seenB);
}
