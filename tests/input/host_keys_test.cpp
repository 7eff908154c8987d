// Key translation from GLFW 2.7 key numbers to runtime codes and characters, and the whole path from a
// scripted key press through the host into the input device.
#include <gtest/gtest.h>

#include "host/backend/glfw2_null.h"
#include "host/host.h"
#include "input/input.h"

namespace {

TEST(KeyTranslation, TransKeyTable) {
  const struct { int glfw, code; } table[] = {
      {'0', '0'}, {'9', '9'}, {'A', 'A'}, {'Z', 'Z'}, {' ', 32}, {'"', 222}, {'\'', 222}, {',', 188},
      {'-', 189}, {'.', 190}, {'/', 191}, {';', 186}, {'=', 187}, {'[', 219}, {'\\', 220}, {']', 221},
      {'`', 192}, {'~', 192}, {GLFW_KEY_ESC, 27}, {GLFW_KEY_F1, 112}, {GLFW_KEY_F4, 115}, {GLFW_KEY_F12, 123},
      {GLFW_KEY_UP, 38}, {GLFW_KEY_DOWN, 40}, {GLFW_KEY_LEFT, 37}, {GLFW_KEY_RIGHT, 39},
      {GLFW_KEY_LSHIFT, 16}, {GLFW_KEY_RSHIFT, 16}, {GLFW_KEY_LCTRL, 17}, {GLFW_KEY_RCTRL, 17},
      {GLFW_KEY_TAB, 9}, {GLFW_KEY_ENTER, 13}, {GLFW_KEY_BACKSPACE, 8}, {GLFW_KEY_INSERT, 45},
      {GLFW_KEY_DEL, 46}, {GLFW_KEY_PAGEUP, 33}, {GLFW_KEY_PAGEDOWN, 34}, {GLFW_KEY_HOME, 36},
      {GLFW_KEY_END, 35}, {GLFW_KEY_KP_0, 96}, {GLFW_KEY_KP_9, 105}, {GLFW_KEY_KP_DIVIDE, 111},
      {GLFW_KEY_KP_MULTIPLY, 106}, {GLFW_KEY_KP_SUBTRACT, 109}, {GLFW_KEY_KP_ADD, 107},
      {GLFW_KEY_KP_DECIMAL, 110},
      // Ignored: other characters, lower case, F13 up, the Alt keys, keypad "=" and Enter, lock and
      // system keys, and anything outside the table.
      {'!', 0}, {'a', 0}, {'z', 0}, {'{', 0}, {GLFW_KEY_F13, 0}, {GLFW_KEY_F25, 0}, {GLFW_KEY_LALT, 0},
      {GLFW_KEY_RALT, 0}, {GLFW_KEY_KP_EQUAL, 0}, {GLFW_KEY_KP_ENTER, 0}, {GLFW_KEY_CAPS_LOCK, 0},
      {GLFW_KEY_MENU, 0}, {GLFW_KEY_SPECIAL, 0}, {31, 0}, {0, 0}, {-1, 0}, {100000, 0},
  };
  for (const auto& t : table) EXPECT_EQ(TransKey(t.glfw), t.code) << "GLFW key " << t.glfw;
}

TEST(KeyTranslation, KeyToCharTable) {
  const struct { int code, chr; } table[] = {
      {8, 8}, {9, 9}, {13, 13}, {27, 27}, {33, 65569}, {34, 65570}, {35, 65571}, {36, 65572},
      {37, 65573}, {38, 65574}, {39, 65575}, {40, 65576}, {45, 65581}, {46, 127},
      {32, 0}, {41, 0}, {44, 0}, {47, 0}, {65, 0}, {112, 0}, {16, 0}, {0, 0},
  };
  for (const auto& t : table) EXPECT_EQ(KeyToChar(t.code), t.chr) << "code " << t.code;
}

// Hands host events to the input device, as the app's delegate does.
struct InputOnlyDelegate : RtGameDelegate {
  c_InputDevice* input = nullptr;
  void StartGame() override {
    gc_assign(input, (new c_InputDevice)->m_new());
    rt_input_SetInputDevice(input);
  }
  void UpdateGame() override {
    input->p_BeginUpdate();
    input->p_EndUpdate();
  }
  void KeyEvent(int event, int data) override { input->p_KeyEvent(event, data); }
  void MouseEvent(int event, int data, float x, float y) override { input->p_MouseEvent(event, data, x, y); }
  void mark() override { gc_mark(input); }
};

class HostKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    glfw2null_Install();
    ASSERT_EQ(glfwInit(), 1);
    host = new RtGlfwGame;
    delegate = new InputOnlyDelegate;
    host->SetDelegate(delegate);
    host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    host->StartGame();
  }
  void TearDown() override {
    delete host;
    RtGame::_game = nullptr;
    RtGlfwGame::_glfwGame = nullptr;
    glfwTerminate();
    glfw2null_Uninstall();
  }
  RtGlfwGame* host = nullptr;
  InputOnlyDelegate* delegate = nullptr;
};

TEST_F(HostKeys, ControlKeysTypeTheirCharacterAndRepeatsDoNotHitAgain) {
  glfw2null_PushKey(GLFW_KEY_DEL, GLFW_PRESS);
  glfw2null_PushKey(GLFW_KEY_DEL, GLFW_PRESS);  // key repeat
  glfw2null_PushKey(GLFW_KEY_LEFT, GLFW_PRESS);
  glfw2null_PushKey(GLFW_KEY_DEL, GLFW_RELEASE);
  host->UpdateEvents();
  EXPECT_EQ(rt_input_KeyHit(46), 1);
  EXPECT_EQ(rt_input_KeyDown(46), 0);
  EXPECT_EQ(rt_input_KeyHit(37), 1);
  EXPECT_EQ(rt_input_KeyDown(37), 1);
  // The repeat still types its character.
  EXPECT_EQ(rt_input_GetChar(), 127);
  EXPECT_EQ(rt_input_GetChar(), 127);
  EXPECT_EQ(rt_input_GetChar(), 65573);
  EXPECT_EQ(rt_input_GetChar(), 0);

  host->UpdateGame();  // the update ends: hits and characters are gone, held keys stay
  EXPECT_EQ(rt_input_KeyHit(37), 0);
  EXPECT_EQ(rt_input_KeyDown(37), 1);
  EXPECT_EQ(rt_input_GetChar(), 0);
}

TEST_F(HostKeys, LeftClickReachesMouseAndTouch) {
  glfw2null_PushMousePos(30, 40);
  glfw2null_PushMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
  host->UpdateEvents();
  EXPECT_EQ(rt_input_MouseDown(0), 1);
  EXPECT_EQ(rt_input_TouchDown(0), 1);
  EXPECT_EQ(rt_input_MouseHit(0), 1);
  EXPECT_EQ(rt_input_KeyHit(384), 1);
  EXPECT_EQ(rt_input_MouseX(), 30.0f);
  EXPECT_EQ(rt_input_TouchY(0), 40.0f);
}

}  // namespace
