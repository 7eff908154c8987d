// Badges: the catalogue of names and details, and the strip of notification bars that slide in at the
// bottom left. Nothing in play awards a badge; the flags only travel through the saved state.
#include "game/myapp.h"

namespace {

const int kBars = 13;        // notification bars 0..12
const int kBarLife = 240;    // updates a bar is shown
const int kBarW = 160;

String CataloguePart(const String& entry, int part) {
  Array<String> pieces = entry.Split(String("|"));
  return part < pieces.Length() ? pieces[part] : String();
}

}  // namespace

String c_MyApp::p_BadgeID(int n) {
  if (n == 0) return String("Test Badge|This is a Test Badge which has no purpose.");
  return String("Odd Badge|This badge hasn't been defined!");
}

String c_MyApp::p_BadgeName(int n) { return CataloguePart(p_BadgeID(n), 0); }

String c_MyApp::p_BadgeDetail(int n) { return CataloguePart(p_BadgeID(n), 1); }

int c_MyApp::p_ShowBadges() {
  const float H = rt_Quorva_jscrh;
  p_ResetDraw();
  m_BadgeNoteW = kBarW;
  for (int k = 0; k < kBars; ++k) {
    int t = m_BadgeNoteTime[k];
    if (t <= 0) continue;
    // Slides in over 10 updates, stays, and slides out over the last 10.
    ++t;
    int x = 16 * t - kBarW;
    if (t > kBarLife - kBarW / 16) x = 16 * (kBarLife - t) - kBarW;
    if (x > 0) x = 0;
    m_BadgeNoteTime[k] = t > kBarLife ? 0 : t;

    const float top = H - 34.0f * float(k + 1);
    const int id = m_BadgeNoteId[k];
    p_SetCol(0.0f, 0.0f, 80.0f, 0.8f);
    p_Rect(float(x), top, float(kBarW), 32.0f);
    p_SetCol(255.0f, 255.0f, 255.0f, 1.0f);
    p_Text(float(x) + 16.0f, top + 4.0f, p_BadgeName(id), 0.0f, 0.0f, 0);
    if (id >= 0 && id < 64) {
      p_SetSize(0.5f);
      p_DrawImg(80, float(x + kBarW - 16), top + 16.0f, float(id));
      p_SetSize(1.0f);
    }
  }
  return 0;
}

int c_MyApp::p_GC_Badges() { return 0; }
