// The player's ship: steering with inertia, tilt and turn, the respawn glide, auto-fire with a
// slowing reload, and the colour-cycling trail that follows the ship's path.
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

// Player record slots.
enum {
  kX = 1, kY = 2, kVx = 3, kVy = 4, kHeading = 5, kTarget = 6, kOldX = 11, kOldY = 12,
  kCooldown = 21, kReload = 22, kGlideX = 87, kGlideY = 88, kDeath = 89, kTrailPhase = 93
};

// Floating remainder brought into 0 <= value < m.
float Wrap(float v, float m) {
  float r = std::fmod(v, m);
  return r < 0.0f ? r + m : r;
}

}  // namespace

int c_MyApp::m_WhichWayDoIGo(float from, float to, int lo, int hi) {
  const int r = hi - lo;
  const float m = float(r + 1);
  float a = Wrap(from, m);
  float b = Wrap(to, m);
  float d = float(lo) + Wrap(b - a, m);
  // Past half the circle the other way round is shorter; the step back is measured against
  // r rather than r + 1, so on a 0..359 scale a difference of 359 counts as none at all.
  if (d <= float(lo + r / 2)) return int(d);
  return int(-(float(r) - d));
}

int c_MyApp::p_DoPlayer() {
  float* p = &m_Player[0];
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  p_ResetDraw();

  // Thrust: the dead zone applies to the pair, so one axis past it lets both through.
  if (std::fabs(m_AnalogX) > 0.25f || std::fabs(m_AnalogY) > 0.25f) {
    p[kVx] += 0.5f * m_AnalogX;
    p[kVy] += 0.5f * m_AnalogY;
  }
  p[kVx] = Clamp(p[kVx], -4.0f, 4.0f);
  p[kVy] = Clamp(p[kVy], -4.0f, 4.0f);
  p[kOldX] = p[kX];
  p[kOldY] = p[kY];
  if (p[kDeath] == 0.0f) {
    p[kX] = Clamp(p[kX] + p[kVx], 32.0f, W - 32.0f);
    p[kY] = Clamp(p[kY] + p[kVy], 32.0f, H - 32.0f);
  }
  p[kVx] *= 0.9f;
  p[kVy] *= 0.9f;

  // Tilt with the vertical speed: climbing lowers the heading, diving raises it.
  float target = std::atan2(std::fabs(p[kVx]) + 2.0f, -p[kVy]) * (180.0f / 3.14159265f);
  p[kTarget] = Clamp(target, 60.0f, 120.0f);
  int d = m_WhichWayDoIGo(p[kHeading], p[kTarget], 0, 359);
  if (d < -1.5f) {
    p[kHeading] -= 1.5f;
  } else if (d > 1.5f) {
    p[kHeading] += 1.5f;
  } else {
    p[kHeading] += float(d);
    if (d == 0) p[kHeading] = p[kTarget];
  }

  if (p[kDeath] < 1.0f) {
    p_SetSize(0.5f, 0.5f);
    p_SetRot(p[kHeading]);
    p_Alpha(1.0f);
    p_DrawImg(1, p[kX], p[kY], 0.0f);
  }

  // Respawning: count up to alive while gliding toward where the ship was lost.
  if (p[kDeath] < 0.0f) {
    p[kDeath] += 1.0f;
    if (p[kDeath] > -1.0f) p[kDeath] = 0.0f;
    p[kX] += (p[kGlideX] - p[kX]) / 30.0f;
    p[kY] += (p[kGlideY] - p[kY]) / 30.0f;
  }
  p_SetRot(0.0f);

  // The trail remembers the ship's path, drifting left as the world scrolls.
  float* t = &m_Trail[0];
  for (int i = m_TrailLen; i >= 1; --i) {
    t[2 * i + 1] = t[2 * i - 1] - 0.5f;
    t[2 * i + 2] = t[2 * i];
  }
  t[1] = p[kX];
  t[2] = p[kY];

  // Auto-fire: every shot lengthens the next gap by half an update, until fire is released.
  if (p[kCooldown] > 0.0f) p[kCooldown] -= 1.0f;
  bool fire;
  if (m_TouchDown >= 1 && m_TouchHeld == 0) {
    fire = true;
  } else {
    fire = p_PlayKey(10, 1, 0) != 0;
  }
  if (fire && p[kDeath] == 0.0f) {
    if (p[kCooldown] < 1.0f) {
      p[kCooldown] = p[kReload];
      p[kReload] += 0.5f;
      int k = p_FreeObj(150);
      if (k >= 0) {
        p_PlaySFX(5, Clamp(2.0f - p[kReload] / 20.0f, 0.5f, 2.0f));
        float* o = &m_Obj[k];
        float h = p[kHeading] * kDegToRad;
        o[0] = 1.0f;
        o[1] = p[kX];
        o[2] = p[kY];
        o[3] = 6.0f * std::sin(h);
        o[4] = -6.0f * std::cos(h);
        o[5] = p[kHeading];
      }
    }
  } else {
    p[kReload] = 3.0f;
    p[kCooldown] = 0.0f;
  }

  // The trail: a segment every 5 points, its phase falling by one per update so that each
  // segment stays on the same stretch of path as it ages; the hue runs along the trail.
  p_Alpha(1.0f);
  m_Step = 5;
  m_K = (rt_app_Millisecs() / 100) % 360;
  p[kTrailPhase] = std::fmod(p[kTrailPhase] + 4.0f, 5.0f);
  for (int i = int(p[kTrailPhase]); i <= m_TrailLen; i += m_Step) {
    if (2 * i + 12 >= 2 * m_TrailLen) continue;
    m_K += i;
    float a = float(m_K) * kDegToRad;
    float c = std::cos(a), s = std::sin(a);
    float x1 = t[2 * i + 1], y1 = t[2 * i + 2];
    float x2 = t[2 * i + 11], y2 = t[2 * i + 12];
    p_SetCol(150.0f + 100.0f * c, 150.0f - 100.0f * c, 150.0f - 100.0f * s);
    p_Line(x1, y1, x2, y2);
    p_ALine(x1, y1, x2, y2, int(150.0f + 100.0f * s), int(150.0f + 100.0f * c), int(150.0f - 100.0f * c),
            0.35f, 1);
  }
  return 0;
}
