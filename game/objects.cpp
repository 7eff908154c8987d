// Everything that moves apart from the ship, particles and backdrop: player bullets, debris lines,
// enemy ships and enemy bullets in one pool; their collisions, scoring, and the spawning of waves.
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

// Player record slots used here.
enum { kShipX = 1, kShipY = 2, kFireLow = 65, kFireHigh = 66, kGlideX = 87, kGlideY = 88, kDeath = 89, kWave = 92 };

// Moves v toward target by at most step, without overshooting.
float Approach(float v, float target, float step) {
  if (v < target) return v + step > target ? target : v + step;
  if (v > target) return v - step < target ? target : v - step;
  return v;
}

bool Near(float ax, float ay, float bx, float by, float r) {
  return std::fabs(ax - bx) < r && std::fabs(ay - by) < r;
}

// The scan bound never reaches past the pool, whatever a caller asks for (play always asks for 150).
int ScanBound(const Array<float>& pool, int n) {
  const int last = pool.Length() / 10 - 1;
  return n > last ? last : n;
}

}  // namespace

int c_MyApp::p_FreeObj(int n) {
  n = ScanBound(m_Obj, n);
  m_ObjCount = n;
  m_NewObj = -1;
  if (n < 0) return -1;
  for (int i = 0; i <= n; ++i) {
    float* o = &m_Obj[i * 10];
    if (o[0] != 0.0f) continue;
    for (int s = 0; s < 10; ++s) o[s] = 0.0f;
    m_NewObj = i * 10;
    break;
  }
  return m_NewObj;
}

int c_MyApp::p_FreeObjTop(int n) {
  n = ScanBound(m_Obj, n);
  m_ObjCount = n;
  m_NewObj = -1;
  if (n < 0) return -1;
  for (int i = n; i >= 0; --i) {
    float* o = &m_Obj[i * 10];
    if (o[0] != 0.0f) continue;
    for (int s = 0; s < 10; ++s) o[s] = 0.0f;
    m_NewObj = i * 10;
    break;
  }
  return m_NewObj;
}

int c_MyApp::p_Burst(int x, int y, int n, int colour) {
  if (colour == -1) colour = p_Rand(1.0f, 8.0f);
  for (int i = 0; i < n; ++i) {
    int k;
    if (n == 64) {
      // The ship's explosion takes the bottom of the pool by force: it must always show.
      k = i * 10;
    } else {
      k = p_FreeObj(150);
      if (k < 0) continue;
    }
    float* o = &m_Obj[k];
    o[0] = n == 64 ? 3.0f : 2.0f;
    o[1] = float(x);
    o[2] = float(y);
    o[3] = float(x);
    o[4] = float(y);
    o[5] = float(i * 360 / n);
    o[6] = 1.5f + rt_random_Rnd();
    o[7] = 1.0f;
    o[8] = rt_random_Rnd2(-6.0f, 6.0f);
    o[9] = n == 64 ? float(p_Rand(1.0f, 3.0f)) : float(colour);
  }
  return 0;
}

int c_MyApp::p_Gimme(int points, float x, float y) {
  m_Score += points;
  p_AddParticle(99, x, y, 0.0f, -0.25f, points, 3, 0);
  return 0;
}

int c_MyApp::p_DoObj() {
  float* pl = &m_Player[0];
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  int enemies = 0;
  for (m_I = 0; m_I <= m_ObjCount; ++m_I) {
    m_K = m_I * 10;
    float* o = &m_Obj[m_K];
    const float kind = o[0];

    if (kind == 1.0f) {
      m_Tx = o[1];
      m_Ty = o[2];
      o[1] += o[3];
      o[2] += o[4];
      p_SetCol(255.0f, 255.0f, 100.0f, 1.0f);
      p_Line(o[1], o[2], m_Tx, m_Ty);
      p_Oval(o[1], o[2], 2.0f, 2.0f);
      p_ALine(o[1], o[2], m_Tx, m_Ty, 255, 100, 255, 0.75f, 1);
      if (o[1] < -64.0f || o[2] < -64.0f || o[1] > W + 64.0f || o[2] > H + 64.0f) o[0] = 0.0f;
    }

    if (kind == 2.0f || kind == 3.0f) {
      o[6] *= 0.98f;
      const float dir = o[5] * kDegToRad;
      const float sn = std::sin(dir), cs = std::cos(dir);
      const float head = kind == 3.0f ? o[6] * 1.2f : o[6];
      o[1] += head * sn;
      o[2] -= head * cs;
      o[3] += 1.5f * sn;
      o[4] -= 1.5f * cs;
      o[5] += o[8];
      if (rt_random_Rnd() * 40.0f < 2.0f) o[8] = rt_random_Rnd2(-6.0f, 6.0f);
      o[7] -= 0.01f;
      p_GetInk(int(o[9]), 3.0f);
      const int r = m_Tmp, g = m_InkG, b = m_InkB;
      if (o[7] > 0.01f) {
        p_Alpha(o[7]);
        if (kind == 3.0f) {
          p_SetCol(float(r), float(g), float(b));
        } else {
          p_SetCol(float(g), float(b), float(r));
        }
        p_Line(o[1], o[2], o[3], o[4]);
        p_ALine(o[1], o[2], o[3], o[4], r, g, b, 0.5f, 2);
      }
      if (o[7] < 0.01f) o[0] = 0.0f;
    }

    if (kind > 9.0f && kind < 30.0f) {
      ++enemies;
      const float speed = o[6];
      o[1] = Approach(o[1], o[3], speed * 0.25f);
      o[2] = Approach(o[2], o[4], speed * 0.25f);
      if (p_Rand(0.0f, 100.0f) == 0) {
        float dx = float(p_Rand(-64.0f, 64.0f));
        o[3] = Clamp(o[3] + dx, 0.5f * W, W - 32.0f);
      }
      if (p_Rand(0.0f, 100.0f) == 0) {
        float dy = float(p_Rand(-64.0f, 64.0f));
        o[4] = Clamp(o[4] + dy, 32.0f, H - 32.0f);
      }
      const float ms = float(rt_app_Millisecs());
      m_Tx = o[1] + 32.0f * std::sin(ms / speed * kDegToRad);
      m_Ty = o[2] - 24.0f * std::cos(ms / (0.8f * speed) * kDegToRad);
      p_SetRot(-90.0f);
      p_SetSize(0.5f, 0.5f);
      p_SetCol(255.0f, 255.0f, 255.0f);
      p_DrawImg(1, m_Tx, m_Ty, kind - 6.0f);

      if (m_Tx > -64.0f && m_Tx < W - 16.0f && m_Ty > 32.0f && m_Ty < H - 32.0f) {
        if (pl[kDeath] == 0.0f) o[8] -= 0.5f + rt_random_Rnd();
        if (o[8] < 0.0f) {
          int b = p_FreeObj(150);
          if (b >= 0) {
            float* s = &m_Obj[b];
            s[0] = 5.0f;
            s[1] = m_Tx;
            s[2] = m_Ty;
            s[3] = -3.0f;
            s[4] = 0.0f;
            s[5] = float(p_Rand(1.0f, 4.0f));
            s[6] = 6.0f;
            o[8] = float(p_Rand(pl[kFireLow], pl[kFireHigh]));
          }
        }
      }

      const int rank = int(kind) - 9;
      for (m_J = 0; m_J <= m_ObjCount; ++m_J) {
        float* b = &m_Obj[m_J * 10];
        if (b[0] != 1.0f || !Near(b[1], b[2], m_Tx, m_Ty, 12.0f)) continue;
        b[0] = 0.0f;
        p_Burst(int(m_Tx), int(m_Ty), 4, -1);
        m_Points = 5 * rank;
        m_Score += m_Points;
        o[7] -= 1.0f;
        {
          const int sfx = 6 + p_Rand(0.0f, 3.0f);
          const float rate = 0.7f + 0.6f * rt_random_Rnd();
          p_PlaySFX(sfx, rate);
        }
        if (o[7] < 1.0f) {
          p_Gimme(5 * m_Points, m_Tx, m_Ty);
          p_Burst(int(m_Tx), int(m_Ty), 12, -1);
          const int sfx = p_Rand(2.0f, 4.0f);
          const float rate = 0.7f + 0.6f * rt_random_Rnd();
          p_PlaySFX(sfx, rate);
          for (int j = 0; j < 16; ++j) {
            float a = 22.5f * float(j) + rt_random_Rnd2(-8.0f, 8.0f);
            float v = 1.2f + 0.6f * rt_random_Rnd();
            p_ThrowParticle(m_Tx, m_Ty, 1, 9, a, v);
            a = 22.5f * float(j) + rt_random_Rnd2(-8.0f, 8.0f);
            v = 2.2f + 0.6f * rt_random_Rnd();
            p_ThrowParticle(m_Tx, m_Ty, 1, 9, a, v);
          }
          o[0] = 0.0f;
          break;
        }
      }
    }

    if (kind == 5.0f) {
      if (pl[kDeath] != 0.0f) {
        // With the ship gone the bullets lose their push and drop away.
        o[3] = 0.0f;
        o[4] += 0.05f + 0.15f * rt_random_Rnd();
      }
      o[1] += o[3];
      o[2] += o[4];
      o[6] -= 1.0f;
      if (o[6] < 0.0f) {
        o[5] = float(p_Rand(1.0f, 4.0f));
        o[6] = float(p_Rand(5.0f, 8.0f));
      }
      if (o[1] < -64.0f || o[2] > H + 128.0f) o[0] = 0.0f;
      p_SetSize(0.15f, 0.3f);
      p_SetRot(-90.0f);
      p_DrawImg(1, o[1], o[2], o[5] + 11.0f);
      const float bx = o[1], by = o[2];

      if (pl[kDeath] == 0.0f && o[0] == 5.0f && Near(bx, by, pl[kShipX], pl[kShipY], 12.0f)) {
        pl[kDeath] = 1.0f;
        m_HasLives = 0;
        for (int i = 0; i < 8; ++i) {
          if (m_Lives[i] != 0) m_HasLives = 1;
        }
        if (m_HasLives == 0) p_StopTune();
        pl[kGlideX] = pl[kShipX];
        pl[kGlideY] = pl[kShipY];
        p_Burst(int(pl[kShipX]), int(pl[kShipY]), 64, -1);
        p_PlaySFX(1, 1.0f);
        pl[kShipX] = -100.0f;
        pl[kShipY] = 0.5f * H;
      }

      // The trail sweeps up the bullets it touches; each one caught rings out and scores.
      float* t = &m_Trail[0];
      for (int i = 1; i <= m_TrailLen; ++i) {
        if (pl[kDeath] == 1.0f) {
          t[2 * i + 1] = -100.0f;
          t[2 * i + 2] = 0.5f * H;
        }
        if (pl[kDeath] == 0.0f && o[0] == 5.0f && Near(bx, by, t[2 * i + 1], t[2 * i + 2], 8.0f)) {
          o[0] = 0.0f;
          p_PlaySFX(10, 0.7f + 0.6f * rt_random_Rnd());
          p_Burst(int(t[2 * i + 1]), int(t[2 * i + 2]), 2, -1);
          m_Score += 5;
          p_AddParticle(99, t[2 * i + 1], t[2 * i + 2], 0.0f, -0.25f, 5, 3, 0);
        }
      }

      if (pl[kDeath] == 0.0f) {
        for (int i = 0; i < 8; ++i) {
          if (o[0] != 5.0f || m_Lives[i] == 0) continue;
          p_LifeIconPos(i);
          if (!Near(bx, by, m_Tx, m_Ty, 12.0f)) continue;
          p_Burst(int(m_Tx), int(m_Ty), 16, -1);
          m_Lives[i] = 0;
          p_PlaySFX(11, 0.8f + 0.4f * rt_random_Rnd());
        }
      }
    }
    p_SetSize(1.0f, 1.0f);
    p_SetCol(255.0f, 255.0f, 255.0f, 1.0f);
  }
  if (enemies <= 2) p_Spawn();
  return 0;
}

int c_MyApp::p_Spawn() {
  float* pl = &m_Player[0];
  if (pl[kDeath] != 0.0f) return 0;
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  pl[kWave] += m_Difficulty == 3 ? 2.0f : 1.0f;
  m_Step = m_Difficulty == 1 ? 2 : (m_Difficulty == 3 ? 6 : 4);
  const float wave = pl[kWave];
  int size = m_Step;
  if (wave >= 8.0f) {
    size = p_Rand(1.0f, 3.0f) * m_Step;
  } else if (wave >= 4.0f) {
    size = p_Rand(1.0f, 2.0f) * m_Step;
  }
  int kmax = int((wave - 1.0f) * 0.5f);
  kmax = kmax < 1 ? 1 : (kmax > 7 ? 7 : kmax);
  const int rank = p_Rand(1.0f, float(kmax));
  const float y0 = float(p_Rand(-128.0f, H + 128.0f));
  for (int j = 2; j <= size + 1; ++j) {
    int k = p_FreeObjTop(150);
    if (k < 0) continue;
    float* o = &m_Obj[k];
    o[0] = float(9 + rank);
    o[1] = W + 128.0f;
    o[2] = y0;
    o[3] = W - 128.0f + float(p_Rand(-96.0f, 96.0f));
    o[4] = Clamp(float(j) * H / float(size + 2), 32.0f, H - 32.0f);
    o[6] = float(2 * (2 + p_Rand(0.0f, 3.0f)));
    o[7] = float(rank);
    o[8] = float(p_Rand(pl[kFireLow], pl[kFireHigh]));
  }
  // Each group fires a little sooner than the last, down to a floor.
  pl[kFireLow] = pl[kFireLow] - 5.0f < 45.0f ? 45.0f : pl[kFireLow] - 5.0f;
  pl[kFireHigh] = pl[kFireHigh] - 10.0f < 120.0f ? 120.0f : pl[kFireHigh] - 10.0f;
  return 0;
}
