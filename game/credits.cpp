// The credit roll shown over the widened side panel of the title menu: the fading lines, the debug
// statistics block, the ring of coloured discs, leaving the roll, and the "Coded in" line.
#include <cmath>

#include "app/app.h"
#include "game/game_math.h"
#include "game/myapp.h"

namespace {

// The roll and the stats slide in from the right as the panel widens: this is 0 once it covers the screen.
float PanelOffset(const c_MyApp& a) { return rt_Quorva_jscrw - a.m_PanelW; }

void RollLines(c_MyApp& a, float W, float H) {
  // The last entry ("End") closes the table but is never rolled.
  const int count = rt_Quorva_CreditText.Length() - 1;
  if (count <= 0) return;
  const float x = (W - 160.0f) + PanelOffset(a);
  for (int r = -3; r <= 4; ++r) {
    int index = (r + a.m_CreditLine) % count;
    if (index < 0) index += count;
    const float u = std::fabs((16.0f * float(r) + a.m_CreditScroll) / 40.0f) - 0.3f;
    float alpha = 0.0f, drop = 24.0f;
    if (u < 0.0f) {
      alpha = 1.0f;
      drop = 0.0f;
    } else if (u <= 1.0f) {
      alpha = 1.0f - u;
      drop = 24.0f * u;
    }
    a.p_ResetDraw();
    a.p_Alpha(alpha);
    a.p_Text(x, 16.0f * float(r) + H / 2.0f + 24.0f - drop + a.m_CreditScroll, rt_Quorva_CreditText[index], 0.8f,
             0.8f, 0);
  }
}

void DebugStats(c_MyApp& a, float W, float H) {
  const float x = (W - 20.0f) + PanelOffset(a);
  float y = 16.0f;
  static const String kX("x"), kColon(" : ");
  a.p_ResetDraw();
  a.p_Text(x, y, String("Debug Stats"), 2.0f, 1.0f, 0);
  y += 16.0f;
  a.p_Text(x, y, String("Engine"), 2.0f, 1.0f, 0);
  y += 12.0f;
  a.p_Text(x, y, String(int(std::floor(W))) + kX + String(int(std::floor(H))), 2.0f, 1.0f, 0);
  y += 16.0f;
  a.p_Text(x, y, String("Screen"), 2.0f, 1.0f, 0);
  y += 12.0f;
  a.p_Text(x, y, String(rt_app__devWidth) + kX + String(rt_app__devHeight), 2.0f, 1.0f, 0);
  y += 16.0f;
  a.p_Text(x, y, String("FPS"), 2.0f, 1.0f, 0);
  y += 12.0f;
  a.p_Text(x, y, String(a.m_UpdFpsAvg) + kColon + String(a.m_RenderFpsAvg), 2.0f, 1.0f, 0);
}

// Eleven discs turning with the roll, grey, the eight palette colours, white and grey again.
void DiscRing(c_MyApp& a, float W, float H) {
  const float cx = (W - 150.0f) + PanelOffset(a);
  for (int i = 0; i <= 10; ++i) {
    const float t = (6.0f * float(i) - a.m_CreditScroll / 16.0f + float(a.m_CreditLine)) * 4.0f * kDegToRad;
    a.p_ResetDraw();
    a.p_Ink(i, 1.0f);
    a.p_Alpha(0.3f);
    a.p_Oval(cx + 100.0f * std::sin(t), H / 2.0f - 100.0f * std::cos(t), 32.0f, 32.0f);
  }
}

}  // namespace

int c_MyApp::p_Credits() {
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;

  // The roll creeps up on its own; up or down held speeds it.
  m_CreditScroll -= 0.3f;
  if (p_AnyPad(8) != 0 || p_AnyPad(0) != 0) m_CreditScroll -= 1.5f;
  if (m_CreditScroll < -16.0f) {
    m_CreditScroll += 16.0f;
    ++m_CreditLine;
  }

  RollLines(*this, W, H);
  DebugStats(*this, W, H);
  DiscRing(*this, W, H);

  bool leave = m_TouchDown > 0;
  for (int code = 10; code <= 13 && !leave; ++code) leave = p_AnyPad(code) != 0;
  if (leave && m_KeyHeld == 0 && m_TouchHeld == 0) {
    m_ShowCredits = 0;
    p_PlaySFX(99, 1.0f);
    m_KeyHeld = 1;
    m_TouchHeld = 1;
  }

  const float x = 0.3f * W + PanelOffset(*this);
  p_ResetDraw();
  p_DrawImg(95, x, H - 64.0f, 12.0f);
  p_Text(x + 32.0f, H - 48.0f, String("Coded in"), 0.0f, 0.0f, 0);
  p_Text(x + 32.0f, H - 36.0f, String("isocpp.org"), 0.0f, 0.0f, 0);
  return 0;
}
