// The options box: a panel that slides down over the title or the pause menu with a back row and five
// setting rows (sound, iCade adapter, full screen, the two thumbstick directions), worked by touch or
// keys with latches of its own; every close saves the settings.
#include "game/myapp.h"

namespace {

const int kRows = 5;  // setting rows below the back row

bool AnyAction(c_MyApp& a) {
  for (int code = 10; code <= 15; ++code) {
    if (a.p_AnyPad(code)) return true;
  }
  return false;
}

// The codes that keep the box's key latch set while any of them is held.
bool AnyNavigationHeld(c_MyApp& a) {
  static const int kCodes[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 16, 17};
  for (int code : kCodes) {
    if (a.p_AnyPad(code)) return true;
  }
  return false;
}

void Close(c_MyApp& a) {
  a.m_OptionsOpen = 0;
  a.p_PlaySFX(99, 1.0f);
  a.p_Save();
  a.m_KeyHeld = 1;
  a.m_TouchHeld = 1;
  a.m_OptKeyHeld = 1;
  a.m_OptTouchHeld = 1;
}

String RowLabel(c_MyApp& a, int row) {
  static const String kSound[4] = {String("Sound : Off"), String("Sound : SFX + Music"), String("Sound : SFX"),
                                   String("Sound : Music")};
  static const String kICade[2] = {String("iCade : Off"), String("iCade : On")};
  static const String kDisplay[2] = {String("Fullscreen"), String("Windowed")};
  static const String kLeft[2] = {String("Left Thumbstick Y Normal"), String("Left Thumbstick Y Flipped")};
  static const String kRight[2] = {String("Right Thumbstick Y Normal"), String("Right Thumbstick Y Flipped")};
  switch (row) {
    case 1:
      if (a.m_Options[5] < 0 || a.m_Options[5] > 3) a.m_Options[5] = 0;
      return kSound[a.m_Options[5]];
    case 2: return kICade[rt_Quorva_iCadeControls == 1 ? 1 : 0];
    case 3: return kDisplay[a.m_Fullscreen == 1 ? 1 : 0];
    case 4: return kLeft[a.m_Options[15] != 0 ? 1 : 0];
    default: return kRight[a.m_Options[16] != 0 ? 1 : 0];
  }
}

void ActRow(c_MyApp& a, int row) {
  switch (row) {
    case 1: {
      int v = (a.m_Options[5] + 1) % 4;
      if (v < 0) v = 0;
      a.m_Options[5] = v;
      // Music follows the setting at once: silenced for Off and SFX, started again for the others.
      if (v == 0 || v == 2) {
        a.p_StopTune();
      } else if (a.m_GameMode > 9) {
        a.p_PlayTune(String("-1"), 1);
      }
      break;
    }
    case 2:
      rt_Quorva_iCadeControls = rt_Quorva_iCadeControls == 1 ? 0 : 1;
      a.p_iCade(rt_Quorva_iCadeControls);
      for (int i = 0; i < 20; ++i) a.m_Pad[i] = 0;
      break;
    case 3:
      a.p_FullscreenFlip();
      break;
    case 4:
      a.m_Options[15] = (a.m_Options[15] + 1) % 2;
      break;
    default:
      a.m_Options[16] = (a.m_Options[16] + 1) % 2;
      break;
  }
}

}  // namespace

int c_MyApp::p_OptionBox() {
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  const int s = m_OptSlide;
  const float top = float((30 - s) * 24);

  // The screen below takes no input while the box is up; the box takes none while it slides.
  m_KeyHeld = 1;
  m_TouchHeld = 1;
  if (s != 30) {
    m_OptKeyHeld = 1;
    m_OptTouchHeld = 1;
  }

  p_ResetDraw();
  p_SetCol(150.0f, 75.0f, 0.0f, 0.85f);
  p_Rect(50.0f, top, W - 100.0f, H);

  // The back row: three gears and the label; a press on the gears or the menu button closes the box.
  const float gx = float(4 * (3 * s - 90) + 100);
  const float gearSize = m_OptRow == 0 ? 2.0f : 1.5f;
  p_Gears(gx, 60.0f, gearSize, 0.2f);
  p_ResetDraw();
  p_SetSize(2.0f);
  p_Text(gx + 76.0f, 60.0f, String("<[BACK]"), 0.0f, 1.0f, 0);
  const float gw = float(m_ImageInfo[3 * 95]) * m_ImageScale * gearSize;
  const float gh = float(m_ImageInfo[3 * 95 + 1]) * m_ImageScale * gearSize;
  const bool backPressed = p_MouseIn_Centered(gx, 60.0f, gw, gh) != 0 || p_AnyPad(99);
  if (m_OptionsOpen == 1 && backPressed && m_OptKeyHeld == 0 && m_OptTouchHeld == 0) Close(*this);

  // The setting rows. A press acts once the touch latch is clear and a held action button once the key
  // latch is clear, so neither repeats while held.
  const bool action = AnyAction(*this);
  for (int r = 1; r <= kRows; ++r) {
    const float y = top + 130.0f + 40.0f * float(r - 1);
    p_ResetDraw();
    if (r == m_OptRow) {
      p_SetCol(0.0f, 180.0f, 255.0f, 0.5f);
    } else {
      p_SetCol(0.0f, 0.0f, 160.0f, 0.5f);
    }
    const bool pressed = p_Touch(84.0f, y - 2.0f, W - 168.0f, 24.0f) != 0;
    p_ResetDraw();
    p_SetSize(2.0f);
    p_Text(100.0f, y, RowLabel(*this, r), 0.0f, 0.0f, 0);

    if (m_OptionsOpen != 1 || m_OptTouchHeld != 0) continue;
    const bool byTouch = pressed && (r != 1 || m_OptKeyHeld == 0);
    const bool byKey = r == m_OptRow && action && m_OptKeyHeld == 0;
    if (byTouch || byKey) {
      if (byTouch) m_OptRow = r;
      ActRow(*this, r);
      m_OptKeyHeld = 1;
      m_OptTouchHeld = 1;
      p_PlaySFX(99, 1.0f);
    }
  }

  if (m_OptionsOpen == 1 && m_OptKeyHeld == 0) {
    if (m_OptRow == 0 && (p_AnyPad(15) || p_AnyPad(10) || p_AnyPad(11))) {
      Close(*this);
    } else if (p_AnyPad(0) || p_AnyPad(3)) {
      if (m_OptRow > 0) --m_OptRow;
      m_OptKeyHeld = 1;
      p_PlaySFX(99, 1.0f);
    } else if (p_AnyPad(8) || p_AnyPad(5)) {
      if (m_OptRow < kRows) ++m_OptRow;
      m_OptKeyHeld = 1;
      p_PlaySFX(99, 1.0f);
    }
  }

  if (m_TouchDown == 0) m_OptTouchHeld = 0;
  if (!AnyNavigationHeld(*this)) m_OptKeyHeld = 0;
  p_ResetDraw();
  return 0;
}
