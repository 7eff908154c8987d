// The input device as the delegate drives it: event sequences between two updates and what the game's
// reads see, the hit and character overflows, and the range rules of the rt_input_ functions.
#include <gtest/gtest.h>

#include <vector>

#include "host/host.h"
#include "input/input.h"

namespace {

// One step of a sequence: an event to the device, or the end of an update.
struct Step {
  enum Op { Key, Mouse, Touch, EndUpdate } op;
  int event = 0, data = 0;
  float x = 0, y = 0;
};
Step Key(int event, int code) { return {Step::Key, event, code}; }
Step Mouse(int event, int button, float x = 0, float y = 0) { return {Step::Mouse, event, button, x, y}; }
Step Touch(int event, int index, float x = 0, float y = 0) { return {Step::Touch, event, index, x, y}; }
const Step kEndUpdate = {Step::EndUpdate};

// One read the game makes after the steps, with the value it must see.
struct Read {
  enum What { KeyDown, KeyHit, MouseDown, MouseHit, TouchDown, Char, MouseX, MouseY, TouchX, TouchY } what;
  int arg;
  float want;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::vector<Read> reads;
};

float Perform(const Read& r) {
  switch (r.what) {
    case Read::KeyDown: return float(rt_input_KeyDown(r.arg));
    case Read::KeyHit: return float(rt_input_KeyHit(r.arg));
    case Read::MouseDown: return float(rt_input_MouseDown(r.arg));
    case Read::MouseHit: return float(rt_input_MouseHit(r.arg));
    case Read::TouchDown: return float(rt_input_TouchDown(r.arg));
    case Read::Char: return float(rt_input_GetChar());
    case Read::MouseX: return rt_input_MouseX();
    case Read::MouseY: return rt_input_MouseY();
    case Read::TouchX: return rt_input_TouchX(r.arg);
    case Read::TouchY: return rt_input_TouchY(r.arg);
  }
  return -1;
}

class InputDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    RtGame::_game = nullptr;  // no host: no joysticks to poll
    device = (new c_InputDevice)->m_new();
    rt_input_SetInputDevice(device);
  }
  void Run(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      switch (s.op) {
        case Step::Key: device->p_KeyEvent(s.event, s.data); break;
        case Step::Mouse: device->p_MouseEvent(s.event, s.data, s.x, s.y); break;
        case Step::Touch: device->p_TouchEvent(s.event, s.data, s.x, s.y); break;
        case Step::EndUpdate: device->p_EndUpdate(); break;
      }
    }
  }
  c_InputDevice* device = nullptr;
};

const int D = kEventKeyDown, U = kEventKeyUp, C = kEventKeyChar;

TEST_F(InputDevice, EventSequencesBetweenUpdates) {
  const std::vector<Case> cases = {
      {"held key repeating gives one hit", {Key(D, 65), Key(D, 65), Key(D, 65)},
       {{Read::KeyDown, 65, 1}, {Read::KeyHit, 65, 1}}},
      {"press and release before the update", {Key(D, 32), Key(U, 32)},
       {{Read::KeyHit, 32, 1}, {Read::KeyDown, 32, 0}}},
      {"a hit lasts one update, the key stays down", {Key(D, 38), kEndUpdate},
       {{Read::KeyHit, 38, 0}, {Read::KeyDown, 38, 1}}},
      {"release, press again: a new hit", {Key(D, 38), kEndUpdate, Key(U, 38), Key(D, 38)},
       {{Read::KeyHit, 38, 1}, {Read::KeyDown, 38, 1}}},
      {"release of a key that is up does nothing", {Key(U, 40)}, {{Read::KeyDown, 40, 0}, {Read::KeyHit, 40, 0}}},
      {"left button is also touch 0", {Mouse(kEventMouseDown, 0, 12, 34)},
       {{Read::MouseDown, 0, 1}, {Read::TouchDown, 0, 1}, {Read::KeyHit, 1, 1}, {Read::KeyHit, 384, 1},
        {Read::MouseX, 0, 12}, {Read::MouseY, 0, 34}, {Read::TouchX, 0, 12}, {Read::TouchY, 0, 34}}},
      {"releasing the left button releases touch 0",
       {Mouse(kEventMouseDown, 0, 5, 6), Mouse(kEventMouseUp, 0, 50, 60)},
       {{Read::MouseDown, 0, 0}, {Read::TouchDown, 0, 0}, {Read::MouseX, 0, 5}, {Read::TouchY, 0, 6}}},
      {"touch 0 is also the left button and moves the mouse", {Touch(kEventTouchDown, 0, 7, 8)},
       {{Read::MouseDown, 0, 1}, {Read::MouseHit, 0, 1}, {Read::TouchDown, 0, 1}, {Read::MouseX, 0, 7},
        {Read::MouseY, 0, 8}}},
      {"other touches keep their own place", {Touch(kEventTouchDown, 3, 70, 80), Touch(kEventTouchMove, 3, 71, 81)},
       {{Read::TouchDown, 3, 1}, {Read::KeyHit, 387, 1}, {Read::MouseDown, 0, 0}, {Read::TouchX, 3, 71},
        {Read::TouchY, 3, 81}, {Read::MouseX, 0, 0}}},
      {"right and middle buttons", {Mouse(kEventMouseDown, 1), Mouse(kEventMouseDown, 2)},
       {{Read::KeyHit, 2, 1}, {Read::KeyHit, 3, 1}, {Read::TouchDown, 0, 0}}},
      {"mouse move only moves", {Mouse(kEventMouseMove, -1, 100, 200)},
       {{Read::MouseX, 0, 100}, {Read::TouchX, 0, 100}, {Read::MouseDown, 0, 0}}},
      {"characters in order, then 0", {Key(C, 'h'), Key(C, 'i')},
       {{Read::Char, 0, 'h'}, {Read::Char, 0, 'i'}, {Read::Char, 0, 0}}},
      {"characters last one update", {Key(C, 'x'), kEndUpdate}, {{Read::Char, 0, 0}}},
      {"codes outside 1..511 are ignored", {Key(D, 0), Key(D, 512), Key(D, -5), Touch(kEventTouchDown, 200)},
       {{Read::KeyDown, 0, 0}, {Read::KeyDown, 512, 0}, {Read::KeyHit, -5, 0}, {Read::TouchDown, 200, 0},
        {Read::TouchX, 200, 0}}},
  };
  for (const Case& c : cases) {
    SetUp();
    Run(c.steps);
    for (size_t i = 0; i < c.reads.size(); ++i) {
      EXPECT_FLOAT_EQ(Perform(c.reads[i]), c.reads[i].want) << c.name << ", read " << i;
    }
  }
}

TEST_F(InputDevice, HitQueueKeepsThirtyThreeHitsPerUpdate) {
  for (int key = 100; key < 134; ++key) device->p_KeyEvent(D, key);  // 34 presses
  EXPECT_EQ(rt_input_KeyHit(132), 1);
  EXPECT_EQ(rt_input_KeyHit(133), 0);   // lost
  EXPECT_EQ(rt_input_KeyDown(133), 1);  // but still held
  device->p_EndUpdate();
  for (int key = 100; key < 134; ++key) ASSERT_EQ(rt_input_KeyHit(key), 0) << key;
  device->p_KeyEvent(D, 200);
  EXPECT_EQ(rt_input_KeyHit(200), 1);  // room again after the update
}

TEST_F(InputDevice, MirroredLeftButtonTakesTwoPlacesInTheHitQueue) {
  for (int key = 100; key < 132; ++key) device->p_KeyEvent(D, key);  // 32 hits
  device->p_MouseEvent(kEventMouseDown, 0, 0, 0);
  EXPECT_EQ(rt_input_MouseHit(0), 1);
  EXPECT_EQ(rt_input_KeyHit(384), 0);  // the 34th hit is lost
  EXPECT_EQ(rt_input_TouchDown(0), 1);
}

TEST_F(InputDevice, CharacterQueueKeepsThirtyTwo) {
  for (int i = 0; i < 33; ++i) device->p_KeyEvent(C, 1000 + i);
  for (int i = 0; i < 32; ++i) ASSERT_EQ(rt_input_GetChar(), 1000 + i);
  EXPECT_EQ(rt_input_GetChar(), 0);
}

TEST_F(InputDevice, RangeRulesOfTheModuleFunctions) {
  device->p_KeyEvent(D, 511);
  device->p_KeyEvent(D, 256 + 32 * 3 + 31);
  device->p_MotionEvent(kEventMotionAccel, 0, 0.5f, -0.25f, 1.0f);
  EXPECT_EQ(rt_input_MouseDown(510), 1);  // code 511
  EXPECT_EQ(rt_input_MouseDown(511), 0);
  EXPECT_EQ(rt_input_MouseDown(-1), 0);
  EXPECT_EQ(rt_input_TouchDown(127), 1);  // code 511
  EXPECT_EQ(rt_input_JoyDown(31, 3), 1);
  EXPECT_EQ(rt_input_JoyHit(31, 3), 1);
  EXPECT_EQ(rt_input_JoyDown(31, 8), 0);  // code 543
  EXPECT_EQ(rt_input_JoyDown(-1, 0), 0);
  EXPECT_EQ(rt_input_JoyX(2, 0), 0.0f);
  EXPECT_EQ(rt_input_JoyY(0, 4), 0.0f);
  EXPECT_EQ(rt_input_TouchX(-1), 0.0f);
  EXPECT_EQ(rt_input_TouchY(32), 0.0f);
  EXPECT_EQ(rt_input_AccelX(), 0.5f);
  EXPECT_EQ(rt_input_AccelY(), -0.25f);
  EXPECT_EQ(device->m_accelZ, 1.0f);
}

TEST_F(InputDevice, SurvivesCollectionWithItsTables) {
  device->p_KeyEvent(D, 65);
  gc_mark_roots = nullptr;
  for (int i = 0; i < 2; ++i) {
    gc_ext_malloced(0x800001);
    gc_collect_step(device);
  }
  gc_destroy_garbage(0x7fffffff);
  EXPECT_STREQ(gc_check_heap(), "");
  EXPECT_EQ(rt_input_KeyDown(65), 1);
  EXPECT_EQ(device->m_joyStates[3]->m_buttons.Length(), 32);
  EXPECT_EQ(device->m_joyStates[3]->m_joyz.Length(), 2);
}

}  // namespace
