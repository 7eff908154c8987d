// Joystick polling with scripted pads behind the GLFW seam: the port table, the two layouts' axis and
// button maps, and the input device's per-update polling and button hits.
#include <gtest/gtest.h>

#include "host/backend/glfw2_null.h"
#include "host/host.h"
#include "input/input.h"

namespace {

// The desktop host, counting the ports the input device asks for.
struct CountingHost : RtGlfwGame {
  int polls[4] = {};
  bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> b) override {
    if (port >= 0 && port < 4) ++polls[port];
    return RtGlfwGame::PollJoystick(port, x, y, z, b);
  }
};

class Joysticks : public ::testing::Test {
 protected:
  void SetUp() override {
    glfw2null_Install();
    ASSERT_EQ(glfwInit(), 1);
    host = new CountingHost;
    device = (new c_InputDevice)->m_new();
    rt_input_SetInputDevice(device);
  }
  void TearDown() override {
    delete host;
    RtGame::_game = nullptr;
    RtGlfwGame::_glfwGame = nullptr;
    glfwTerminate();
    glfw2null_Uninstall();
  }
  Glfw2NullJoystick& Pad(int id, int axes, int buttons) {
    Glfw2NullJoystick& j = glfw2null_World().joysticks[id];
    j.present = true;
    j.axisCount = axes;
    j.buttonCount = buttons;
    return j;
  }
  c_JoyState* Unit(int unit) { return device->m_joyStates[unit]; }
  bool Poll(int port) {
    c_JoyState* s = Unit(port & 3);
    return host->PollJoystick(port, s->m_joyx, s->m_joyy, s->m_joyz, s->m_buttons);
  }
  CountingHost* host = nullptr;
  c_InputDevice* device = nullptr;
};

TEST_F(Joysticks, AbsentUnitsNeverAttachedKeepTheirRecordsAndRaiseNoKeys) {
  Pad(2, 2, 4).axes[0] = 0.5f;
  Unit(1)->m_joyx[0] = 0.25f;  // not a joystick's: the unit has had none
  Unit(1)->m_buttons[3] = true;
  device->p_BeginUpdate();
  for (int port = 0; port < 4; ++port) EXPECT_EQ(host->polls[port], 1) << port;
  EXPECT_FLOAT_EQ(rt_input_JoyX(0, 0), 0.5f);
  EXPECT_FLOAT_EQ(rt_input_JoyX(0, 1), 0.25f);
  EXPECT_TRUE(Unit(1)->m_buttons[3]);
  EXPECT_EQ(rt_input_JoyDown(3, 1), 0);
}

TEST_F(Joysticks, AnUnpluggedUnitIsClearedAtOnceAndTheUnitsAfterItStillWork) {
  Glfw2NullJoystick& a = Pad(0, 3, 12);
  Glfw2NullJoystick& b = Pad(1, 3, 12);
  a.axes[0] = a.axes[1] = b.axes[0] = -0.75f;
  a.buttons[1] = a.buttons[11] = b.buttons[1] = GLFW_PRESS;
  device->p_BeginUpdate();
  device->p_EndUpdate();
  ASSERT_EQ(rt_input_JoyDown(0, 1), 1);

  b.present = false;  // pulled out while held
  device->p_BeginUpdate();
  EXPECT_EQ(rt_input_JoyDown(0, 1), 0);
  EXPECT_EQ(rt_input_JoyHit(0, 1), 0);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(rt_input_JoyX(i, 1), 0.0f);
    EXPECT_EQ(rt_input_JoyY(i, 1), 0.0f);
    EXPECT_EQ(Unit(1)->m_joyz[i], 0.0f);
  }
  for (int i = 0; i < 32; ++i) EXPECT_FALSE(Unit(1)->m_buttons[i]) << i;
  EXPECT_EQ(rt_input_JoyDown(0, 0), 1) << "the unit before it is untouched";
  device->p_EndUpdate();

  // With the first pad pulled out, the one behind it moves up to the first unit (the ports are the
  // present pads in order) and is read there; the unit it leaves is cleared.
  a.present = false;
  b.present = true;
  b.axes[0] = 0.5f;
  device->p_BeginUpdate();
  EXPECT_EQ(rt_input_JoyDown(0, 0), 1);
  EXPECT_EQ(rt_input_JoyDown(11, 0), 0) << "the pulled pad's other button is gone with it";
  EXPECT_FLOAT_EQ(rt_input_JoyX(0, 0), 0.5f);
  EXPECT_EQ(rt_input_JoyDown(0, 1), 0);
  EXPECT_EQ(rt_input_JoyX(0, 1), 0.0f);
}

TEST_F(Joysticks, PortTableTakesTheFirstFourPresentIdsAndIsRebuiltAtPortZero) {
  for (int id : {1, 3, 5, 7, 9}) Pad(id, 1, 1).axes[0] = float(id) / 10;
  for (int port = 0; port < 4; ++port) {
    ASSERT_TRUE(Poll(port));
    EXPECT_FLOAT_EQ(Unit(port)->m_joyx[0], float(1 + 2 * port) / 10) << port;
  }
  glfw2null_World().joysticks[3].present = false;
  glfw2null_World().joysticks[1].present = false;
  glfw2null_World().joysticks[5].present = false;
  glfw2null_World().joysticks[7].present = false;
  EXPECT_TRUE(Poll(1));  // the table is only rebuilt at port 0: it still names id 3
  ASSERT_TRUE(Poll(0));   // rescan: only id 9 is left
  EXPECT_FLOAT_EQ(Unit(0)->m_joyx[0], 0.9f);
  EXPECT_FALSE(Poll(1));
  EXPECT_FALSE(Poll(4));
}

TEST_F(Joysticks, LayoutXForFourteenButtonsAndFiveAxes) {
  Glfw2NullJoystick& j = Pad(0, 5, 14);
  const float axes[5] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f};
  for (int i = 0; i < 5; ++i) j.axes[i] = axes[i];
  for (int raw : {0, 7, 8, 9, 10, 13}) j.buttons[raw] = GLFW_PRESS;
  ASSERT_TRUE(Poll(0));
  c_JoyState* s = Unit(0);
  EXPECT_FLOAT_EQ(s->m_joyx[0], 0.1f);
  EXPECT_FLOAT_EQ(s->m_joyy[0], 0.2f);
  EXPECT_FLOAT_EQ(s->m_joyz[0], 0.3f);
  EXPECT_FLOAT_EQ(s->m_joyx[1], 0.5f);
  EXPECT_FLOAT_EQ(s->m_joyy[1], -0.4f);  // right stick's vertical axis negated
  EXPECT_FLOAT_EQ(s->m_joyz[1], -0.3f);
  // Logical 0..7 = raw 0..7, 8..11 = the last four (raw 10..13), 12, 13 = raw 8, 9.
  const bool want[14] = {1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 1, 1};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(s->m_buttons[i], want[i]) << "logical " << i;
  for (int i = 14; i < 32; ++i) EXPECT_FALSE(s->m_buttons[i]) << i;
}

TEST_F(Joysticks, LayoutGTakesTriggersFromButtonsAndHatsFromTheEnd) {
  Glfw2NullJoystick& j = Pad(0, 6, 16);  // 12 buttons, then one hat: left, up, right, down
  const float axes[6] = {-0.1f, -0.2f, -0.3f, -0.4f, 0.9f, 0.8f};
  for (int i = 0; i < 6; ++i) j.axes[i] = axes[i];
  for (int raw : {0, 1, 6, 11, 13, 15}) j.buttons[raw] = GLFW_PRESS;
  ASSERT_TRUE(Poll(0));
  c_JoyState* s = Unit(0);
  EXPECT_FLOAT_EQ(s->m_joyx[0], -0.1f);
  EXPECT_FLOAT_EQ(s->m_joyy[0], -0.2f);
  EXPECT_FLOAT_EQ(s->m_joyz[0], 1.0f);  // button 6
  EXPECT_FLOAT_EQ(s->m_joyx[1], -0.3f);
  EXPECT_FLOAT_EQ(s->m_joyy[1], 0.4f);
  EXPECT_FLOAT_EQ(s->m_joyz[1], 0.0f);  // button 7
  // Map 1, 2, 0, 3, 4, 5, 8, 9, -4, -3, -2, -1, 10, 11.
  const bool want[14] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(s->m_buttons[i], want[i]) << "logical " << i;
}

TEST_F(Joysticks, ShortPadReadsMissingButtonsAndAxesAsReleased) {
  Glfw2NullJoystick& j = Pad(0, 1, 3);
  j.axes[0] = 0.75f;
  j.buttons[0] = j.buttons[1] = j.buttons[2] = GLFW_PRESS;
  c_JoyState* s = Unit(0);
  for (int i = 0; i < 32; ++i) s->m_buttons[i] = true;
  s->m_joyy[1] = 5.0f;
  ASSERT_TRUE(Poll(0));
  EXPECT_FLOAT_EQ(s->m_joyx[0], 0.75f);
  EXPECT_FLOAT_EQ(s->m_joyy[0], 0.0f);
  EXPECT_FLOAT_EQ(s->m_joyy[1], 0.0f);
  // Entries -4, -3, -2, -1 select raw -1, 0, 1, 2; entries 8 and up are past the list.
  const bool want[14] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(s->m_buttons[i], want[i]) << "logical " << i;
  for (int i = 14; i < 32; ++i) EXPECT_FALSE(s->m_buttons[i]) << i;
}

TEST_F(Joysticks, ButtonPressHitsOnceAndReleaseClearsWithoutHit) {
  Glfw2NullJoystick& j1 = Pad(4, 2, 12);
  Glfw2NullJoystick& j2 = Pad(6, 2, 12);
  j2.buttons[2] = GLFW_PRESS;  // logical 1 of unit 1: key 256 + 32 + 1
  device->p_BeginUpdate();
  EXPECT_EQ(rt_input_JoyHit(1, 1), 1);
  EXPECT_EQ(rt_input_KeyDown(289), 1);
  device->p_EndUpdate();
  device->p_BeginUpdate();
  EXPECT_EQ(rt_input_JoyHit(1, 1), 0);  // held: no new hit
  EXPECT_EQ(rt_input_JoyDown(1, 1), 1);
  device->p_EndUpdate();
  j2.buttons[2] = GLFW_RELEASE;
  j1.buttons[1] = GLFW_PRESS;  // logical 0 of unit 0
  device->p_BeginUpdate();
  EXPECT_EQ(rt_input_JoyDown(1, 1), 0);
  EXPECT_EQ(rt_input_JoyHit(1, 1), 0);
  EXPECT_EQ(rt_input_JoyHit(0, 0), 1);
}

}  // namespace
