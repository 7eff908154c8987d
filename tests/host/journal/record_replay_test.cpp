// Recording and replaying on the scripted backend: a small loop that makes every kind of backend call and
// receives every kind of event is recorded over a scripted world, then replayed over an empty one, and
// must see exactly the same; loops that take another path are stopped with the frame where they left it.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "host/backend/glfw2.h"
#include "host/backend/glfw2_null.h"
#include "host/journal/glfw2_recording.h"
#include "host/journal/glfw2_replay.h"
#include "host/journal/journal.h"
#include "host/journal/journal_reader.h"
#include "host/journal/journal_writer.h"
#include "support/test_os.h"

namespace {

std::vector<std::string>* g_trace = nullptr;

void Note(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof line, format, args);
  va_end(args);
  g_trace->push_back(line);
}

void OnKey(int key, int action) {
  Note("key %d %d", key, action);
  int x, y;
  glfwGetMousePos(&x, &y);  // a call made from inside a callback
  Note("mouse at key %d %d", x, y);
}
void OnChar(int c, int action) { Note("char %d %d", c, action); }
void OnMouseButton(int button, int action) { Note("button %d %d", button, action); }
void OnMousePos(int x, int y) { Note("move %d %d", x, y); }
int OnClose() {
  Note("close");
  return 0;
}

// Where a loop leaves the recorded path.
struct Detour {
  enum Kind { None, OtherKey, OtherDrawing, ExtraCall, LongerRun } kind = None;
  int frame = 0;
};

// A host loop in miniature: set-up, then per frame draw, swap, clock, sleep, events and queries.
void Loop(std::vector<std::string>& trace, int frames, Detour detour = Detour()) {
  g_trace = &trace;
  Note("init %d", glfwInit());
  glfwOpenWindowHint(GLFW_REFRESH_RATE, 60);
  Note("open %d", glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW));
  glfwSetWindowTitle("Journal test");
  glfwSetWindowPos(10, 20);
  glfwSwapInterval(1);
  glfwEnable(GLFW_KEY_REPEAT);
  glfwDisable(GLFW_AUTO_POLL_EVENTS);
  glfwSetKeyCallback(OnKey);
  glfwSetCharCallback(OnChar);
  glfwSetMouseButtonCallback(OnMouseButton);
  glfwSetMousePosCallback(OnMousePos);
  glfwSetWindowCloseCallback(OnClose);
  GLFWvidmode desktop, modes[4];
  glfwGetDesktopMode(&desktop);
  Note("desktop %d %d", desktop.Width, desktop.Height);
  int n = glfwGetVideoModes(modes, 4);
  for (int i = 0; i < n; ++i) Note("mode %d %d %d", modes[i].Width, modes[i].Height, modes[i].BlueBits);

  float list[30];
  if (detour.kind == Detour::LongerRun) frames += 1;
  for (int f = 1; f <= frames; ++f) {
    for (int i = 0; i < 30; ++i) list[i] = float(f * i);
    if (detour.kind == Detour::OtherDrawing && f == detour.frame) list[7] += 0.5f;
    journal_NoteDrawList(list, 30);
    glfwSwapBuffers();
    Note("time %.9f", glfwGetTime());
    glfwSleep(0.001 * f);
    if (f % 4 == 0) {
      glfwWaitEvents();
    } else {
      glfwPollEvents();
    }
    Note("active %d", glfwGetWindowParam(GLFW_ACTIVE));
    Note("A %d", glfwGetKey(detour.kind == Detour::OtherKey && f == detour.frame ? 'B' : 'A'));
    Note("left %d", glfwGetMouseButton(0));
    int w, h;
    glfwGetWindowSize(&w, &h);
    Note("size %d %d", w, h);
    if (glfwGetJoystickParam(0, GLFW_PRESENT)) {
      float axes[4];
      unsigned char buttons[3];
      int na = glfwGetJoystickPos(0, axes, 4), nb = glfwGetJoystickButtons(0, buttons, 3);
      Note("stick %d %.3f %.3f %d %d %d", na, axes[0], axes[1], nb, buttons[0], buttons[2]);
    }
    if (detour.kind == Detour::ExtraCall && f == detour.frame) glfwGetTime();
  }
  glfwCloseWindow();
  glfwTerminate();
}

// The scripted world's doings: the clock moves a 60th per swap, and events come at some polls.
void Script(Glfw2NullCall call, void*) {
  Glfw2NullWorld& w = glfw2null_World();
  if (call == Glfw2NullCall::SwapBuffers) w.time += 1.0 / 60.0;
  if (call == Glfw2NullCall::SwapBuffers) return;
  switch (w.pollCount + w.waitCount) {
    case 2: glfw2null_PushKey('A', GLFW_PRESS); glfw2null_PushChar('a', GLFW_PRESS); break;
    case 3: glfw2null_PushMousePos(100, 50); glfw2null_PushMouseButton(0, GLFW_PRESS); break;
    case 4: w.width = 800; w.height = 600; w.joysticks[0].axes[0] = 0.5f; break;
    case 5: glfw2null_PushKey('A', GLFW_RELEASE); glfw2null_PushMouseButton(0, GLFW_RELEASE); break;
    case 6: w.active = false; glfw2null_PushWindowClose(); break;
    case 7: w.active = true; break;
  }
}

constexpr int kFrames = 9;

class JournalTest : public ::testing::Test {
 protected:
  std::string dir = vxtest::MakeTempDir("vx_journal_test_");
  std::string path = dir + "/run.journal";
  std::vector<long> frameEnds;  // the file's size after each frame's flush
  std::vector<std::string> recorded;

  void TearDown() override {
    vxtest::RemoveTree(dir);
    journal_ResetHash(false);
    glfw2null_Uninstall();
  }

  // The scripted world of the recorded run.
  static void SetUpWorld() {
    glfw2null_Install();
    Glfw2NullWorld& w = glfw2null_World();
    w.time = 1.0;
    w.hook = Script;
    w.joysticks[0].present = true;
    w.joysticks[0].axisCount = 2;
    w.joysticks[0].axes[1] = -0.25f;
    w.joysticks[0].buttonCount = 3;
    w.joysticks[0].buttons[2] = 1;
  }

  void Record(bool withEnd = true) {
    JournalWriter writer;
    ASSERT_TRUE(writer.Open(path.c_str()));
    journal::Header header;
    header.build = "test";
    writer.Header(header);
    SetUpWorld();
    journal_ResetHash(true);
    glfw2_SetBackend(&glfw2rec_Backend(glfw2null_Backend(), writer));
    Loop(recorded, kFrames);
    if (withEnd) writer.Byte(journal::kEnd);
    writer.Close();
    glfw2null_Uninstall();
  }

  std::vector<uint8_t> Bytes() {
    const std::string bytes = vxtest::ReadWholeFile(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
  }

  // Replays `bytes` over an empty scripted world.
  std::vector<std::string> Replay(const std::vector<uint8_t>& bytes, Detour detour = Detour()) {
    static JournalReader reader;  // outlives the call: death tests end inside it
    EXPECT_TRUE(reader.Open(bytes.data(), bytes.size())) << reader.Error();
    glfw2null_Install();
    journal_ResetHash(true);
    glfw2_SetBackend(&glfw2replay_Backend(glfw2null_Backend(), reader, false));
    std::vector<std::string> trace;
    Loop(trace, kFrames, detour);
    glfw2replay_CheckEnd();
    return trace;
  }
};

TEST_F(JournalTest, ReplayOverAnEmptyWorldSeesWhatTheRecordedRunSaw) {
  Record();
  const std::vector<uint8_t> bytes = Bytes();
  const std::vector<std::string> replayed = Replay(bytes);
  EXPECT_EQ(replayed, recorded);
  EXPECT_EQ(glfw2replay_Frame() - 1, kFrames);

  // Recording changed nothing the loop saw.
  SetUpWorld();
  std::vector<std::string> unrecorded;
  Loop(unrecorded, kFrames);
  EXPECT_EQ(unrecorded, recorded);

  // The recording really held varied input: events, a call from a callback, a resize, a close request.
  auto has = [&](const std::string& line) {
    for (const std::string& l : recorded) if (l == line) return true;
    return false;
  };
  EXPECT_TRUE(has("key 65 1") && has("char 97 1") && has("move 100 50") && has("button 0 1"));
  EXPECT_TRUE(has("mouse at key 100 50") && has("size 800 600") && has("close") && has("active 0"));
  EXPECT_TRUE(has("stick 2 0.500 -0.250 3 0 1"));

  JournalReader reader;
  ASSERT_TRUE(reader.Open(bytes.data(), bytes.size()));
  EXPECT_EQ(reader.Frames(), kFrames);
  EXPECT_TRUE(reader.Finished());
  EXPECT_EQ(reader.Header().build, "test");
}

TEST_F(JournalTest, ReplayStopsAtTheFrameWhereTheGameLeavesTheRecordedPath) {
  Record();
  const std::vector<uint8_t> bytes = Bytes();
  const struct {
    Detour detour;
    const char* message;
  } cases[] = {
      {{Detour::OtherKey, 3}, "diverged in frame 4: the game calls GetKey with 66 where the journal has 65"},
      {{Detour::OtherDrawing, 5}, "diverged in frame 5: the draw list differs from the recorded one"},
      {{Detour::ExtraCall, 2}, "diverged in frame 3: the game calls GetTime where the journal has SwapBuffers"},
      {{Detour::LongerRun, 0}, "the game calls SwapBuffers where the journal has CloseWindow"},
  };
  // Frame N is what leads up to the N-th swap: the queries after a loop's swap belong to the next frame.
  for (const auto& c : cases) {
    EXPECT_EXIT(Replay(bytes, c.detour), ::testing::ExitedWithCode(kReplayDiverged), c.message);
  }
}

TEST_F(JournalTest, AJournalCutAtAFrameEndReplaysUpToThereAndSaysSo) {
  Record(false);
  std::vector<uint8_t> bytes = Bytes();
  // Keep the header and the records up to the end of frame 4, as a run killed in frame 5 leaves it.
  size_t cut = 0;
  for (size_t len = bytes.size(); len > 0; --len) {
    JournalReader r;
    if (r.Open(bytes.data(), len) && r.Frames() == 4) {
      cut = len;
      break;
    }
  }
  ASSERT_GT(cut, 0u);
  bytes.resize(cut);
  EXPECT_EXIT(Replay(bytes), ::testing::ExitedWithCode(kReplayCutShort), "the journal ends after frame 4");
}

}  // namespace
