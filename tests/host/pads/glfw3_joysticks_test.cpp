// The GLFW 3 backend's joysticks in 2.7 form, from scripted GLFW 3 reports: the standard form of a
// recognised pad, and the raw form of other joysticks with their hats appended as buttons.
#include <gtest/gtest.h>

#include "host/backend/glfw2_backend.h"
#include "host/pads/glfw2_joysticks.h"
#include "scripted_pads.h"

namespace {

class Glfw3Joysticks : public ::testing::Test {
 protected:
  void SetUp() override { scriptedPads_Install(); }
  void TearDown() override { scriptedPads_Uninstall(); }
  ScriptedPad& Pad(int jid) {
    ScriptedPad& p = scriptedPads().pads[jid];
    p.present = true;
    return p;
  }
  ScriptedPad& Mapped(int jid) {
    ScriptedPad& p = Pad(jid);
    p.mapped = true;
    p.axisCount = 8;  // what the driver reports does not matter once a mapping recognises the pad
    p.buttonCount = 11;
    p.hatCount = 1;
    p.state.axes[gamepad::LEFT_TRIGGER] = p.state.axes[gamepad::RIGHT_TRIGGER] = -1.0f;
    return p;
  }
  float pos[8];
  unsigned char buttons[32];
};

TEST_F(Glfw3Joysticks, ARecognisedPadHasTheStandardFourteenButtonsAndFiveAxes) {
  ScriptedPad& p = Mapped(3);
  EXPECT_EQ(glfw2_JoystickParam(3, glfw2c::PRESENT), 1);
  EXPECT_EQ(glfw2_JoystickParam(3, glfw2c::AXES), 5);
  EXPECT_EQ(glfw2_JoystickParam(3, glfw2c::BUTTONS), 14);

  const int reported[14] = {gamepad::A,          gamepad::B,           gamepad::X,         gamepad::Y,
                            gamepad::LEFT_BUMPER, gamepad::RIGHT_BUMPER, gamepad::BACK,      gamepad::START,
                            gamepad::LEFT_THUMB, gamepad::RIGHT_THUMB, gamepad::DPAD_LEFT, gamepad::DPAD_UP,
                            gamepad::DPAD_RIGHT, gamepad::DPAD_DOWN};
  for (int i = 0; i < 14; ++i) {
    SCOPED_TRACE(i);
    p.state = {};
    p.state.buttons[reported[i]] = 1;
    ASSERT_EQ(glfw2_JoystickButtons(3, buttons, 32), 14);
    for (int j = 0; j < 32; ++j) EXPECT_EQ(buttons[j], j == i ? glfw2c::PRESS : glfw2c::RELEASE) << j;
  }
  p.state = {};
  p.state.buttons[gamepad::GUIDE] = 1;
  glfw2_JoystickButtons(3, buttons, 32);
  for (int j = 0; j < 32; ++j) EXPECT_EQ(buttons[j], glfw2c::RELEASE) << "the guide button is not reported";

  struct Case {
    float lx, ly, rx, ry, lt, rt;
    float want[5];
  } const cases[] = {
      {0.5f, -0.25f, 0, 0, -1, -1, {0.5f, 0.25f, 0, 0, 0}},  // left stick; y turns positive upwards
      {0, 0, 0.75f, 0.5f, -1, -1, {0, 0, 0, -0.5f, 0.75f}},  // right stick: y at 3, x at 4
      {0, 0, 0, 0, 1, -1, {0, 0, 1, 0, 0}},                 // left trigger pulled
      {0, 0, 0, 0, -1, 0, {0, 0, -0.5f, 0, 0}},             // right trigger half pulled
      {0, 0, 0, 0, 1, 1, {0, 0, 0, 0, 0}},                  // both cancel on the shared axis
  };
  for (const Case& c : cases) {
    float* a = p.state.axes;
    a[gamepad::LEFT_X] = c.lx, a[gamepad::LEFT_Y] = c.ly, a[gamepad::RIGHT_X] = c.rx, a[gamepad::RIGHT_Y] = c.ry;
    a[gamepad::LEFT_TRIGGER] = c.lt, a[gamepad::RIGHT_TRIGGER] = c.rt;
    ASSERT_EQ(glfw2_JoystickPos(3, pos, 8), 5);
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(pos[i], i < 5 ? c.want[i] : 0.0f) << "axis " << i;
  }
  EXPECT_EQ(glfw2_JoystickPos(3, pos, 2), 2) << "a short request gets the first axes";
}

TEST_F(Glfw3Joysticks, OtherJoysticksKeepTheirAxesWithOnlyTheFirstStickYTurnedAndAppendTheirHats) {
  ScriptedPad& p = Pad(0);
  p.axisCount = 6;
  const float raw[6] = {0.1f, 0.2f, -1.0f, 0.4f, 0.5f, -1.0f};
  for (int i = 0; i < 6; ++i) p.axes[i] = raw[i];
  p.buttonCount = 3;
  p.buttons[2] = 1;
  p.hatCount = 2;
  p.hats[0] = gamepad::HAT_UP | gamepad::HAT_RIGHT;  // a diagonal presses both
  p.hats[1] = gamepad::HAT_DOWN;
  EXPECT_EQ(glfw2_JoystickParam(0, glfw2c::AXES), 6);
  EXPECT_EQ(glfw2_JoystickParam(0, glfw2c::BUTTONS), 3 + 8);

  ASSERT_EQ(glfw2_JoystickPos(0, pos, 8), 6);
  const float want[8] = {0.1f, -0.2f, -1.0f, 0.4f, 0.5f, -1.0f, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(pos[i], want[i]) << "axis " << i;

  // Buttons, then each hat as left, up, right, down.
  ASSERT_EQ(glfw2_JoystickButtons(0, buttons, 32), 11);
  const unsigned char wantButtons[11] = {0, 0, 1, /*hat 0*/ 0, 1, 1, 0, /*hat 1*/ 0, 0, 0, 1};
  for (int i = 0; i < 32; ++i) EXPECT_EQ(buttons[i], i < 11 ? wantButtons[i] : 0) << i;
  EXPECT_EQ(glfw2_JoystickButtons(0, buttons, 5), 5) << "cut off at the room given";
  EXPECT_EQ(buttons[4], 1);
}

TEST_F(Glfw3Joysticks, AnAbsentOrInvalidJoystickReportsNothing) {
  Mapped(2).state.buttons[gamepad::A] = 1;
  scriptedPads().pads[2].present = false;
  for (int jid : {2, -1, 16}) {
    SCOPED_TRACE(jid);
    pos[0] = 9.0f;
    buttons[0] = 1;
    EXPECT_EQ(glfw2_JoystickParam(jid, glfw2c::PRESENT), 0);
    EXPECT_EQ(glfw2_JoystickParam(jid, glfw2c::BUTTONS), 0);
    EXPECT_EQ(glfw2_JoystickPos(jid, pos, 8), 0);
    EXPECT_EQ(glfw2_JoystickButtons(jid, buttons, 32), 0);
    EXPECT_EQ(pos[0], 0.0f);
    EXPECT_EQ(buttons[0], 0);
  }
}

}  // namespace
