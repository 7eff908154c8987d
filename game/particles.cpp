// Particles: sparks, falling fragments, blocks and points pop-ups in their own fixed pool, with
// simple physics and a steady fade; they never collide with anything.
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

// Particle record slots.
enum { kKind = 0, kX = 1, kY = 2, kVx = 3, kVy = 4, kRot = 5, kSpin = 6, kAlpha = 7, kColour = 8, kShown = 9 };

// Decimal texts of small pop-up numbers, made once, so that drawing pop-ups allocates nothing.
String NumberText(c_MyApp& a, int n) {
  if (n < 0 || n >= c_MyApp::kNumberTexts) return String(n);
  if (a.m_NumberText[n].Length() == 0) a.m_NumberText[n] = String(n);
  return a.m_NumberText[n];
}

}  // namespace

int c_MyApp::p_FreeParticle() {
  if (m_ParticleCount < 0) return -1;
  // The highest free record is taken, so a fresh pool fills from the top.
  int found = -1;
  for (int i = 0; i <= m_ParticleCount; ++i) {
    if (m_Particles[i * 10] == 0.0f) found = i;
  }
  return found < 0 ? -1 : found * 10;
}

int c_MyApp::p_AddParticle(int kind, float x, float y, float vx, float vy, int shown, int colour, int alpha0) {
  int k = p_FreeParticle();
  if (k < 0) return 0;
  float* p = &m_Particles[k];
  p[kKind] = float(kind);
  p[kX] = x;
  p[kY] = y;
  p[kVx] = vx;
  p[kVy] = vy;
  p[kRot] = float(int(360.99f * rt_random_Rnd()));
  p[kSpin] = -7.0f + 14.0f * rt_random_Rnd();
  p[kAlpha] = float(alpha0 + 1);
  p[kColour] = float(colour);
  p[kShown] = float(shown);
  return 0;
}

int c_MyApp::p_ThrowParticle(float x, float y, int kind, int colour, float angle, float speed) {
  int k = p_FreeParticle();
  if (k < 0) return 0;
  if (angle == kNoValue) angle = 360.0f * rt_random_Rnd();
  if (speed == kNoValue) speed = 3.0f + 5.0f * rt_random_Rnd();
  float* p = &m_Particles[k];
  p[kKind] = float(kind);
  p[kX] = x;
  p[kY] = y;
  p[kVx] = speed * std::sin(angle * kDegToRad);
  p[kVy] = -speed * std::cos(angle * kDegToRad);
  p[kRot] = 360.0f * rt_random_Rnd();
  p[kSpin] = -8.0f + 16.0f * rt_random_Rnd();
  if (kind == 3) {
    // A bouncing fragment keeps its floor where the rotation would be, and does not spin.
    p[kRot] = y - 16.0f + 32.0f * rt_random_Rnd();
    p[kSpin] = 0.0f;
  }
  p[kAlpha] = 0.7f + 0.6f * rt_random_Rnd();
  p[kColour] = float(colour);
  p[kShown] = float(int(63.99f * rt_random_Rnd()));
  return 0;
}

int c_MyApp::p_DoParticles(float scale) {
  p_ResetDraw();
  for (int i = 0; i <= m_ParticleCount; ++i) {
    float* p = &m_Particles[i * 10];
    if (p[kKind] <= 0.0f) continue;
    const int kind = int(p[kKind]);
    p[kX] += p[kVx];
    p[kY] += p[kVy];
    p[kRot] += p[kSpin];
    p_SetRot(kind == 99 ? 0.0f : p[kRot]);
    if (kind == 2) {
      p[kVx] *= 0.95f;
      p[kVy] += 0.2f;
    } else if (kind == 3) {
      p[kVx] *= 0.98f;
      p[kVy] += 0.2f;
      if (p[kY] > p[kRot]) p[kVy] = -3.0f + 2.0f * rt_random_Rnd();
    }
    p_Alpha(p[kAlpha] > 1.0f ? 1.0f : p[kAlpha]);
    p_SetSize(scale, scale);
    const float x = p[kX] - m_ShakeX, y = p[kY] - m_ShakeY;
    if (kind >= 1 && kind <= 9) {
      p_Ink(int(p[kColour]), 1.0f);
      p_DrawImg(96, x, y, p[kShown]);
    } else if (kind == 16) {
      p_Ink(int(p[kColour]), 1.0f);
      p_Rect(16.0f * std::floor(x / 16.0f), 16.0f * std::floor(y / 16.0f), 16.0f, 16.0f);
    } else if (kind == 99) {
      p_Ink(int(p[kColour]), 1.0f);
      p_Text(x, y, NumberText(*this, int(p[kShown])), 1.0f, 1.0f, 0);
    }
    if (kind == 4) {
      p[kAlpha] -= 0.003f;
    } else if (kind == 16) {
      p[kAlpha] -= 0.01f;
      p[kAlpha] -= 0.003f;
    } else {
      p[kAlpha] -= 0.01f;
    }
    if (p[kAlpha] < 0.0f) p[kKind] = 0.0f;
  }
  p_ResetDraw();
  return 0;
}
