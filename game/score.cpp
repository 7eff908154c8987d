// The score front end: the following score and the place it would take while playing, the game-over
// overlay, and the filing of a finished run into the difficulty's top ten and last ten.
#include <cstdio>

#include "game/myapp.h"

namespace {

const char* const kOrdinals[30] = {
    "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th",
    "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th",
    "21st", "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th"};

}  // namespace

// A difficulty outside 1..3 plays as Normal, so it also files (and is shown) as Normal rather than
// reading outside the tables.
int c_MyApp::p_HiScoreBase(int difficulty) {
  if (difficulty != 1 && difficulty != 3) difficulty = 2;
  return 10 * (difficulty - 1);
}

String c_MyApp::p_Nth(int n) {
  if (n < 1 || n > 30) return String();
  return String(kOrdinals[n - 1]);
}

String c_MyApp::p_MyNth() {
  const int base = p_HiScoreBase(m_Difficulty);
  m_NthPlace = 0;
  for (int i = 0; i < 10; ++i) {
    if (m_NthPlace == 0 && m_Score >= m_HiScores[base + i]) m_NthPlace = i + 1;
  }
  if (m_NthPlace == 1) return String("1st!");
  if (m_NthPlace == 0) return String();
  return p_Nth(m_NthPlace);
}

namespace {

// Rewrites `text` as p_rstr(value, digits, "0") would make it. The shown score moves on most frames while
// it eases; the text is held by this display alone (one reference), so its units are rewritten in place
// instead of allocating a new string each frame during play.
bool RewriteDigits(String& text, int value, int digits) {
  if (value < 0 || text.Length() != digits || text.GetRep()->refs != 1 || digits > 30) return false;
  char buf[64];
  int n = snprintf(buf, sizeof buf, "%0*i", digits + 1, value);  // at least digits + 1 characters
  Char* units = const_cast<String::Rep*>(text.GetRep())->data;
  for (int i = 0; i < digits; ++i) units[i] = Char(buf[n - digits + i]);
  return true;
}

}  // namespace

int c_MyApp::p_ScoreDisplay() {
  // The shown score eases toward the real one, then snaps once close.
  int shown = m_ShownScore - (m_ShownScore - m_Score) / 6;
  int gap = shown - m_Score;
  if (gap > -6 && gap < 6) shown = m_Score;
  m_ShownScore = shown;
  if (m_HideHud == 1) return 0;

  // The texts change only when their numbers do, so most frames reuse them.
  if (m_ScoreText.Length() == 0 || shown != m_ScoreTextOf) {
    if (!RewriteDigits(m_ScoreText, shown, 8)) m_ScoreText = p_rstr(shown, 8, String("0"));
    m_ScoreTextOf = shown;
  }
  p_SetCol(100.0f, 255.0f, 100.0f, 0.8f);
  p_SetSize(2.0f, 2.0f);
  p_SetRot(0.0f);
  p_Text(rt_Quorva_jscrw * 0.5f, 28.0f, m_ScoreText, 1.0f, 1.0f, 0);

  // The place shown is the entry to beat next; the top entry itself is never tested, so once it is
  // in reach the line keeps showing first place and the top score.
  const int base = p_HiScoreBase(m_Difficulty);
  int k = 10;
  int target = m_HiScores[base + 9];
  for (int i = 9; i >= 1; --i) {
    const int t = m_HiScores[base + i];
    if (t < m_Score || t == 0) {
      k = i - 1;
      target = m_HiScores[base + i - 1];
    }
  }
  if (m_PlaceText.Length() == 0 || k != m_PlaceTextOf || target != m_PlaceTextTarget) {
    m_PlaceText = p_Nth(k + 1) + String(" ") + p_rstr(target, 8, String("0"));
    m_PlaceTextOf = k;
    m_PlaceTextTarget = target;
  }
  p_SetCol(255.0f, 255.0f, 100.0f, 0.8f);
  p_SetSize(1.0f, 1.0f);
  p_Text(rt_Quorva_jscrw * 0.5f, 10.0f, m_PlaceText, 1.0f, 1.0f, 0);
  p_ResetDraw();
  return 0;
}

int c_MyApp::p_GameOver() {
  const float W = rt_Quorva_jscrw, H = rt_Quorva_jscrh;
  int t = m_GameOverTimer;
  if (t > 0) {
    // A press still held when the overlay goes must not act on the menu below.
    m_KeyHeld = 1;
    m_TouchHeld = 1;
    float shade = float(t) / 40.0f;
    if (shade > 0.7f) shade = 0.7f;
    p_SetCol(0.0f, 0.0f, 0.0f, shade);
    p_Rect(-1.0f, -1.0f, W + 2.0f, H + 2.0f);
    int len = t * 12;
    if (float(len) > 0.45f * H) len = int(0.45f * H);
    const float L = float(len);
    p_SetSize(1.0f, 1.0f);
    p_SetRot(0.0f);
    m_Blend = 1;
    p_SetCol(255.0f, 255.0f, 0.0f, 0.5f);
    p_Rect(-1.0f, 0.45f * H - 8.0f, 2.0f * L, 16.0f);
    p_SetCol(255.0f, 128.0f, 0.0f, 0.5f);
    p_Rect(W - 2.0f * L, 0.55f * H - 8.0f, 2.0f * L + 1.0f, 16.0f);
    p_SetRot(0.0f);
    p_SetCol(255.0f, 180.0f, 180.0f, 1.0f);
    m_Blend = 1;
    p_SetSize(4.0f, 4.0f);
    const bool quit = m_QuitRun == -1;
    p_Text(0.35f * W, L, String(quit ? "Quit" : "GAME"), 1.0f, 1.0f, 0);
    p_Text(0.65f * W, H - L, String(quit ? "Game" : "OVER"), 1.0f, 1.0f, 0);
    p_MyNth();
    if (m_NthPlace > 0) {
      p_SetSize(1.0f, 1.0f);
      p_SetCol(0.0f, 125.0f, 255.0f, 0.5f);
      p_Rect(0.35f * W, H - L / 1.5f - 16.0f, 0.3f * W, 32.0f);
      p_SetSize(2.0f, 2.0f);
      p_SetCol(100.0f, 255.0f, 100.0f, 1.0f);
      // The backslash-n pair is the toolkit's line break; the spaces set the place under the banner.
      p_Text(0.5f * W, H - L / 1.5f, String("New Highscore\\n           ") + p_MyNth(), 0.5f, 2.0f, 0);
    }
  }
  if (m_GameMode == 10) {
    ++t;
    if (t == 90) {
      p_StopTune();
      m_GameMode = 2;
      t = 73;
    }
  } else if (m_GameMode < 10) {
    t -= 2;
    if (t < 0) t = 0;
  }
  m_GameOverTimer = t;
  return 0;
}

int c_MyApp::p_LoadMenu() {
  const int base = p_HiScoreBase(m_Difficulty);
  int pos = -1;
  for (int i = 0; i < 10; ++i) {
    if (pos == -1 && m_HiScores[base + i] < m_Score) pos = i;
  }
  if (pos != -1) {
    for (int i = 9; i >= pos + 1; --i) m_HiScores[base + i] = m_HiScores[base + i - 1];
    m_HiScores[base + pos] = m_Score;
  }
  for (int i = 9; i >= 1; --i) m_HiScores[30 + base + i] = m_HiScores[30 + base + i - 1];
  m_HiScores[30 + base] = m_Score;
  p_Save();
  return 0;
}

int c_MyApp::p_GC_PostScore(int score, int board) {
  (void)score;
  (void)board;
  return 0;
}
