// The notice that settings and scores cannot be saved: a bar across the foot of the screen in the game's
// own lettering, sliding up from below and back down after a few seconds. It takes no input, so play
// goes on under it.
#include "game/myapp.h"

namespace {

const int kNoteLife = 300;  // updates the notice stays up: five seconds at the normal rate
const int kSlide = 12;      // updates it takes to slide in, and again to slide out

}  // namespace

int c_MyApp::p_ShowSaveNotice() {
  if (m_SaveNoteTime <= 0) return 0;
  const int t = m_SaveNoteTime;
  m_SaveNoteTime = t >= kNoteLife ? 0 : t + 1;

  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  const float barH = 32.0f;
  // Up from below the screen, and back down at the end.
  int shown = t < kSlide ? t : (kNoteLife - t < kSlide ? kNoteLife - t : kSlide);
  const float top = H - (barH + 8.0f) * float(shown) / float(kSlide);

  p_ResetDraw();
  p_SetCol(0.0f, 0.0f, 80.0f, 0.8f);
  p_Rect(0.0f, top, W, barH);
  p_SetCol(255.0f, 255.0f, 255.0f, 1.0f);
  p_Text(W / 2.0f, top + barH / 2.0f, m_SaveNoteText, 1.0f, 1.0f, 0);
  return 0;
}
