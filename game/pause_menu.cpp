// The pause menu over the frozen last frame of play: the shade, the sliding column of resume, quit and
// options buttons with a keyboard cursor, "PAUSED", and a two-arm drawing pendulum to play with.
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

const int kTrailLast = 101;  // the trail keeps the last 102 tip positions
// Room kept free in the draw list for the pause menu and the options box over the frozen frame.
const int kMenuRoom = 450 * kDrawRecord;

void Resume(c_MyApp& a) {
  a.m_PauseDir = -1;
  a.m_TouchHeld = 1;
  a.p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
}

// Quitting ends the pause at once and hands the run to the game-over overlay.
void Quit(c_MyApp& a) {
  a.m_Paused = 0;
  a.m_PauseDir = -1;
  a.m_PauseY = -64;
  a.m_GameOver = 1;
  a.m_QuitRun = -1;
  a.m_TouchHeld = 1;
  a.m_PauseBase = -1;
  a.p_PlaySFX(98, 0.5f, 0.5f, 0.0f);
}

void OpenOptions(c_MyApp& a, bool byKey) {
  a.m_OptionsOpen = 1;
  a.m_TouchHeld = 1;
  if (byKey) {
    a.p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
  } else {
    a.p_PlaySFX(99, 1.0f);
  }
}

void Pendulum(c_MyApp& a, float W, float H) {
  float R = 0.45f * H < 0.45f * (W - 96.0f) ? 0.45f * H : 0.45f * (W - 96.0f);
  if (R < 0.0f) R = 0.0f;
  a.m_PauseA1 = std::fmod(a.m_PauseA1 + 1.0f, 360.0f);
  a.m_PauseA2 = std::fmod(a.m_PauseA2 + a.m_PauseSpin, 360.0f);
  a.m_PauseHue = std::fmod(a.m_PauseHue + 1.5f, 360.0f);

  if (a.p_AnyPad(0)) a.m_PauseArm -= 1.0f;
  if (a.p_AnyPad(8)) a.m_PauseArm += 1.0f;
  if (a.m_PauseArm < 0.0f) a.m_PauseArm = 0.0f;
  if (a.m_PauseArm > R) a.m_PauseArm = R;
  if (a.p_AnyPad(3)) a.m_PauseSpin -= 0.25f;
  if (a.p_AnyPad(5)) a.m_PauseSpin += 0.25f;
  if (a.m_PauseSpin < 0.0f) a.m_PauseSpin = 0.0f;
  if (a.m_PauseSpin > 128.0f) a.m_PauseSpin = 128.0f;

  const float cx = W / 2.0f + 96.0f, cy = H / 2.0f;
  const float inner = R - a.m_PauseArm, a1 = a.m_PauseA1 * kDegToRad, a2 = a.m_PauseA2 * kDegToRad;
  const float tipX = cx + inner * std::sin(a1) + a.m_PauseArm * std::sin(a2);
  const float tipY = cy - inner * std::cos(a1) - a.m_PauseArm * std::cos(a2);

  a.p_ResetDraw();
  a.p_SetCol(100.0f, 255.0f, 100.0f, 0.8f);
  a.p_Text(W - 8.0f, H - 8.0f, String(int(a.m_PauseArm)) + String(":") + String(int(a.m_PauseSpin)), 2.0f, 2.0f, 0);

  float* p = a.m_PauseTrail.Data();
  // A trail never drawn yet starts gathered at the tip rather than streaming from the screen's corner.
  if (p[2 * kTrailLast] == 0.0f && p[2 * kTrailLast + 1] == 0.0f) {
    for (int i = 0; i < kTrailLast; ++i) {
      p[2 * i] = tipX;
      p[2 * i + 1] = tipY;
    }
  }
  p[2 * kTrailLast] = tipX;
  p[2 * kTrailLast + 1] = tipY;
  a.p_ResetDraw();
  for (int i = 0; i < kTrailLast; ++i) {
    const float c = (a.m_PauseHue + 2.0f * float(i)) * kDegToRad, k = float(i);
    auto channel = [](float v) { int n = int(v); return float(n < 0 ? 0 : (n > 255 ? 255 : n)); };
    a.p_SetCol(channel(k * std::sin(c) + k), channel(k + k * std::cos(c)), channel(k - k * std::cos(c)), 1.0f);
    const float x0 = p[2 * i], y0 = p[2 * i + 1], x1 = p[2 * i + 2], y1 = p[2 * i + 3];
    a.p_Line(x0, y0, x1, y1);
    a.p_Line(x0 - 0.5f, y0 - 0.5f, x1 - 0.5f, y1 - 0.5f);
    p[2 * i] = x1;
    p[2 * i + 1] = y1;
  }
}

}  // namespace

int c_MyApp::p_PauseMenu() {
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;

  // The last frame of play stays in the draw list and the menu is redrawn over it each update. A list
  // emptied meanwhile (the loader after a resize) leaves nothing to keep.
  if (m_PauseBase < 0) {
    m_PauseBase = m_DrawCount < kDrawListSize - kMenuRoom ? m_DrawCount : kDrawListSize - kMenuRoom;
  } else if (m_DrawCount < m_PauseBase) {
    m_PauseBase = 0;
  }
  p_DoBG(-123, -123, -123, -123.0f);
  m_DrawCount = m_PauseBase;

  p_ResetDraw();
  p_SetCol(0.0f, 0.0f, 0.0f, std::fabs(float(m_PauseY)) / (0.8f * H));
  p_Rect(0.0f, 0.0f, W, H);

  const int half = int(H / 2.0f);
  if (m_PauseDir == 1) {
    if (m_PauseY < half) m_PauseY = m_PauseY + 24 < half ? m_PauseY + 24 : half;
  } else if (m_PauseDir == -1) {
    if (m_PauseY < -63) {
      m_Paused = 0;
    } else {
      m_PauseY -= 24;
      if (m_PauseY < -32) m_Paused = 0;
    }
  }

  Pendulum(*this, W, H);

  p_ResetDraw();
  p_SetSize(4.0f);
  p_Text(W / 2.0f + 96.0f, H / 2.0f, String("PAUSED"), 1.0f, 1.0f, 0);

  // The column slides in from the left as the menu opens; in portrait quit and options sit above the
  // middle instead.
  const float Y = float(m_PauseY);
  const float bx = float(int(64.0f - (H / 2.0f - Y)));
  const float resumeX = bx, resumeY = 196.0f;
  const float quitX = m_Landscape == 1 ? bx : W / 2.0f - 96.0f, quitY = m_Landscape == 1 ? 96.0f : Y - 96.0f;
  const float optX = m_Landscape == 1 ? bx : W / 2.0f + 96.0f, optY = m_Landscape == 1 ? 296.0f : Y - 96.0f;

  p_ResetDraw();
  p_SetSize(2.0f);
  if (p_Button(97, resumeX, resumeY, 3) != 0 && m_TouchHeld == 0) Resume(*this);
  p_ResetDraw();
  p_SetSize(2.0f);
  if (p_Button(97, quitX, quitY, 1) != 0 && m_TouchHeld == 0) Quit(*this);

  p_Gears(optX, optY, 1.0f, m_OptionsOpen == 0 ? 0.2f : 0.0f);
  p_ResetDraw();
  const float gw = float(m_ImageInfo[3 * 95]) * m_ImageScale, gh = float(m_ImageInfo[3 * 95 + 1]) * m_ImageScale;
  if (m_TouchDown > 0 && p_MouseIn_Centered(optX, optY, gw, gh) != 0 && m_TouchHeld == 0) OpenOptions(*this, false);

  // The keyboard cursor: quit (-1), resume (0), options (1), top to bottom.
  const float curX = m_PauseCursor < 0 ? quitX : (m_PauseCursor > 0 ? optX : resumeX);
  const float curY = m_PauseCursor < 0 ? quitY : (m_PauseCursor > 0 ? optY : resumeY);
  p_ResetDraw();
  p_SetSize(2.5f);
  p_SetCol(255.0f, 255.0f, 100.0f);
  p_DrawImg(97, curX, curY, 6.0f);
  if (m_Paused == 1 && m_KeyHeld == 0) {
    if (p_AnyPad(10)) {
      m_KeyHeld = 1;
      if (m_PauseCursor < 0) {
        Quit(*this);
      } else if (m_PauseCursor > 0) {
        OpenOptions(*this, true);
      } else {
        Resume(*this);
      }
    } else if (p_AnyPad(0) && m_PauseCursor > -1) {
      --m_PauseCursor;
      m_KeyHeld = 1;
      p_PlaySFX(99, 0.8f, 0.5f, 0.0f);
    } else if (p_AnyPad(8) && m_PauseCursor < 1) {
      ++m_PauseCursor;
      m_KeyHeld = 1;
      p_PlaySFX(99, 1.2f, 0.5f, 0.0f);
    }
  }

  if (m_Paused == 1 && p_AnyPad(99) && m_KeyHeld == 0) {
    m_KeyHeld = 1;
    m_PauseDir = -1;
    p_PlaySFX(98, 1.0f, 0.5f, 0.0f);
  }

  if (m_Paused == 0) m_PauseBase = -1;
  p_ResetDraw();
  return 0;
}
