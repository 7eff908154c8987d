// The play field's backdrop and the game's random numbers: background colour, drifting shapes, star
// field, ground grid, the pool of fading lines, and the clock-seeded linear congruential generator.
#include <cmath>

#include "game/myapp.h"

float rt_random_Rnd() {
  rt_random_Seed = rt_random_Seed * 1664525u + 1013904223u;
  // The top 24 bits fit a float exactly, so the result is always below 1.
  return float(rt_random_Seed >> 8) * (1.0f / 16777216.0f);
}

float rt_random_Rnd2(float low, float high) { return low + (high - low) * rt_random_Rnd(); }

float rt_random_Rnd3(float range) { return rt_random_Rnd() * range; }

namespace {

const int kClockSeed = -37171650;  // asks p_SeedRnd for the clock instead of a fixed seed

// Appends a line record carrying its own colour and alpha, leaving the drawing state alone
// (the grid and the fading lines write the list directly, many records per frame).
void AppendLine(c_MyApp* app, float x1, float y1, float x2, float y2, float r, float g, float b, float a) {
  if (app->m_DrawCount > kDrawListLast) return;
  float* d = &app->m_DrawList[app->m_DrawCount];
  d[0] = kDrawLine;
  d[1] = x1;
  d[2] = y1;
  d[3] = app->m_Rot;
  d[4] = x2;
  d[5] = y2;
  d[6] = 0.0f;
  d[7] = a;
  d[10] = r;
  d[11] = g;
  d[12] = b;
  d[13] = float(app->m_Blend);
  app->m_DrawCount += 15;
}

// A star that wrapped gets a fresh depth and look, so the field never repeats itself.
void RefreshStar(float* s) {
  s[3] = 0.2f + 0.6f * rt_random_Rnd();
  s[0] = float(int(63.99f * rt_random_Rnd()));
}

// A fresh shape: the draws are taken in the order frame, height, turn.
void RenewBox(float* box, float x) {
  box[0] = float(int(3.99f * rt_random_Rnd()));
  box[1] = x;
  box[2] = -96.0f + 192.0f * rt_random_Rnd();
  box[5] = 360.0f * rt_random_Rnd();
}

}  // namespace

int c_MyApp::p_Rand(float low, float high) {
  return int(std::floor(low + (high + 0.99f - low) * rt_random_Rnd()));
}

int c_MyApp::p_SeedRnd(int n) {
  rt_random_Seed = uint32_t(n);
  if (n == kClockSeed) rt_random_Seed = uint32_t(rt_app_Millisecs());
  // Stepping spreads nearby clock readings over the whole range.
  for (int i = 0; i < 21; ++i) rt_random_Rnd();
  return 0;
}

int c_MyApp::p_DoBG(int r, int g, int b, float alpha) {
  if (r >= -122) m_BgToR = float(r);
  if (g >= -122) m_BgToG = float(g);
  if (b >= -122) m_BgToB = float(b);
  m_BgR += (m_BgToR - m_BgR) * 0.125f;
  m_BgG += (m_BgToG - m_BgG) * 0.125f;
  m_BgB += (m_BgToB - m_BgB) * 0.125f;
  float a;
  if (alpha == -123.0f) {
    a = 1.0f;
  } else if (alpha < 0.0f) {
    a = 0.0f;
  } else {
    a = alpha > 1.0f ? 1.0f : alpha;
  }
  m_BgX = 0.0f;
  m_BgY = 0.0f;
  m_BgW = rt_Quorva_jscrw;
  m_BgH = rt_Quorva_jscrh;
  if (m_BgR > -3717.0f) {
    m_ClsR = m_BgR;
    m_ClsG = m_BgG;
    m_ClsB = m_BgB;
    m_ClsA = a;
  }
  p_ResetDraw();
  m_DrawCount = 0;
  return 0;
}

int c_MyApp::p_LayoutBGBoxes() {
  static const float kStartX[5] = {-480.0f, 0.0f, 480.0f, 960.0f, 1440.0f};
  for (int i = 0; i < 5; ++i) RenewBox(&m_BgBoxes[i * 10], kStartX[i]);
  return 0;
}

int c_MyApp::p_BGBoxes() {
  p_ResetDraw();
  p_Alpha(0.5f);
  p_SetSize(2.0f, 2.0f);
  for (int i = 0; i < 5; ++i) {
    float* box = &m_BgBoxes[i * 10];
    box[1] -= 0.5f;
    if (box[1] < -1024.0f) RenewBox(box, 1440.0f);
    p_SetRot(box[5]);
    p_DrawImg(99, box[1], 0.5f * rt_Quorva_jscrh + box[2], int(box[0]));
  }
  p_ResetDraw();
  return 0;
}

int c_MyApp::p_DoStars(float dx, float dy) {
  p_SeedRnd(rt_app_Millisecs());
  p_ResetDraw();
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  const float over = float(rt_Quorva_overscan);
  const float m = over + 16.0f;
  const float spanX = W + 2.0f * over + 32.0f, spanY = H + 2.0f * over + 32.0f;
  for (int i = 0; i <= m_StarCount; ++i) {
    float* s = &m_Stars[i * 10];
    s[1] += dx * s[3];
    s[2] += dy * s[3];
    // A star leaving one edge re-enters at the opposite one, at a fresh place along it.
    if (s[1] < -m) {
      s[1] += spanX;
      s[2] = -8.0f + (H + 16.0f) * rt_random_Rnd();
      RefreshStar(s);
    }
    if (s[1] > W + m) {
      s[1] -= spanX;
      s[2] = -8.0f + (H + 16.0f) * rt_random_Rnd();
      RefreshStar(s);
    }
    if (s[2] < -m) {
      s[2] += spanY;
      s[1] = -8.0f + (W + 16.0f) * rt_random_Rnd();
      RefreshStar(s);
    }
    if (s[2] > H + m) {
      s[2] -= spanY;
      s[1] = -8.0f + (W + 16.0f) * rt_random_Rnd();
      RefreshStar(s);
    }
    p_Alpha(s[3]);
    p_DrawImg(96, s[1], s[2], int(s[0]));
  }
  p_ResetDraw();
  return 0;
}

int c_MyApp::p_ResetStars(int n) {
  p_SeedRnd(rt_app_Millisecs());
  if (n >= 1 && n <= 499) {
    m_StarCount = n;
  } else if (n < 0) {
    return 0;
  }
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  for (int i = 0; i <= m_StarCount; ++i) {
    float* s = &m_Stars[i * 10];
    s[0] = float(int(63.99f * rt_random_Rnd()));
    s[1] = -8.0f + (W + 16.0f) * rt_random_Rnd();
    s[2] = -8.0f + (H + 16.0f) * rt_random_Rnd();
    s[3] = 0.2f + 0.6f * rt_random_Rnd();
  }
  return 0;
}

int c_MyApp::p_ScrollGrid() {
  float& phase = m_Player[91];
  phase -= 1.5f;
  if (phase < -64.0f) phase += 128.0f;
  return 0;
}

int c_MyApp::p_DrawGrid() {
  const float phase = m_Player[91];
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  const float top = H - 128.0f;
  // Level lines spaced by growing squares read as ground receding toward the horizon.
  float y = top;
  for (int j = 0; j < 8; ++j) {
    y += float(j * j);
    AppendLine(this, -128.0f, y, W + 128.0f, y, 0.0f, 40.0f, 120.0f, 1.0f);
  }
  for (int o = -640; o <= 640; o += 128) {
    float x = float(o) + phase;
    AppendLine(this, x + W * 0.5f, top, 2.5f * x + W * 0.5f, H + 128.0f, 0.0f, 40.0f, 120.0f, 1.0f);
  }
  return 0;
}

int c_MyApp::p_ALine(float x1, float y1, float x2, float y2, int r, int g, int b, float life, int drift) {
  int free = -1;
  for (int i = 0; i <= m_LineCount; ++i) {
    if (m_Lines[i * 10] == 0.0f) free = i;
  }
  if (free < 0) return 0;
  float* l = &m_Lines[free * 10];
  l[0] = life;
  l[1] = x1;
  l[2] = y1;
  l[3] = x2 - 5.0f;
  l[4] = y2;
  l[6] = float(drift);
  l[7] = float(r);
  l[8] = float(g);
  l[9] = float(b);
  return 0;
}

int c_MyApp::p_DoLines(float dx, float dy) {
  for (int i = 0; i <= m_LineCount; ++i) {
    float* l = &m_Lines[i * 10];
    if (l[0] <= 0.0f) continue;
    float f = l[6] == 2.0f ? 0.35f : 1.0f;
    l[1] += dx * f;
    l[2] += dy * f;
    l[3] += dx * f;
    l[4] += dy * f;
    float a = 1.5f * l[0];
    AppendLine(this, l[1], l[2], l[3], l[4], l[7], l[8], l[9], a > 1.0f ? 1.0f : a);
    l[0] -= 0.02f;
    if (l[0] < 0.02f) l[0] = 0.0f;
  }
  return 0;
}
