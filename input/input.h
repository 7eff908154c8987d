// The input layer's public face: the input device that the delegate feeds with host events, and the
// rt_input_ functions through which the game reads keys, characters, pointer, touches and joysticks.
#pragma once
#include "runtime/runtime.h"

// One joystick unit as the host last reported it.
struct c_JoyState : Object {
  Array<float> m_joyx;    // [0] left stick or first trigger, [1] right stick or second trigger
  Array<float> m_joyy;
  Array<float> m_joyz;
  Array<bool> m_buttons;  // 32 logical buttons
  bool m_attached = false;  // a joystick answered for this unit at the last poll

  c_JoyState* m_new();
  void mark() override;
};

// Key state of every key-like input (keys, mouse buttons, joystick buttons, touches) by runtime key code
// 1..511, the presses and characters of the current update, and the latest analogue readings.
struct c_InputDevice : Object {
  Array<c_JoyState*> m_joyStates;  // 4 units
  Array<bool> m_keyDown;           // 512
  int m_keyHitCount = 0;
  Array<int> m_keyHitQueue;        // 33: codes whose hit counter rose this update, in order
  Array<int> m_keyHit;             // 512
  int m_charGet = 0;
  int m_charPut = 0;
  Array<int> m_charQueue;          // 32
  float m_mouseX = 0, m_mouseY = 0;
  Array<float> m_touchX;           // 32
  Array<float> m_touchY;           // 32
  float m_accelX = 0, m_accelY = 0, m_accelZ = 0;

  // All state zeroed, 4 joystick records.
  c_InputDevice* m_new();
  void mark() override;

  // Counts one press of `key` unless 33 presses were already counted this update.
  void p_PutKeyHit(int key);
  // KeyDown (held keys raise no further hits; keys 1 and 384 mirror each other), KeyUp, KeyChar.
  void p_KeyEvent(int event, int data);
  // MouseDown / MouseUp are key events of code button + 1; the position goes to the mouse and touch 0.
  void p_MouseEvent(int event, int button, float x, float y);
  // TouchDown / TouchUp are key events of code 384 + index; touch 0 also moves the mouse.
  void p_TouchEvent(int event, int index, float x, float y);
  // MotionAccel stores the accelerometer reading.
  void p_MotionEvent(int event, int data, float x, float y, float z);
  // Polls joysticks 0..3 through the host; new button presses hit. A unit whose joystick has gone is
  // cleared at once (sticks, triggers, buttons released without a hit); the units after it are still polled.
  void p_BeginUpdate();
  // Forgets this update's hits and characters.
  void p_EndUpdate();

  // Reads; key codes outside 1..511 read as up and unhit, indexes outside the tables as 0.
  bool p_KeyDown(int key);
  int p_KeyHit(int key);
  int p_GetChar();  // 0 when no character is queued
  float p_MouseX();
  float p_MouseY();
  float p_TouchX(int index);
  float p_TouchY(int index);
  float p_JoyX(int index, int unit);
  float p_JoyY(int index, int unit);
  float p_AccelX();
  float p_AccelY();
  // Passed on to the host (no effect on the desktop).
  void p_SetKeyboardEnabled(bool enabled);
};

// The device every rt_input_ function reads; set by the delegate when the game starts.
extern c_InputDevice* rt_input_device;

void rt_input_SetInputDevice(c_InputDevice* device);
void rt_input_EnableKeyboard();
void rt_input_DisableKeyboard();
int rt_input_KeyDown(int key);     // 1 while held
int rt_input_KeyHit(int key);      // presses since the last update
int rt_input_GetChar();            // next typed character, 0 when none
float rt_input_MouseX();
float rt_input_MouseY();
int rt_input_MouseDown(int button);  // button 0 left, 1 right, 2 middle
int rt_input_MouseHit(int button);
int rt_input_TouchDown(int index);
float rt_input_TouchX(int index);  // 0 outside 0..31
float rt_input_TouchY(int index);
int rt_input_JoyDown(int button, int unit);
int rt_input_JoyHit(int button, int unit);
float rt_input_JoyX(int index, int unit);  // index 0..1, unit 0..3; 0 outside
float rt_input_JoyY(int index, int unit);
float rt_input_AccelX();
float rt_input_AccelY();
