// The input device: key state by runtime key code, per-update hits and typed characters, pointer,
// touch, accelerometer and joystick readings, fed by the delegate and read by the rt_input_ functions.
#include "input/input.h"

#include "host/host.h"  // Required for: RtGame (joystick polling, keyboard flag), event codes

namespace {

constexpr int kKeyCount = 512;
constexpr int kHitQueueLength = 33;
constexpr int kCharQueueLength = 32;
constexpr int kTouchCount = 32;
constexpr int kJoyUnits = 4;
constexpr int kJoyButtons = 32;
constexpr int kFirstJoyKey = 256;
constexpr int kFirstTouchKey = 384;
constexpr int kLeftMouseKey = 1;

inline bool ValidKey(int key) { return key >= 1 && key < kKeyCount; }

}  // namespace

c_JoyState* c_JoyState::m_new() {
  gc_assign(m_joyx, Array<float>(2));
  gc_assign(m_joyy, Array<float>(2));
  gc_assign(m_joyz, Array<float>(2));
  gc_assign(m_buttons, Array<bool>(kJoyButtons));
  return this;
}

void c_JoyState::mark() {
  gc_mark(m_joyx);
  gc_mark(m_joyy);
  gc_mark(m_joyz);
  gc_mark(m_buttons);
}

c_InputDevice* c_InputDevice::m_new() {
  gc_assign(m_joyStates, Array<c_JoyState*>(kJoyUnits));
  for (int i = 0; i < kJoyUnits; ++i) gc_assign(m_joyStates[i], (new c_JoyState)->m_new());
  gc_assign(m_keyDown, Array<bool>(kKeyCount));
  gc_assign(m_keyHitQueue, Array<int>(kHitQueueLength));
  gc_assign(m_keyHit, Array<int>(kKeyCount));
  gc_assign(m_charQueue, Array<int>(kCharQueueLength));
  gc_assign(m_touchX, Array<float>(kTouchCount));
  gc_assign(m_touchY, Array<float>(kTouchCount));
  return this;
}

void c_InputDevice::mark() {
  gc_mark(m_joyStates);
  gc_mark(m_keyDown);
  gc_mark(m_keyHitQueue);
  gc_mark(m_keyHit);
  gc_mark(m_charQueue);
  gc_mark(m_touchX);
  gc_mark(m_touchY);
}

void c_InputDevice::p_PutKeyHit(int key) {
  if (!ValidKey(key) || m_keyHitCount >= m_keyHitQueue.Length()) return;
  m_keyHit[key] += 1;
  m_keyHitQueue[m_keyHitCount++] = key;
}

void c_InputDevice::p_KeyEvent(int event, int data) {
  switch (event) {
    case kEventKeyDown:
      // A held key repeating from the host must not count again.
      if (!ValidKey(data) || m_keyDown[data]) return;
      m_keyDown[data] = true;
      p_PutKeyHit(data);
      // The left mouse button and the first touch are one pointer.
      if (data == kLeftMouseKey) {
        m_keyDown[kFirstTouchKey] = true;
        p_PutKeyHit(kFirstTouchKey);
      } else if (data == kFirstTouchKey) {
        m_keyDown[kLeftMouseKey] = true;
        p_PutKeyHit(kLeftMouseKey);
      }
      return;
    case kEventKeyUp:
      if (!ValidKey(data) || !m_keyDown[data]) return;
      m_keyDown[data] = false;
      if (data == kLeftMouseKey) m_keyDown[kFirstTouchKey] = false;
      else if (data == kFirstTouchKey) m_keyDown[kLeftMouseKey] = false;
      return;
    case kEventKeyChar:
      if (m_charPut < m_charQueue.Length()) m_charQueue[m_charPut++] = data;
      return;
    default:
      return;
  }
}

void c_InputDevice::p_MouseEvent(int event, int button, float x, float y) {
  switch (event) {
    case kEventMouseDown:
      p_KeyEvent(kEventKeyDown, button + 1);
      break;
    case kEventMouseUp:
      p_KeyEvent(kEventKeyUp, button + 1);
      return;  // a release leaves the position where it was
    case kEventMouseMove:
      break;
    default:
      return;
  }
  m_mouseX = x;
  m_mouseY = y;
  m_touchX[0] = x;
  m_touchY[0] = y;
}

void c_InputDevice::p_TouchEvent(int event, int index, float x, float y) {
  switch (event) {
    case kEventTouchDown:
      p_KeyEvent(kEventKeyDown, kFirstTouchKey + index);
      break;
    case kEventTouchUp:
      p_KeyEvent(kEventKeyUp, kFirstTouchKey + index);
      return;
    case kEventTouchMove:
      break;
    default:
      return;
  }
  if (index < 0 || index >= kTouchCount) return;
  m_touchX[index] = x;
  m_touchY[index] = y;
  if (index == 0) {
    m_mouseX = x;
    m_mouseY = y;
  }
}

void c_InputDevice::p_MotionEvent(int event, int data, float x, float y, float z) {
  (void)data;
  if (event != kEventMotionAccel) return;
  m_accelX = x;
  m_accelY = y;
  m_accelZ = z;
}

void c_InputDevice::p_BeginUpdate() {
  RtGame* host = RtGame::_game;
  if (!host) return;
  for (int unit = 0; unit < kJoyUnits; ++unit) {
    c_JoyState* joy = m_joyStates[unit];
    const int firstKey = kFirstJoyKey + kJoyButtons * unit;
    if (!host->PollJoystick(unit, joy->m_joyx, joy->m_joyy, joy->m_joyz, joy->m_buttons)) {
      // A pad pulled out while held must not keep steering or firing.
      if (joy->m_attached) {
        for (int i = 0; i < 2; ++i) joy->m_joyx[i] = joy->m_joyy[i] = joy->m_joyz[i] = 0.0f;
        for (int b = 0; b < kJoyButtons; ++b) joy->m_buttons[b] = m_keyDown[firstKey + b] = false;
        joy->m_attached = false;
      }
      continue;
    }
    joy->m_attached = true;
    for (int b = 0; b < kJoyButtons; ++b) {
      int key = firstKey + b;
      if (!joy->m_buttons[b]) {
        m_keyDown[key] = false;  // a release is not an event of its own
      } else if (!m_keyDown[key]) {
        m_keyDown[key] = true;
        p_PutKeyHit(key);
      }
    }
  }
}

void c_InputDevice::p_EndUpdate() {
  for (int i = 0; i < m_keyHitCount; ++i) m_keyHit[m_keyHitQueue[i]] = 0;
  m_keyHitCount = 0;
  m_charGet = 0;
  m_charPut = 0;
}

bool c_InputDevice::p_KeyDown(int key) { return ValidKey(key) && m_keyDown[key]; }

int c_InputDevice::p_KeyHit(int key) { return ValidKey(key) ? m_keyHit[key] : 0; }

int c_InputDevice::p_GetChar() {
  if (m_charGet == m_charPut) return 0;
  return m_charQueue[m_charGet++];
}

float c_InputDevice::p_MouseX() { return m_mouseX; }
float c_InputDevice::p_MouseY() { return m_mouseY; }

float c_InputDevice::p_TouchX(int index) { return index >= 0 && index < kTouchCount ? m_touchX[index] : 0.0f; }
float c_InputDevice::p_TouchY(int index) { return index >= 0 && index < kTouchCount ? m_touchY[index] : 0.0f; }

float c_InputDevice::p_JoyX(int index, int unit) {
  if (index < 0 || index > 1 || unit < 0 || unit >= kJoyUnits) return 0.0f;
  return m_joyStates[unit]->m_joyx[index];
}

float c_InputDevice::p_JoyY(int index, int unit) {
  if (index < 0 || index > 1 || unit < 0 || unit >= kJoyUnits) return 0.0f;
  return m_joyStates[unit]->m_joyy[index];
}

float c_InputDevice::p_AccelX() { return m_accelX; }
float c_InputDevice::p_AccelY() { return m_accelY; }

void c_InputDevice::p_SetKeyboardEnabled(bool enabled) {
  if (RtGame::_game) RtGame::_game->SetKeyboardEnabled(enabled);
}
