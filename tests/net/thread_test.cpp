// Threads: a finished thread starts again on a new thread, a running one is not started twice; Strdup.
#include <gtest/gtest.h>

#include <atomic>

#include "net_test_util.h"

namespace {

struct CountingThread : c_Thread {
  std::atomic<int> runs{0};
  std::atomic<bool> release{true};
  void Run__UNSAFE__() override {
    while (!release.load()) std::this_thread::yield();
    runs.fetch_add(1);
  }
};

bool WaitFinished(RtThread* t) {
  for (int i = 0; i < 5000 && t->running.load() != 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return t->running.load() == 2;
}

TEST(Thread, StartRunsAgainAfterAFinishedRunButNotWhileRunning) {
  CountingThread* t = new CountingThread;
  t->m_new();
  EXPECT_FALSE(t->IsRunning());
  t->release = false;
  t->Start();
  EXPECT_TRUE(t->IsRunning());
  t->Start();  // still running: no second thread
  t->release = true;
  ASSERT_TRUE(WaitFinished(t));
  EXPECT_EQ(t->runs.load(), 1);
  EXPECT_FALSE(t->IsRunning());

  Object* value = new Object;
  t->SetResult(value);
  EXPECT_EQ(t->Result(), value);
  t->Start();  // finished: runs again, and the result is cleared
  EXPECT_EQ(t->Result(), nullptr);
  ASSERT_TRUE(WaitFinished(t));
  EXPECT_EQ(t->runs.load(), 2);
}

TEST(Thread, StrdupMakesAPrivateCopy) {
  String s("path/file");
  String copy = RtThread::Strdup(s);
  EXPECT_TRUE(copy == s);
  EXPECT_NE(copy.GetRep(), s.GetRep());
  EXPECT_EQ(RtThread::Strdup(String()).GetRep(), &String::nullRep);
}

}  // namespace
