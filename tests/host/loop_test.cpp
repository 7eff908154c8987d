// The main loop under the scripted clock: update scheduling and catch-up, activation changes, the close
// button, the forwarding guards and an exception escaping app code.

#include "host_fixture.h"
#include "support/test_os.h"

namespace {

// Each glfwSwapBuffers takes `renderSeconds` of scripted time (the cost of a render).
void AdvanceOnSwap(Glfw2NullCall call, void* user) {
  if (call == Glfw2NullCall::SwapBuffers) glfw2null_World().time += *static_cast<double*>(user);
}

struct ScheduleCase {
  const char* name;
  int rate;
  double renderSeconds;
  std::vector<int> updatesPerFrame;
  bool sleeps;
};

class ScheduleTest : public HostTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(ScheduleTest, UpdatesPerFrameAndSleeps) {
  const ScheduleCase& c = GetParam();
  double renderSeconds = c.renderSeconds;
  world().hook = AdvanceOnSwap;
  world().hookUser = &renderSeconds;
  Start();
  host->SetUpdateRate(c.rate);
  for (size_t frame = 0; frame < c.updatesPerFrame.size(); ++frame) {
    rec->log.clear();
    host->RunFrame();
    EXPECT_EQ(rec->Count("render"), 1) << "frame " << frame;
    EXPECT_EQ(rec->Count("update"), c.updatesPerFrame[frame]) << "frame " << frame;
  }
  if (c.sleeps) {
    EXPECT_EQ(world().sleepCount, int(c.updatesPerFrame.size()) - 1);
    EXPECT_NEAR(world().lastSleep, 1.0 / c.rate, 1e-9);
  } else {
    EXPECT_EQ(world().sleepCount, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Loop, ScheduleTest,
    ::testing::Values(
        // A 100 ms render at 60 per second: catch up 4 updates, then drop the backlog and re-synchronise.
        ScheduleCase{"SlowRenderCatchesUpFourThenResyncs", 60, 0.1, {1, 4, 1, 4, 1}, false},
        // A free render at 60 per second: sleep until each update is due, one update per frame.
        ScheduleCase{"FastRenderSleepsUntilDue", 60, 0.0, {1, 1, 1, 1}, true},
        // Rate 0: exactly one update per render and no sleep, however long the render takes.
        ScheduleCase{"RateZeroSlowRender", 0, 0.1, {1, 1, 1}, false},
        ScheduleCase{"RateZeroFastRender", 0, 0.0, {1, 1, 1}, false}),
    [](const ::testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

TEST_F(HostTest, SlowFrameEndsWithResync) {
  double renderSeconds = 0.1;
  world().hook = AdvanceOnSwap;
  world().hookUser = &renderSeconds;
  Start();
  host->SetUpdateRate(60);
  host->RunFrame();
  EXPECT_NEAR(host->NextUpdate(), world().time + 1.0 / 60, 1e-9);
  host->RunFrame();
  EXPECT_EQ(host->NextUpdate(), 0.0);
}

TEST_F(HostTest, SetUpdateRateInsideAnUpdateEndsTheCatchUp) {
  double renderSeconds = 0.1;
  world().hook = AdvanceOnSwap;
  world().hookUser = &renderSeconds;
  Start();
  host->SetUpdateRate(60);
  host->RunFrame();  // one update, the backlog starts
  rec->onUpdate = [this] { host->SetUpdateRate(30); };
  rec->log.clear();
  host->RunFrame();  // would catch up 4 updates
  EXPECT_EQ(rec->Count("update"), 1);
  EXPECT_EQ(host->NextUpdate(), 0.0);
  EXPECT_DOUBLE_EQ(host->UpdatePeriod(), 1.0 / 30);
  EXPECT_EQ(host->UpdateRate(), 30);
}

TEST_F(HostTest, ActivationChangesSuspendAndResumeOnce) {
  Start();
  host->SetUpdateRate(0);
  // Focus per frame, as the window manager would report it after the frame's event processing.
  const bool active[] = {true, false, false, false, true, true};
  std::vector<std::vector<std::string>> frames;
  for (bool a : active) {
    world().active = a;
    rec->log.clear();
    host->RunFrame();
    frames.push_back(rec->log);
  }
  using V = std::vector<std::string>;
  EXPECT_EQ(frames[0], (V{"render", "update"}));
  EXPECT_EQ(frames[1], (V{"render", "suspend"}));
  EXPECT_EQ(frames[2], (V{"render"}));  // nothing but rendering while suspended
  EXPECT_EQ(frames[3], (V{"render"}));
  EXPECT_EQ(frames[4], (V{"render", "resume", "update"}));
  EXPECT_EQ(frames[5], (V{"render", "update"}));
  // A suspended game blocks in the wait instead of polling.
  EXPECT_EQ(world().waitCount, 3);
}

TEST_F(HostTest, ResumeRestartsUpdateTimingWithoutBacklog) {
  Start();
  host->SetUpdateRate(60);
  host->RunFrame();
  world().active = false;
  host->RunFrame();
  world().time += 10.0;  // a long time away
  world().active = true;
  rec->log.clear();
  host->RunFrame();
  EXPECT_EQ(rec->Count("update"), 1);
}

TEST_F(HostTest, CloseButtonDeliversCloseKeyAndKeepsWindowOpen) {
  Start();
  glfw2null_PushWindowClose();
  host->RunFrame();
  EXPECT_EQ(rec->Count("key 1 432"), 1);
  EXPECT_EQ(rec->Count("key 2 432"), 1);
  std::vector<std::string> keys;
  for (const std::string& e : rec->log)
    if (e.rfind("key", 0) == 0) keys.push_back(e);
  EXPECT_EQ(keys, (std::vector<std::string>{"key 1 432", "key 2 432"}));
  EXPECT_TRUE(world().opened);
}

TEST_F(HostTest, RunEndsWhenTheWindowCloses) {
  rec->onUpdate = [this] {
    if (rec->Count("update") == 3) glfwCloseWindow();
  };
  host->SetUpdateRate(0);
  host->Run();
  EXPECT_EQ(rec->Count("start"), 1);
  EXPECT_EQ(rec->Count("update"), 3);
  EXPECT_EQ(std::string(world().title), "Vextrallis");
}

TEST_F(HostTest, ForwardingFollowsItsGuards) {
  // Before the game has started nothing reaches the delegate.
  host->UpdateGame();
  host->RenderGame();
  host->KeyEvent(kEventKeyDown, 65);
  host->MouseEvent(kEventMouseMove, -1, 1, 2);
  host->SuspendGame();
  host->ResumeGame();
  host->DiscardGraphics();
  EXPECT_TRUE(rec->log.empty());

  host->StartGame();
  host->StartGame();
  host->SuspendGame();
  host->SuspendGame();
  host->UpdateGame();  // suspended: no update
  host->RenderGame();  // suspended games still render
  host->KeyEvent(kEventKeyDown, 65);
  host->ResumeGame();
  host->ResumeGame();
  host->UpdateGame();
  host->DiscardGraphics();
  EXPECT_EQ(rec->log, (std::vector<std::string>{"start", "suspend", "render", "key 1 65", "resume", "update",
                                                "discard"}));
  EXPECT_TRUE(host->Started());
  EXPECT_FALSE(host->Suspended());
}

// Host events forwarded from inside an update (re-opening the window releases the held keys) must not
// run a collection step there: it could end a cycle and free objects that only the update's locals hold.
TEST_F(HostTest, NoCollectionStepRunsInsideAnUpdateOrARender) {
  Start();
  struct Probe : gc_object {
    bool* destroyed = nullptr;
    ~Probe() override { *destroyed = true; }
  };
  bool destroyed = false;
  Probe* local = nullptr;
  // Released: on the free list, or already destroyed from there.
  auto released = [&] {
    for (gc_object* q = gc_free_list.succ; q != &gc_free_list; q = q->succ) {
      if (q == local) return true;
    }
    return destroyed;
  };
  bool releasedInside = true;
  auto useALocal = [&] {
    local = new Probe;  // held by nothing but this call (making it may destroy the last one)
    destroyed = false;
    local->destroyed = &destroyed;
    gc_ext_malloced(0x800001);  // the next step ends the cycle
    host->KeyEvent(kEventKeyUp, 65);
    host->MouseEvent(kEventMouseMove, -1, 1, 2);
    releasedInside = released();
  };
  rec->onUpdate = useALocal;
  host->UpdateGame();
  EXPECT_FALSE(releasedInside) << "in an update";
  EXPECT_TRUE(released()) << "the step after the update ends the cycle";

  rec->onRender = useALocal;
  host->RenderGame();
  EXPECT_FALSE(releasedInside) << "in a render";
  EXPECT_TRUE(released());
  gc_destroy_garbage(0x7fffffff);
  EXPECT_STREQ(gc_check_heap(), "");
}

TEST_F(HostTest, ExceptionFromAppCodeEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Start();
  rec->throwInUpdate = true;
  EXPECT_EXIT(
      {
        vxtest::StdoutToStderr();
        host->UpdateGame();
      },
      ::testing::ExitedWithCode(255), "Trazel Runtime Error : Uncaught Trazel Exception");
}

TEST_F(HostTest, MillisecsFollowTheClock) {
  world().time = 1.2345;
  EXPECT_EQ(host->Millisecs(), 1234);
}

}  // namespace
