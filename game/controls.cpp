// The controls: game buttons folded from keys, joystick buttons, sticks and the virtual keys of the iCade
// decoder; the per-update pointer snapshot in virtual pixels, the on-screen area tests, and the steering pair.
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"
#include "input/input.h"

namespace {

// Sources of one game button for one table row: keys, joystick buttons and virtual keys, tried in order.
struct ButtonSources {
  int keys[4];
  int keyCount;
  int joys[3];
  int joyCount;
  int stick;  // 0 none; 1 up, 2 left, 3 right, 4 down (stick 0 past 0.4)
  int pads[3];
  int padCount;
};

// Rows for units 0..3 with iCade decoding off.
bool PlainSources(int code, ButtonSources& s) {
  switch (code) {
    case 0: s = {{38, 87}, 2, {9}, 1, 1, {0}, 1}; return true;
    case 3: s = {{37, 65}, 2, {8}, 1, 2, {3}, 1}; return true;
    case 5: s = {{39, 68}, 2, {10}, 1, 3, {5}, 1}; return true;
    case 8: s = {{40, 83}, 2, {11}, 1, 4, {8}, 1}; return true;
    case 10: s = {{90, 74, 32, 13}, 4, {0}, 1, 0, {10}, 1}; return true;
    case 11: s = {{88, 75, 17}, 3, {1}, 1, 0, {11}, 1}; return true;
    case 12: s = {{67, 76, 16}, 3, {2}, 1, 0, {12}, 1}; return true;
    case 13: s = {{86, 73}, 2, {3}, 1, 0, {13}, 1}; return true;
    case 14: s = {{66, 85}, 2, {4}, 1, 0, {14}, 1}; return true;
    case 15: s = {{78, 79}, 2, {5}, 1, 0, {15}, 1}; return true;
    case 98:
    case 99: s = {{27, 192, 46, 8}, 4, {6, 7, 14}, 3, 0, {16, 17, 19}, 3}; return true;
    default: return false;
  }
}

// Rows for units 0..3 with iCade decoding on: the adapter types the letters, so letter keys drop out.
bool ICadeSources(int code, ButtonSources& s) {
  switch (code) {
    case 0: s = {{38}, 1, {9}, 1, 0, {0}, 1}; return true;
    case 3: s = {{37}, 1, {8}, 1, 0, {3}, 1}; return true;
    case 5: s = {{39}, 1, {10}, 1, 0, {5}, 1}; return true;
    case 8: s = {{40}, 1, {11}, 1, 0, {8}, 1}; return true;
    case 10: s = {{32, 13}, 2, {0}, 1, 0, {10}, 1}; return true;
    case 11: s = {{17}, 1, {1}, 1, 0, {11}, 1}; return true;
    case 12: s = {{16}, 1, {2}, 1, 0, {12}, 1}; return true;
    case 13: s = {{}, 0, {3}, 1, 0, {13}, 1}; return true;
    case 14: s = {{}, 0, {4}, 1, 0, {14}, 1}; return true;
    case 15: s = {{}, 0, {5}, 1, 0, {15}, 1}; return true;
    case 99: s = {{27, 46, 8}, 3, {7, 6, 14}, 3, 0, {16, 17, 19}, 3}; return true;
    default: return false;
  }
}

// iCade letters: press letter, release letter and the virtual key they drive.
struct ICadeLetter {
  char press, release;
  int pad;
};
const ICadeLetter kICadeLetters[] = {
    {'W', 'E', 0},  {'X', 'Z', 8},  {'A', 'Q', 3},  {'D', 'C', 5},  {'Y', 'T', 13}, {'U', 'F', 14},
    {'I', 'M', 15}, {'O', 'G', 16}, {'H', 'R', 10}, {'J', 'N', 11}, {'K', 'P', 12}, {'L', 'V', 17},
};

// Steps a keyboard ramp: a held key pushes it by 0.15; released, it falls back toward 0 by 0.2.
void Ramp(bool negHeld, bool posHeld, float& ramp, float& out) {
  if (negHeld) {
    ramp -= 0.15f;
    out = ramp;
  } else if (ramp < 0.0f) {
    ramp += 0.2f;
    if (ramp > 0.0f) ramp = 0.0f;
    out = ramp;
  }
  if (posHeld) {
    ramp += 0.15f;
    out = ramp;
  } else if (ramp > 0.0f) {
    ramp -= 0.2f;
    if (ramp < 0.0f) ramp = 0.0f;
    out = ramp;
  }
}

}  // namespace

int c_MyApp::p_PlayKey(int code, int useStick, int unit) {
  if (unit < -1 || unit > 3) return 0;
  ButtonSources s;
  const bool icade = rt_Quorva_iCadeControls == 1;
  if (!(icade ? ICadeSources(code, s) : PlainSources(code, s))) return 0;
  if (unit == -1) {
    // Keyboard and virtual keys only; the back buttons are not read from the keyboard alone.
    if (code == 98) return 0;
    if (icade && code >= 13 && code <= 15) return m_Pad[code];
  }
  for (int i = 0; i < s.keyCount; ++i) {
    if (int v = rt_input_KeyDown(s.keys[i])) return v;
  }
  if (unit >= 0) {
    for (int i = 0; i < s.joyCount; ++i) {
      int key = 256 + 32 * unit + s.joys[i];
      if (key >= 1 && key <= 511) {
        if (int v = rt_input_KeyDown(key)) return v;
      }
    }
    if (useStick == 1 && s.stick != 0) {
      bool on = false;
      switch (s.stick) {
        case 1: on = p_StickY(0, unit) < -0.4f; break;
        case 2: on = rt_input_JoyX(0, unit) < -0.4f; break;
        case 3: on = rt_input_JoyX(0, unit) > 0.4f; break;
        case 4: on = p_StickY(0, unit) > 0.4f; break;
      }
      if (on) return 1;
    }
  }
  for (int i = 0; i < s.padCount; ++i) {
    if (int v = m_Pad[s.pads[i]]) return v;
  }
  return 0;
}

int c_MyApp::p_PlayKeyAll(int code, int useStick) {
  int sum = 0;
  for (int unit = 0; unit < 4; ++unit) sum += p_PlayKey(code, useStick, unit);
  return sum;
}

int c_MyApp::p_AnyPad(int code) { return p_PlayKeyAll(code, 1) != 0 ? 1 : 0; }

float c_MyApp::p_StickX(int index, int unit) {
  if (unit < 0 || unit > 3 || index < 0 || index > 1) return 0.0f;
  return rt_input_JoyX(index, unit);
}

float c_MyApp::p_StickY(int index, int unit) {
  if (unit < 0 || unit > 3 || index < 0 || index > 1) return 0.0f;
  float y = rt_input_JoyY(index, unit);
  return m_Options[15 + index] != 0 ? y : -y;
}

int c_MyApp::p_iCade(int mode) {
  if (mode == 1) {
    rt_input_EnableKeyboard();
    rt_Quorva_iCadeControls = 1;
    while (rt_input_GetChar() != 0) {
    }
    m_ICadeChar = 0;
  } else {
    rt_input_DisableKeyboard();
    rt_Quorva_iCadeControls = 0;
    for (int i = 0; i < 19; ++i) m_Pad[i] = 0;
  }
  return 0;
}

int c_MyApp::p_ICadeDecode() {
  for (;;) {
    m_ICadeChar = rt_input_GetChar();
    if (m_ICadeChar == 0) break;
    int c = m_ICadeChar;
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    for (const ICadeLetter& l : kICadeLetters) {
      if (c == l.press) m_Pad[l.pad] = 2;
      if (c == l.release) m_Pad[l.pad] = 0;
    }
  }
  return 0;
}

int c_MyApp::p_PointerSnapshot() {
  const float ox = rt_Quorva_overscan;
  const int devW = rt_app_DeviceWidth();
  const float oy = devW != 0 ? ox * float(rt_app_DeviceHeight()) / float(devW) : 0.0f;
  // Before the first render there is no scale yet; the pointer is then taken one to one.
  const float sx = m_ScaleX > 0.0f ? m_ScaleX : 1.0f;
  const float sy = m_ScaleY > 0.0f ? m_ScaleY : 1.0f;

  m_PrevMouseX = m_MouseX;
  m_PrevMouseY = m_MouseY;
  m_MouseX = int((rt_input_MouseX() - ox) / sx);
  m_MouseY = int((rt_input_MouseY() - oy) / sy);
  const int down = rt_input_KeyDown(1);
  if (m_MouseWasDown == 0 && down) {
    m_PrevMouseX = m_MouseX;
    m_PrevMouseY = m_MouseY;
  }
  m_TouchDown = down;
  m_MouseHit = rt_input_KeyHit(1);
  for (int i = 0; i < 10; ++i) {
    m_TouchOn[i] = 0;
    m_TouchX[i] = int(kNoValue);
    m_TouchY[i] = int(kNoValue);
    if (rt_input_KeyDown(384 + i)) {
      m_TouchOn[i] = 1;
      m_TouchX[i] = int((rt_input_TouchX(i) - ox) / sx);
      m_TouchY[i] = int((rt_input_TouchY(i) - oy) / sy);
      m_TouchDown = 1;
    }
  }
  m_MouseWasDown = down;
  if (m_TouchDown == 0) m_TouchHeld = 0;
  return 0;
}

int c_MyApp::p_AnalogueControl() {
  m_AnalogX = 0.0f;
  m_AnalogY = 0.0f;

  // Touch stick: the first press sets the anchor; the pointer's offset from it steers.
  if (m_TouchDown == 0) {
    m_StickAnchorX = -1;
  } else if (m_TouchDown > 0) {
    if (m_StickAnchorX < 0) {
      m_StickAnchorX = m_MouseX;
      m_StickAnchorY = m_MouseY;
    } else {
      m_AnalogX = float(m_MouseX - m_StickAnchorX) / 72.0f;
      m_AnalogY = float(m_MouseY - m_StickAnchorY) / 72.0f;
      if (std::fabs(m_AnalogX) < 0.1f && std::fabs(m_AnalogY) < 0.1f) {
        m_AnalogX = 0.0f;
        m_AnalogY = 0.0f;
      }
      // The anchor follows a pointer that has moved far away.
      if (m_MouseX < m_StickAnchorX - 64) m_StickAnchorX -= 4;
      if (m_MouseX > m_StickAnchorX + 64) m_StickAnchorX += 4;
      if (m_MouseY < m_StickAnchorY - 64) m_StickAnchorY -= 4;
      if (m_MouseY > m_StickAnchorY + 64) m_StickAnchorY += 4;
    }
    p_SetCol(0.0f, 100.0f, 250.0f, 0.25f);
    p_Oval(float(m_StickAnchorX), float(m_StickAnchorY), 12.0f, 12.0f);
    p_Oval(float(m_MouseX), float(m_MouseY), 8.0f, 8.0f);
  }

  // Joystick 0 overrides the touch stick once past its dead zone.
  float jx = rt_input_JoyX(0, 0);
  float jy = p_StickY(0, 0);
  if (std::fabs(jx) > 0.2f || std::fabs(jy) > 0.2f) {
    m_AnalogX = jx;
    m_AnalogY = jy;
  }

  Ramp(p_PlayKey(0, 0, 0) != 0, p_PlayKey(8, 0, 0) != 0, m_KeyRampY, m_AnalogY);
  Ramp(p_PlayKey(3, 0, 0) != 0, p_PlayKey(5, 0, 0) != 0, m_KeyRampX, m_AnalogX);

  m_AnalogX = Clamp(m_AnalogX, -1.0f, 1.0f);
  m_AnalogY = Clamp(m_AnalogY, -1.0f, 1.0f);
  m_KeyRampX = Clamp(m_KeyRampX, -1.0f, 1.0f);
  m_KeyRampY = Clamp(m_KeyRampY, -1.0f, 1.0f);

  p_ResetDraw();
  return 0;
}

int c_MyApp::p_Button(int slot, float x, float y, int frame) {
  p_DrawImg(slot, x, y, float(frame));
  m_ButtonHit = 0;
  if (slot < 0 || slot >= 100) return 0;
  const float halfW = float(m_ImageInfo[3 * slot]) * m_ImageScale * m_SizeX * 0.5f;
  const float halfH = float(m_ImageInfo[3 * slot + 1]) * m_ImageScale * m_SizeY * 0.5f;
  if (m_TouchDown >= 1) {
    for (int i = 0; i < 10; ++i) {
      if (std::fabs(float(m_TouchX[i]) - x) < halfW && std::fabs(float(m_TouchY[i]) - y) < halfH) {
        m_ButtonHit = 1;
        break;
      }
    }
  }
  return m_ButtonHit;
}

int c_MyApp::p_Button0(int slot, float x, float y, int frame) {
  p_DrawImg(slot, x, y, float(frame));
  m_ButtonHit = 0;
  if (slot < 0 || slot >= 100) return 0;
  const float halfW = float(m_ImageInfo[3 * slot]) * m_ImageScale * m_SizeX * 0.5f;
  const float halfH = float(m_ImageInfo[3 * slot + 1]) * m_ImageScale * m_SizeY * 0.5f;
  if (m_TouchDown > 0 && std::fabs(float(m_TouchX[0]) - x) < halfW && std::fabs(float(m_TouchY[0]) - y) < halfH) {
    m_ButtonHit = 1;
  }
  return m_ButtonHit;
}

int c_MyApp::p_Touch(float x, float y, float w, float h) {
  p_Rect(x, y, w, h);
  // The area reaches 6 pixels beyond the left and top edges and 12 beyond the right and bottom ones.
  for (int i = 0; i < 10; ++i) {
    if (m_TouchOn[i] != 1) continue;
    float tx = float(m_TouchX[i]), ty = float(m_TouchY[i]);
    if (x - 6.0f < tx && tx < x + w + 12.0f && y - 6.0f < ty && ty < y + h + 12.0f) return 1;
  }
  return 0;
}

int c_MyApp::p_MouseIn(float x, float y, float w, float h) {
  for (int i = 0; i < 10; ++i) {
    if (m_TouchOn[i] != 1) continue;
    float tx = float(m_TouchX[i]), ty = float(m_TouchY[i]);
    if (x < tx && tx < x + w && y < ty && ty < y + h) return 1;
  }
  return 0;
}

int c_MyApp::p_MouseIn_Centered(float x, float y, float w, float h) {
  for (int i = 0; i < 10; ++i) {
    if (m_TouchOn[i] != 1) continue;
    if (std::fabs(float(m_TouchX[i]) - x) < w / 2.0f && std::fabs(float(m_TouchY[i]) - y) < h / 2.0f) return 1;
  }
  return 0;
}

int c_MyApp::p_MouseIn_Radius(float x, float y, float w, float h) {
  const float r2 = (w / 2.0f) * (w / 2.0f) + (h / 2.0f) * (h / 2.0f);
  for (int i = 0; i < 10; ++i) {
    if (m_TouchOn[i] != 1) continue;
    float dx = float(m_TouchX[i]) - x, dy = float(m_TouchY[i]) - y;
    if (dx * dx + dy * dy <= r2) return 1;
  }
  return 0;
}
