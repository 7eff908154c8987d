// Opening the window (held keys released first, centring, title, swap interval, input modes) and the
// translation of GLFW callbacks into host events.
#include "host/backend/glfw2.h"
#include "host_fixture.h"

namespace {

struct WindowCase {
  int desktopW, desktopH, width, height, flags;
  int mode, posX, posY;
  bool titled;
  int openWidth = 0, openHeight = 0;  // the size the window opens at, when not the asked one
};

class WindowTest : public HostTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowTest, OpensCentredWindowOrFullScreen) {
  const WindowCase& c = GetParam();
  Start();
  world().desktop = {c.desktopW, c.desktopH, 8, 8, 8};
  world().title[0] = 0;
  world().posX = world().posY = 12345;
  world().openWidth = c.openWidth;
  world().openHeight = c.openHeight;
  int seq = glfwGraphicsSeq;
  int opens = world().openCount;
  host->SetDeviceWindow(c.width, c.height, c.flags);
  EXPECT_EQ(world().openCount, opens + 1);
  EXPECT_EQ(glfwGraphicsSeq, seq + 1);
  EXPECT_EQ(world().mode, c.mode);
  EXPECT_EQ(world().refreshRate, 60);
  EXPECT_EQ(world().noResize, 0);
  const int bits[6] = {8, 8, 8, 0, 0, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(world().bits[i], bits[i]);
  if (c.titled) {
    EXPECT_EQ(std::string(world().title), "Vextrallis");
    EXPECT_EQ(world().posX, c.posX);
    EXPECT_EQ(world().posY, c.posY);
  } else {
    EXPECT_EQ(std::string(world().title), "");
  }
  EXPECT_EQ(world().swapInterval, 1);
  EXPECT_TRUE(world().keyRepeat);
  EXPECT_FALSE(world().autoPoll);
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowTest,
    ::testing::Values(WindowCase{1920, 1080, 640, 480, 0, GLFW_WINDOW, 640, 300, true},
                      // A window larger than the desktop: the offset rounds toward zero.
                      WindowCase{1000, 700, 1025, 481, 0, GLFW_WINDOW, -12, 109, true},
                      // Opened twice as large, as on a monitor of twice the pixel density: that is centred.
                      WindowCase{1920, 1080, 640, 480, 0, GLFW_WINDOW, 320, 60, true, 1280, 960},
                      WindowCase{1920, 1080, 800, 600, 1, GLFW_FULLSCREEN, 0, 0, false}));

TEST_F(HostTest, HeldKeysAreReleasedBeforeTheWindowReopens) {
  Start();
  world().keys[GLFW_KEY_LEFT] = GLFW_PRESS;
  world().keys['A'] = GLFW_PRESS;
  std::vector<int> opensAtKeyUp;
  rec->onKey = [&](int event, int) {
    if (event == kEventKeyUp) opensAtKeyUp.push_back(world().openCount);
  };
  int opens = world().openCount;
  host->SetDeviceWindow(640, 480, 0);
  EXPECT_EQ(rec->Count("key 2 " + std::to_string(TransKey(GLFW_KEY_LEFT))), 1);
  EXPECT_EQ(rec->Count("key 2 " + std::to_string(TransKey('A'))), 1);
  EXPECT_EQ(opensAtKeyUp, (std::vector<int>{opens, opens}));
}

TEST_F(HostTest, SwapIntervalAppliesOnlyWhenNotNegative) {
  Start();
  host->SetSwapInterval(0);
  EXPECT_EQ(world().swapInterval, 0);
  host->SetSwapInterval(-1);
  EXPECT_EQ(world().swapInterval, 0);
  host->SetDeviceWindow(640, 480, 0);
  EXPECT_EQ(world().swapInterval, 0);  // a negative interval leaves the driver's setting
}

TEST_F(HostTest, MouseVisibilityTogglesTheCursor) {
  Start();
  host->SetMouseVisible(false);
  EXPECT_FALSE(world().cursorShown);
  host->SetMouseVisible(true);
  EXPECT_TRUE(world().cursorShown);
}

TEST_F(HostTest, CallbacksBecomeHostEvents) {
  Start();
  int unmapped = GLFW_KEY_SPECIAL;
  while (unmapped < GLFW_KEY_LAST && TransKey(unmapped) != 0) ++unmapped;
  ASSERT_EQ(TransKey(unmapped), 0);
  world().mouseX = 10;
  world().mouseY = 20;
  glfw2null_PushMouseButton(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS);
  glfw2null_PushMouseButton(3, GLFW_PRESS);  // buttons above 2 are ignored
  glfw2null_PushMouseButton(GLFW_MOUSE_BUTTON_RIGHT, GLFW_RELEASE);
  glfw2null_PushMousePos(30, 40);
  glfw2null_PushChar(0x20AC, GLFW_PRESS);
  glfw2null_PushChar(0x20AC, GLFW_RELEASE);  // characters count on press only
  glfw2null_PushKey(GLFW_KEY_ENTER, GLFW_PRESS);
  glfw2null_PushKey(GLFW_KEY_ENTER, GLFW_RELEASE);
  glfw2null_PushKey(unmapped, GLFW_PRESS);  // a key without a runtime code is ignored
  glfwPollEvents();

  int enter = TransKey(GLFW_KEY_ENTER);
  ASSERT_NE(enter, 0);
  std::vector<std::string> expected = {"mouse 4 1 10 20", "mouse 5 1 10 20", "mouse 6 -1 30 40", "key 3 8364",
                                       "key 1 " + std::to_string(enter)};
  // Control keys type their character together with the KeyDown.
  if (KeyToChar(enter) != 0) expected.push_back("key 3 " + std::to_string(KeyToChar(enter)));
  expected.push_back("key 2 " + std::to_string(enter));
  EXPECT_EQ(rec->log, expected);
}

}  // namespace
