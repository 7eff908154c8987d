// The title menu: background and slide-in, the side panel with the logos and the difficulty's score lists,
// the selection wheel (dragging, end stops, taps) with the options hub, the menu keys, and what activating
// each part does. The credit roll over the widened panel lives in credits.cpp.
#include <cmath>
#include <cstdlib>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

bool LatchesClear(const c_MyApp& a) { return a.m_KeyHeld == 0 && a.m_TouchHeld == 0; }
bool NothingOpen(const c_MyApp& a) { return a.m_OptionsOpen == 0 && a.m_ShowCredits == 0; }
void SetLatches(c_MyApp& a) {
  a.m_KeyHeld = 1;
  a.m_TouchHeld = 1;
}

// The wheel item's label or description from the name, description pairs of the menu table.
String MenuText(int item, int part) {
  int k = 2 * (((item % 3) + 3) % 3) + part;
  if (k >= rt_Quorva_MenuSet.Length()) return String();
  return rt_Quorva_MenuSet[k];
}

// The descriptions keep a real line feed between their two lines, while text layout breaks lines at the
// two characters backslash and n; the converted copies are made once.
String Description(c_MyApp& a, int item) {
  int k = ((item % 3) + 3) % 3;
  String d = MenuText(k, 1);
  if (d != a.m_DescSource[k]) {
    a.m_DescSource[k] = d;
    a.m_DescShown[k] = d.Replace(String("\n"), String("\\n"));
  }
  return a.m_DescShown[k];
}

// Activating the focused part: the hub opens the options box, the wheel starts a game of the selected
// difficulty, the side panel shows the credits.
void Activate(c_MyApp& a) {
  if (!NothingOpen(a)) return;
  switch (a.m_MenuFocus) {
    case 0:
      a.m_OptionsOpen = 1;
      SetLatches(a);
      a.p_PlaySFX(99, 1.0f);
      a.m_MenuFocus = 0;
      break;
    case 1: {
      // How the run was started decides the prompts and the pause button: a touch or the mouse, an
      // action key of the keyboard, or else a pad button.
      int mode = 0;
      if (a.m_TouchDown > 0) {
        mode = 2;
      } else {
        for (int code = 10; code <= 15 && mode == 0; ++code) {
          if (a.p_PlayKey(code, 0, -1) != 0) mode = 1;
        }
      }
      a.m_ControlMode = mode;
      a.m_WheelAngle = -32.0f * float(a.m_MenuSel);
      SetLatches(a);
      a.m_GameMode = 11;
      break;
    }
    case 2:
      a.m_ShowCredits = 1;
      SetLatches(a);
      a.p_PlaySFX(99, 1.0f);
      break;
    default:
      break;
  }
}

// The logo, the side panel with its press rules and the start icon.
void SidePanel(c_MyApp& a, float W, float H, int S) {
  a.p_ResetDraw();
  a.p_SetSize(1.5f);
  a.p_DrawImg(98, (W - a.m_PanelW) / 2.0f, 80.0f + 12.0f * float(S), 0.0f);

  const bool focused = a.m_MenuFocus == 2;
  const float X0 = W - a.m_PanelW - 8.0f * float(S);
  a.p_ResetDraw();
  a.p_Alpha(focused ? 1.0f : 0.2f);
  a.p_Rect(X0 - 2.0f, -128.0f, 3.0f, H + 128.0f);
  a.p_SetCol(0.0f, 0.0f, 0.0f, focused ? 0.75f : 0.45f);
  a.p_Rect(X0, -128.0f, a.m_PanelW + 32.0f, H + 128.0f);

  if (a.p_MouseIn(X0, -128.0f, a.m_PanelW + 32.0f, H) != 0) {
    if (!focused && LatchesClear(a)) {
      a.p_PlaySFX(99, 1.0f);
      a.m_MenuFocus = 2;
      SetLatches(a);
    } else if (focused && LatchesClear(a) && NothingOpen(a)) {
      Activate(a);  // shows the credits, with their click
      SetLatches(a);
    }
  }

  // The start icon shows only while the wheel has the focus, but a press on it always starts.
  const float ix = W - a.m_PanelW / 2.0f, iy = H - 48.0f;
  a.p_ResetDraw();
  a.p_SetSize(3.0f);
  a.p_SetCol(100.0f, 255.0f, 100.0f, a.m_MenuFocus == 1 ? 0.5f : 0.0f);
  a.p_DrawImg(97, ix, iy, 3.0f);
  if (a.p_MouseIn_Centered(ix, iy, 128.0f, 128.0f) != 0 && LatchesClear(a) && NothingOpen(a)) {
    a.m_MenuFocus = 1;
    a.m_TouchHeld = 1;
    a.p_PlaySFX(98, 1.0f);
    Activate(a);
  }
}

// One score list: its heading and as many lines as the screen has room for.
String ScoreList(c_MyApp& a, const char* heading, const char* single, int first, int lines) {
  String text = lines == 1 ? String(single) : String(heading) + String(lines);
  static const String kBreak("\\n"), kPad(" ");
  // Ten places hold any score and keep the last digit clear of the screen's right edge.
  for (int i = 0; i < lines; ++i) text += kBreak + a.p_rstr(a.m_HiScores[first + i], 10, kPad);
  return text;
}

void ScoreLists(c_MyApp& a, float W, float H, int S) {
  if (a.m_Difficulty <= 0) return;
  int gh = (a.m_FontSlot >= 0 && a.m_FontSlot < 100) ? a.m_ImageInfo[3 * a.m_FontSlot + 1] : 0;
  const int L = int(float(gh) * 1.5f);
  const int R = int(H - 90.0f - H / 2.0f);
  int N = L > 0 ? int(std::floor(float(R) / float(L))) : 10;
  if (N < 1) N = 1;
  if (N > 10) N = 10;

  const int base = a.p_HiScoreBase(a.m_Difficulty);
  String top = ScoreList(a, "Top ", "Highscore", base, N);
  String last = ScoreList(a, "Last ", "Last", 30 + base, N);
  if (a.m_OptionsOpen != 0) return;

  const float x = W - a.m_PanelW - 4.0f * float(S) + 20.0f;
  a.p_ResetDraw();
  a.p_SetSize(1.5f);
  a.p_SetCol(255.0f, 200.0f, 100.0f);
  a.p_Text(x, 60.0f, top, 0.0f, 0.0f, 0);
  a.p_SetCol(200.0f, 255.0f, 100.0f);
  a.p_Text(x, H / 2.0f + 20.0f, last, 0.0f, 0.0f, 0);
}

// The wheel's spin decays and the drawn angle eases toward the target.
void WheelMotion(c_MyApp& a) {
  if (a.m_WheelSpin != 0.0f) {
    a.m_WheelAngle += a.m_WheelSpin;
    a.m_WheelSpin *= 0.75f;
    if (std::fabs(a.m_WheelSpin) < 1.0f) a.m_WheelSpin = 0.0f;
  }
  if (a.m_WheelShown != a.m_WheelAngle) {
    a.m_WheelShown -= (a.m_WheelShown - a.m_WheelAngle) / 8.0f;
    if (std::fabs(a.m_WheelShown - a.m_WheelAngle) < 0.5f) a.m_WheelShown = a.m_WheelAngle;
  }
}

// Taps on item j at (x, y): a tap on the selected item starts it, a tap on another selects it.
void ItemTaps(c_MyApp& a, int j, float x, float y) {
  for (int t = 0; t < 10; ++t) {
    const bool ready = a.m_TouchDown > 0 && a.m_TapLatch == 0 &&
                       std::fabs(a.m_WheelShown - a.m_WheelAngle) < 2.0f && NothingOpen(a);
    if (!ready) return;
    const float dx = float(a.m_TouchX[t]) - x, dy = float(a.m_TouchY[t]) - y;
    const float d2 = dx * dx + dy * dy;
    if (j == a.m_MenuSel) {
      if (d2 <= 2048.0f && a.m_TouchHeld == 0) {
        a.m_MenuFocus = 1;
        a.m_WheelAngle = -32.0f * float(j);
        a.m_TouchHeld = 1;
        a.p_PlaySFX(98, 1.0f);
        Activate(a);
      }
    } else if (d2 <= 1352.0f && a.m_TouchHeld <= 0) {
      a.m_MenuSel = j;
      a.m_MenuFocus = 1;
      a.m_TouchHeld = -1;
      a.m_TapLatch = 1;
      a.m_WheelAngle = -32.0f * float(j);
      a.p_PlaySFX(99, 1.0f);
    }
  }
}

// The wheel: disc, gears, the options hub, dragging, and the difficulty items on the rim.
void Wheel(c_MyApp& a, float H, int S) {
  const float cx = float(int(38.0f + 12.0f * float(S)));
  const float cy = float(int(H - 64.0f - 8.0f * float(S)));

  a.p_ResetDraw();
  a.p_SetSize(0.5f);
  a.p_Alpha(a.m_MenuFocus == 0 ? 0.8f : 0.25f);
  a.p_DrawImg(85, cx, cy, 1.0f);

  a.p_Gears(cx, cy, 1.5f, a.m_MenuFocus == 0 ? 0.3f : 0.0f);

  const bool onHub = a.p_MouseIn_Centered(cx, cy, 64.0f, 64.0f) != 0;
  if (onHub && LatchesClear(a) && NothingOpen(a)) {
    a.m_OptionsOpen = 1;
    a.m_TouchHeld = 1;
    a.p_PlaySFX(99, 1.0f);
    a.m_MenuFocus = 0;
  }
  a.p_ResetDraw();
  a.p_SetSize(1.5625f);
  a.p_SetRot(-a.m_WheelShown);
  a.p_Alpha(a.m_MenuFocus == 1 ? 0.8f : 0.25f);
  a.p_DrawImg(85, cx, cy, 3.0f);

  // Dragging turns the wheel; a pointer that moved more than a few pixels was a drag, not a tap.
  if (a.m_TouchDown == 0) a.m_DragX = -1;
  if (a.p_MouseIn_Centered(cx, cy, 500.0f, 500.0f) != 0 && !onHub && a.m_TouchHeld <= 0 && a.m_TouchOn[0] == 1) {
    const int x = a.m_TouchX[0], y = a.m_TouchY[0];
    if (a.m_DragX == -1) {
      a.m_DragX = x;
      a.m_DragY = y;
    }
    const float step = float((a.m_DragX - x) + (a.m_DragY - y)) / 4.0f;
    float spin = a.m_WheelSpin - step;
    a.m_WheelSpin = spin < -40.0f ? -40.0f : (spin > 40.0f ? 40.0f : spin);
    if (std::fabs(step) > 1.0f) {
      a.m_KeyHeld = -1;
      a.m_TouchHeld = -1;
    }
    a.m_MenuFocus = 1;
    a.m_DragX = x;
    a.m_DragY = y;
  }

  const int s = a.m_MenuSel;
  for (int j = s - 3; j <= s + 3; ++j) {
    if (j <= -1 || j >= 3) continue;
    const float angle = 32.0f * float(j) + 48.0f + a.m_WheelShown;
    const float off = std::fabs(angle - 45.0f);
    const float swell = off <= 45.0f ? (45.0f - off) * 1.5f : 0.0f;
    const float r = 116.0f + swell;
    const float x = cx + r * std::sin(angle * kDegToRad);
    const float y = cy - r * std::cos(angle * kDegToRad);

    if (std::fabs(a.m_WheelSpin) > 0.05f) {
      // End stops: the wheel is pushed back before it passes "Hard" or "Easy".
      if (j == 2 && (angle < 30.0f || angle > 200.0f)) a.m_WheelSpin = 4.0f;
      if (j == 0 && angle > 60.0f && angle < 200.0f) a.m_WheelSpin = -4.0f;
      // An item turning past the reading position becomes the selection.
      if (angle > 30.0f && angle < 60.0f && j != s && (a.m_TapLatch == 0 || std::abs(s - j) > 1)) {
        a.m_MenuSel = j;
        a.p_PlaySFX(99, 1.0f);
      }
    }

    const float size = j == a.m_MenuSel ? 1.75f : 0.75f;
    a.p_ResetDraw();
    a.p_SetSize(size);
    a.p_SetRot(-(angle - 55.0f) / 2.0f);
    a.p_Alpha(a.m_MenuFocus == 1 ? 1.0f : 0.3f);
    a.p_DrawImg(95, x, y, float(j % 6));
    a.p_ResetDraw();
    a.p_SetSize(size * 1.5f);
    a.p_Text(x, y, MenuText(j, 0), 1.0f, 1.0f, 0);

    ItemTaps(a, j, x, y);
  }
}

// Up and down with their repeat, left and right between the three parts, the action buttons.
void MenuKeys(c_MyApp& a, float W, float H, int S) {
  if (!NothingOpen(a)) return;
  const bool up = a.p_PlayKey(0, 1, 0) != 0, down = a.p_PlayKey(8, 1, 0) != 0;
  float& timer = a.m_Player[21];
  float& delay = a.m_Player[22];
  if (!up && !down) {
    timer = 0.0f;
    delay = 30.0f;
  } else {
    // The key latch is let go when the timer runs out, so a held key repeats 30, 18, 6, 3, 3 ... updates
    // after its first step.
    timer -= 1.0f;
    if (timer < 1.0f) a.m_KeyHeld = 0;
  }
  if ((up || down) && a.m_MenuFocus == 1 && timer < 1.0f && LatchesClear(a)) {
    if (up && a.m_MenuSel > 0) --a.m_MenuSel;
    if (down && a.m_MenuSel < 2) ++a.m_MenuSel;
    timer = delay;
    delay = delay - 12.0f < 3.0f ? 3.0f : delay - 12.0f;
    SetLatches(a);
    a.p_PlaySFX(99, 1.0f);
    a.m_WheelAngle = -32.0f * float(a.m_MenuSel);
  }

  if (a.m_MenuFocus == 1 && W > 600.0f) {
    a.p_ResetDraw();
    a.p_SetSize(1.5f);
    a.p_Text(240.0f, H - 52.0f - 3.0f * float(S), Description(a, a.m_MenuSel), 0.0f, 0.0f, 0);
  }

  if (LatchesClear(a)) {
    if (a.p_PlayKey(3, 1, 0) != 0) {
      if (a.m_MenuFocus > 0) --a.m_MenuFocus;
      SetLatches(a);
      a.p_PlaySFX(99, 1.0f);
    } else if (a.p_PlayKey(5, 1, 0) != 0) {
      if (a.m_MenuFocus < 2) ++a.m_MenuFocus;
      SetLatches(a);
      a.p_PlaySFX(99, 1.0f);
    }
  }

  if (a.m_KeyHeld == 0 &&
      (a.p_PlayKey(10, 1, 0) != 0 || a.p_PlayKey(11, 1, 0) != 0 || a.p_PlayKey(12, 1, 0) != 0)) {
    a.p_PlaySFX(98, 1.0f);
    a.m_KeyHeld = 1;
    Activate(a);
  }

  int difficulty = a.m_MenuSel + 1;
  a.m_Difficulty = difficulty < 1 ? 1 : (difficulty > 3 ? 3 : difficulty);
}

}  // namespace

// The three meshing gears of the options buttons: the gear train turns with m_GearAngle, each gear the
// other way from its neighbour and twice as fast as the one before it. The angle is kept to 0..360;
// whole multiples of it keep the picture continuous across the wrap.
int c_MyApp::p_Gears(float x, float y, float size, float step) {
  m_GearAngle = std::fmod(m_GearAngle + step, 360.0f);
  const float g = m_GearAngle;
  const float turn[3] = {-g, 2.0f * g, -4.0f * g};
  for (int k = 0; k < 3; ++k) {
    p_ResetDraw();
    p_SetSize(size);
    p_SetRot(turn[k]);
    p_DrawImg(95, x, y, float(8 + k));
  }
  return 0;
}

int c_MyApp::p_Menu() {
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;

  p_DoBG(0, 0, 40, -123.0f);

  if (m_MenuSlide < 0) m_MenuSlide = int(float(m_MenuSlide) + 0.25f);
  const int S = m_MenuSlide;
  m_PanelW = 140.0f + m_PanelGrow;

  // The back control quits from the bare menu; the frame loop has already turned it into closing the
  // credits or the options box when one of them is open.
  if (m_KeyHeld == 0 && m_TouchHeld == 0 && p_AnyPad(99) != 0) rtError(String());
  if (m_TouchHeld == 0) m_TapLatch = 0;

  SidePanel(*this, W, H, S);
  ScoreLists(*this, W, H, S);
  WheelMotion(*this);
  if (NothingOpen(*this)) Wheel(*this, H, S);
  MenuKeys(*this, W, H, S);

  p_ResetDraw();
  p_SetSize(m_MenuFocus == 2 ? 0.35f : 0.25f);
  p_DrawImg(93, W - m_PanelW / 2.0f, 32.0f, 0.0f);

  if (m_ShowCredits == 1) p_Credits();
  p_ResetDraw();
  return 0;
}
