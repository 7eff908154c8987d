// The drawing toolkit: the drawing state, the palette and the commands that append 15-float records to the
// deferred draw list, and bitmap-font text with controller-icon escapes. Nothing here touches the graphics
// module; the render replays the list (render.cpp).
#include <cmath>

#include "game/game_math.h"
#include "game/myapp.h"

namespace {

const Char kIconEscape = 172;  // the character that introduces a controller icon

// Red, green and blue factors of the nine palette entries; any other index is grey.
const float kPalette[10][3] = {
    {0.3f, 0.3f, 0.3f}, {1.0f, 0.1f, 0.1f}, {1.0f, 0.5f, 0.1f}, {1.0f, 1.0f, 0.1f}, {0.1f, 1.0f, 0.1f},
    {0.1f, 1.0f, 1.0f}, {0.1f, 0.1f, 1.0f}, {0.5f, 0.1f, 1.0f}, {1.0f, 0.1f, 0.5f}, {1.0f, 1.0f, 1.0f},
};

const float* PaletteEntry(int c) { return (c >= 1 && c <= 9) ? kPalette[c] : kPalette[0]; }

float InkComponent(float f, float brightness) {
  float v = f * brightness * 255.0f;
  if (v < 0.0f) v = 0.0f;
  if (v > 255.0f) v = 255.0f;
  return v;
}

// Extra advance of ordinary characters: wide letters get more room, narrow ones less.
int Spacing(int c) {
  switch (c) {
    case 'w': case 'm': return 2;
    case 'W': case 'M': return 1;
    case 'i': case 'f': case 'l': return -3;
    case 'j': case 's': case 'k': case 'r': case 'z': case 't': case 'n': return -1;
    default: return 0;
  }
}

struct IconGlyph {
  int normal;   // frame of the icon
  int pressed;  // frame shown while it blinks, -1 when it does not blink
  int spacing;
};

IconGlyph IconFor(int letter) {
  switch (letter) {
    case 'J': return {96, 109, 4};
    case 'K': return {97, 109, 4};
    case 'L': return {98, 109, 4};
    case 'I': return {99, 109, 4};
    case 'U': return {100, 110, 6};
    case 'O': return {101, 110, 6};
    case 'Q': return {102, -1, 4};
    case 'E': return {103, -1, 4};
    case 'F': return {104, -1, 4};
    case 'W': return {105, 104, 4};
    case 'S': return {106, 104, 4};
    case 'A': return {107, 104, 4};
    case 'D': return {108, 104, 4};
    default: return {letter, -1, 4};
  }
}

// The text as laid out: one leading space, then the given characters (no joined copy is made).
struct SpacedText {
  const String& s;
  int Length() const { return s.Length() + 1; }
  int At(int i) const { return (i <= 0 || i > s.Length()) ? (i == 0 ? ' ' : 0) : s[i - 1]; }
};

}  // namespace

int c_MyApp::p_ResetDraw() {
  m_SizeX = 1.0f;
  m_SizeY = 1.0f;
  m_Rot = 0.0f;
  m_ColR = 255.0f;
  m_ColG = 255.0f;
  m_ColB = 255.0f;
  m_Alpha = 1.0f;
  m_Blend = 1;
  return 0;
}

int c_MyApp::p_CLS2D(float r, float g, float b, float a) {
  if (r > kNoValue) {
    m_ClsR = r;
    m_ClsG = g;
    m_ClsB = b;
    m_ClsA = a;
  }
  p_ResetDraw();
  m_DrawCount = 0;
  return 0;
}

int c_MyApp::p_SetSize(float sx, float sy) {
  m_SizeX = sx;
  m_SizeY = sy > kNoValue ? sy : sx;
  return 0;
}

int c_MyApp::p_SetRot(float angle) {
  m_Rot = -angle;
  return 0;
}

int c_MyApp::p_Alpha(float a) {
  m_Alpha = a;
  return 0;
}

int c_MyApp::p_SetCol(float r, float g, float b, float a) {
  m_ColR = r;
  m_ColG = g;
  m_ColB = b;
  if (a > kNoValue) m_Alpha = a;
  return 0;
}

int c_MyApp::p_Ink(int c, float brightness) {
  const float* f = PaletteEntry(c);
  m_ColR = InkComponent(f[0], brightness);
  m_ColG = InkComponent(f[1], brightness);
  m_ColB = InkComponent(f[2], brightness);
  return 0;
}

int c_MyApp::p_GetInk(int c, float brightness) {
  const float* f = PaletteEntry(c);
  m_Tmp = int(InkComponent(f[0], brightness));
  m_InkG = int(InkComponent(f[1], brightness));
  m_InkB = int(InkComponent(f[2], brightness));
  return 0;
}

// Writes one record with the current state; a full list drops it (one record's room stays unused).
static inline void AppendRecord(c_MyApp* app, float kind, float x, float y, float a, float b, float frame) {
  if (app->m_DrawCount > kDrawListLast) return;
  float* r = app->m_DrawList.Data() + app->m_DrawCount;
  r[0] = kind;
  r[1] = x;
  r[2] = y;
  r[3] = app->m_Rot;
  r[4] = a;
  r[5] = b;
  r[6] = frame;
  r[7] = app->m_Alpha;
  r[10] = app->m_ColR;
  r[11] = app->m_ColG;
  r[12] = app->m_ColB;
  r[13] = float(app->m_Blend);
  app->m_DrawCount += kDrawRecord;
}

int c_MyApp::p_DrawImg(int slot, float x, float y, float frame) {
  AppendRecord(this, float(slot), x, y, m_SizeX, m_SizeY, frame);
  return 0;
}

int c_MyApp::p_Rect(float x, float y, float w, float h) {
  AppendRecord(this, kDrawRect, x, y, w, h, 0.0f);
  return 0;
}

int c_MyApp::p_Oval(float x, float y, float rx, float ry) {
  AppendRecord(this, kDrawOval, x, y, rx, ry, 0.0f);
  return 0;
}

int c_MyApp::p_Line(float x1, float y1, float x2, float y2) {
  AppendRecord(this, kDrawLine, x1, y1, x2, y2, 0.0f);
  return 0;
}

int c_MyApp::p_Text(float x, float y, String s, float alignX, float alignY, int fontOffset) {
  SpacedText t{s};
  const int n = t.Length();
  int gw = 0, gh = 0;
  if (m_FontSlot >= 0 && m_FontSlot < 100) {
    gw = m_ImageInfo[3 * m_FontSlot];
    gh = m_ImageInfo[3 * m_FontSlot + 1];
  }

  // Measure the span from the leading space to the last character.
  int w = 0;
  for (int i = 0; i <= n - 2; ++i) {
    int adjust;
    if (t.At(i) == kIconEscape) {
      ++i;
      adjust = 2;
    } else {
      adjust = Spacing(t.At(i));
    }
    w = int(float(w) + float(adjust + gw) * m_SizeX);
  }

  const float A = -m_Rot;
  const float H = float(gh) * m_SizeY;
  const float ya = (alignY - 1.0f) * 0.5f;
  const float x0 = std::sin((A - 90.0f) * kDegToRad) * float(w) * alignX * 0.5f + x + std::sin(A * kDegToRad) * H * ya;
  const float y0 = y - alignX * 0.5f * std::cos((A - 90.0f) * kDegToRad) * float(w) - ya * H * std::cos(A * kDegToRad);
  const float advX = std::sin((90.0f + A) * kDegToRad), advY = std::cos((90.0f + A) * kDegToRad);

  float px = x0, py = y0;
  int line = 0;
  int i = 0;
  while (i < n) {
    int frame, adjust;
    if (t.At(i) == kIconEscape) {
      ++i;
      IconGlyph icon = IconFor(t.At(i));
      if (m_ControlMode == 1 && icon.pressed >= 0 && rt_app_Millisecs() % 500 < 200) {
        frame = icon.pressed;
      } else {
        frame = icon.normal + (m_ControlMode == 0 ? 16 : 0);
      }
      adjust = icon.spacing;
    } else {
      frame = t.At(i) - 32;
      adjust = Spacing(t.At(i));
    }
    // The two characters backslash and n start a new line.
    if (t.At(i) == '\\' && i + 1 < n && t.At(i + 1) == 'n') {
      ++line;
      i += 2;
      float L = float(line) * float(adjust + gh) * m_SizeY;
      float G = float(adjust + gw) * m_SizeX;
      px = x0 + std::sin((180.0f + A) * kDegToRad) * L + advX * G;
      py = y0 - L * std::cos((180.0f + A) * kDegToRad);
      continue;
    }
    ++i;
    if (frame >= 1 && frame <= 127) p_DrawImg(m_FontSlot + fontOffset, px, py, float(frame));
    if (frame != -32) {
      float G = float(adjust + gw) * m_SizeX;
      px += advX * G;
      py -= advY * G;
    }
  }
  return 0;
}

String c_MyApp::p_rstr(int value, int digits, String pad) {
  String s;
  for (int i = 0; i < digits + 1; ++i) s += pad;
  s += String(value);
  int from = s.Length() - digits;  // an empty pad can leave fewer characters than digits
  return s.Slice(from < 0 ? 0 : from);
}

String c_MyApp::p_rstr2(int value, String pad) { return p_rstr(value, 8, pad); }
