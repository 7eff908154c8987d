// Game pads of three families, reported as GLFW 3 reports them on Linux, through the GLFW 3 backend's real
// joystick conversion, the host's layouts, the input device and the game's own controls: every stick and
// d-pad direction steers the ship that way, A fires, Start pauses, Back goes back; pads come and go.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "host/pads/glfw2_joysticks.h"
#include "input/input.h"
#include "scripted_pads.h"
#include "support/game_harness.h"

namespace {

enum Control {
  kStickLeft, kStickUp, kStickRight, kStickDown, kPadLeft, kPadUp, kPadRight, kPadDown, kA, kStart, kBack, kControls
};
const char* const kControlNames[kControls] = {"stick left", "stick up",    "stick right", "stick down",
                                              "d-pad left", "d-pad up",    "d-pad right", "d-pad down",
                                              "A",          "Start",       "Back"};

// One element of a report: 'a' an axis pushed to `value` (raw: joystick axis; mapped: pad axis), 'b' a
// button, 'h' a direction bit of hat 0 (raw only).
struct Element {
  char kind;
  int index;
  float value;
};

// What GLFW derives through a mapping, the same for every recognised pad.
const Element kMapped[kControls] = {
    {'a', gamepad::LEFT_X, -0.9f}, {'a', gamepad::LEFT_Y, -0.9f}, {'a', gamepad::LEFT_X, 0.9f},
    {'a', gamepad::LEFT_Y, 0.9f},  {'b', gamepad::DPAD_LEFT, 0},  {'b', gamepad::DPAD_UP, 0},
    {'b', gamepad::DPAD_RIGHT, 0}, {'b', gamepad::DPAD_DOWN, 0},  {'b', gamepad::A, 0},
    {'b', gamepad::START, 0},      {'b', gamepad::BACK, 0},
};

// Every family has its left stick on axes 0 and 1 and its d-pad as hat 0.
const Element kRawDirections[kPadDown + 1] = {
    {'a', 0, -0.9f}, {'a', 1, -0.9f}, {'a', 0, 0.9f}, {'a', 1, 0.9f},
    {'h', 0, gamepad::HAT_LEFT}, {'h', 0, gamepad::HAT_UP}, {'h', 0, gamepad::HAT_RIGHT}, {'h', 0, gamepad::HAT_DOWN},
};

struct Family {
  const char* name;
  bool mapped;
  int axes, buttons;   // raw counts; every family has one hat
  float rest[8];       // raw axes at rest (triggers rest at -1)
  int a, start, back;  // raw button numbers
};

const Family kFamilies[] = {
    // A pad GLFW recognises (Xbox- and PlayStation-style pads alike): the game reads only the standard
    // state GLFW derives through the pad's mapping, so one such family covers them all; how each family's
    // buttons map is GLFW's own table. Raw axes: left x, left y, left trigger, right x, right y, right
    // trigger. Raw buttons: A, B, X, Y, LB, RB, back, start, guide, left thumb, right thumb.
    {"RecognisedPad", true, 6, 11, {0, 0, -1, 0, 0, -1}, 0, 7, 6},
    // Axes: x, y, z, rz (the right stick). Buttons 1..12 (reported 0..11), 9 and 10 select and start; no
    // mapping, so the layout for other pads applies: its fire button is the second.
    {"GenericUsbWithHat", false, 4, 12, {0, 0, 0, 0}, 1, 9, 8},
};

Element Raw(const Family& f, Control c) {
  if (c <= kPadDown) return kRawDirections[c];
  return {'b', c == kA ? f.a : c == kStart ? f.start : f.back, 0};
}

void PrintTo(const Family& f, std::ostream* os) { *os << f.name; }

void PlugIn(int jid, const Family& f) {
  ScriptedPad& p = scriptedPads().pads[jid];
  p = ScriptedPad();
  p.present = true;
  p.axisCount = f.axes;
  p.buttonCount = f.buttons;
  p.hatCount = 1;
  for (int i = 0; i < f.axes; ++i) p.axes[i] = f.rest[i];
  p.mapped = f.mapped;
  p.state.axes[gamepad::LEFT_TRIGGER] = p.state.axes[gamepad::RIGHT_TRIGGER] = -1.0f;
}

void Apply(ScriptedPad& p, const Element& e, bool mappedState, bool on, float rest) {
  if (e.kind == 'a') {
    (mappedState ? p.state.axes : p.axes)[e.index] = on ? e.value : rest;
  } else if (e.kind == 'b') {
    (mappedState ? p.state.buttons : p.buttons)[e.index] = on;
  } else {
    unsigned char bit = static_cast<unsigned char>(e.value);
    p.hats[e.index] = on ? (p.hats[e.index] | bit) : (p.hats[e.index] & ~bit);
  }
}

// Presses or releases one control, in the raw report and, for a recognised pad, in its mapped state.
void Set(int jid, const Family& f, Control c, bool on) {
  ScriptedPad& p = scriptedPads().pads[jid];
  const Element raw = Raw(f, c);
  Apply(p, raw, false, on, raw.kind == 'a' ? f.rest[raw.index] : 0.0f);
  if (f.mapped) Apply(p, kMapped[c], true, on, 0.0f);
}

// The game on the scripted host, with the GLFW 3 backend's joystick entries in place of the scripted
// world's, reading pads from the scripted joystick source.
class PadGame : public ::testing::Test {
 protected:
  void SetUp() override {
    h.reset(new GameHarness);
    ASSERT_TRUE(h->FinishLoading());
    app = h->app;
    backend = glfw2null_Backend();
    backend.GetJoystickParam = glfw2_JoystickParam;
    backend.GetJoystickPos = glfw2_JoystickPos;
    backend.GetJoystickButtons = glfw2_JoystickButtons;
    glfw2_SetBackend(&backend);
    scriptedPads_Install();
  }
  void TearDown() override {
    scriptedPads_Uninstall();
    h.reset();
  }
  float& Vx() { return app->m_Player[3]; }
  float& Vy() { return app->m_Player[4]; }
  float Reload() { return app->m_Player[22]; }  // rises above 3 with each shot while fire is held
  // Ship and keyboard ramps at rest, so that one case does not carry into the next.
  void Still() {
    Vx() = Vy() = 0.0f;
    app->m_KeyRampX = app->m_KeyRampY = 0.0f;
  }

  std::unique_ptr<GameHarness> h;
  c_MyApp* app = nullptr;
  Glfw2Backend backend;
};

class PadFamilies : public PadGame, public ::testing::WithParamInterface<Family> {};

TEST_P(PadFamilies, EveryDirectionSteersThatWayAndTheButtonsWork) {
  const Family& f = GetParam();
  PlugIn(0, f);
  h->StartGame();
  struct Steer {
    Control control;
    int dx, dy;
  } const steers[] = {
      {kStickLeft, -1, 0}, {kStickUp, 0, -1}, {kStickRight, 1, 0}, {kStickDown, 0, 1},
      {kPadLeft, -1, 0},   {kPadUp, 0, -1},   {kPadRight, 1, 0},   {kPadDown, 0, 1},
  };
  for (const Steer& s : steers) {
    SCOPED_TRACE(kControlNames[s.control]);
    Still();
    Set(0, f, s.control, true);
    h->Frames(5);
    const float v[2] = {Vx(), Vy()};
    const int want[2] = {s.dx, s.dy};
    for (int axis = 0; axis < 2; ++axis) {
      if (want[axis] == 0) {
        EXPECT_NEAR(v[axis], 0.0f, 1e-4) << "axis " << axis;
      } else {
        EXPECT_GT(v[axis] * float(want[axis]), 0.3f) << "axis " << axis;
      }
    }
    EXPECT_EQ(app->p_PlayKey(10, 1, 0), 0) << "a direction is no fire";
    Set(0, f, s.control, false);
    h->Frames(8);  // the ramps run back
  }
  ASSERT_EQ(app->m_Paused, 0);

  Set(0, f, kA, true);
  h->Frame();
  EXPECT_GT(Reload(), 3.0f) << "A fires";
  EXPECT_EQ(app->m_Paused, 0);
  Set(0, f, kA, false);
  h->Frame();

  Set(0, f, kStart, true);
  h->Frame();
  EXPECT_EQ(app->m_Paused, 1) << "Start pauses";
  Set(0, f, kStart, false);
  h->Frames(2);

  Set(0, f, kBack, true);
  h->Frame();
  EXPECT_EQ(app->m_PauseDir, -1) << "Back leaves the pause menu";
}

INSTANTIATE_TEST_SUITE_P(LinuxPads, PadFamilies, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& i) { return std::string(i.param.name); });

const Family& Recognised() { return kFamilies[0]; }
const Family& Generic() { return kFamilies[1]; }

TEST_F(PadGame, UnpluggingAPadWithFireHeldStopsFireAndSteeringAndThePadBehindKeepsWorking) {
  PlugIn(0, Recognised());
  PlugIn(1, Generic());
  h->StartGame();
  Set(0, Recognised(), kA, true);
  Set(0, Recognised(), kStickRight, true);
  Set(1, Generic(), kPadDown, true);
  h->Frame();
  ASSERT_NE(app->p_PlayKey(10, 1, 0), 0);
  ASSERT_GT(app->m_AnalogX, 0.5f);
  ASSERT_NE(rt_input_JoyDown(11, 1), 0);

  scriptedPads().pads[0].present = false;  // pulled out, everything still held
  h->Frame();
  EXPECT_EQ(app->p_PlayKey(10, 1, 0), 0) << "no stuck fire";
  EXPECT_FLOAT_EQ(Reload(), 3.0f);
  EXPECT_EQ(app->m_AnalogX, 0.0f) << "no stuck steering";
  for (int button = 0; button < 32; ++button) EXPECT_EQ(rt_input_JoyDown(button, 1), 0) << button;
  EXPECT_EQ(rt_input_JoyX(0, 1), 0.0f);
  // The generic pad behind it is now the first unit, still holding down.
  EXPECT_NE(rt_input_JoyDown(11, 0), 0);
  EXPECT_GT(app->m_AnalogY, 0.0f);
  Set(1, Generic(), kPadDown, false);
  Set(1, Generic(), kA, true);
  h->Frame();
  EXPECT_NE(app->p_PlayKey(10, 1, 0), 0) << "the remaining pad fires";
  Set(1, Generic(), kA, false);

  PlugIn(0, Recognised());  // plugged back in, nothing held
  h->Frame();
  EXPECT_EQ(app->p_PlayKey(10, 1, 0), 0);
  Set(0, Recognised(), kA, true);
  h->Frame();
  EXPECT_NE(rt_input_JoyDown(0, 0), 0) << "the re-plugged pad is the first unit again";
  EXPECT_GT(Reload(), 3.0f) << "and fires";
}

}  // namespace
