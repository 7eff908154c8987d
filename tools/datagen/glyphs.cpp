// Glyph outlines from a packaged TrueType font (see glyphs.h).
#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>

namespace datagen {
namespace {

struct PathSink {
  cairo_t* cr;
  double ox, oy;
  double lastX, lastY;  // last point in font units, for turning quadratic segments into cubic ones
  double X(long v) const { return ox + v / 64.0; }
  double Y(long v) const { return oy - v / 64.0; }
};

int MoveTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  cairo_close_path(s->cr);
  cairo_move_to(s->cr, s->X(to->x), s->Y(to->y));
  s->lastX = to->x;
  s->lastY = to->y;
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  cairo_line_to(s->cr, s->X(to->x), s->Y(to->y));
  s->lastX = to->x;
  s->lastY = to->y;
  return 0;
}

int ConicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  const double c1x = s->lastX + 2.0 / 3.0 * (c->x - s->lastX), c1y = s->lastY + 2.0 / 3.0 * (c->y - s->lastY);
  const double c2x = to->x + 2.0 / 3.0 * (c->x - to->x), c2y = to->y + 2.0 / 3.0 * (c->y - to->y);
  cairo_curve_to(s->cr, s->ox + c1x / 64.0, s->oy - c1y / 64.0, s->ox + c2x / 64.0, s->oy - c2y / 64.0,
                 s->X(to->x), s->Y(to->y));
  s->lastX = to->x;
  s->lastY = to->y;
  return 0;
}

int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  cairo_curve_to(s->cr, s->X(c1->x), s->Y(c1->y), s->X(c2->x), s->Y(c2->y), s->X(to->x), s->Y(to->y));
  s->lastX = to->x;
  s->lastY = to->y;
  return 0;
}

// Decodes one UTF-8 sequence; malformed bytes come back as themselves.
uint32_t NextChar(const std::string& s, size_t* i) {
  const unsigned char c = s[*i];
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (*i + extra >= s.size()) extra = 0;
  uint32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
  for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[*i + k]) & 0x3F);
  *i += 1 + extra;
  return cp;
}

}  // namespace

Font::~Font() {
  if (face_) FT_Done_Face(face_);
  if (lib_) FT_Done_FreeType(lib_);
}

bool Font::Load(const std::string& fileName) {
  if (!lib_ && FT_Init_FreeType(&lib_) != 0) return false;
  const std::string path = std::string(VX_FONT_DIR) + "/" + fileName;
  return FT_New_Face(lib_, path.c_str(), 0, &face_) == 0;
}

bool Font::LoadGlyph(uint32_t ch, double size, Hint hint) {
  if (!face_) return false;
  if (FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72) != 0) return false;
  const FT_UInt index = FT_Get_Char_Index(face_, ch);
  if (index == 0) return false;
  const FT_Int32 flags = FT_LOAD_NO_BITMAP | (hint == Hint::kNone       ? FT_LOAD_NO_HINTING
                                               : hint == Hint::kVertical ? FT_LOAD_TARGET_LIGHT
                                                                         : FT_LOAD_TARGET_MONO);
  return FT_Load_Glyph(face_, index, flags) == 0 && face_->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
}

double Font::GlyphPath(cairo_t* cr, uint32_t ch, double x, double y, double size, Hint hint) {
  if (!LoadGlyph(ch, size, hint)) return 0;
  static const FT_Outline_Funcs funcs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  PathSink sink{cr, x, y, 0, 0};
  FT_Outline_Decompose(&face_->glyph->outline, &funcs, &sink);
  cairo_close_path(cr);
  return face_->glyph->advance.x / 64.0;
}

double Font::TextPath(cairo_t* cr, const std::string& text, double x, double y, double size, double tracking) {
  size_t i = 0;
  while (i < text.size()) x += GlyphPath(cr, NextChar(text, &i), x, y, size) + tracking;
  return x;
}

double Font::Measure(const std::string& text, double size, double tracking) {
  double w = 0;
  size_t i = 0;
  int n = 0;
  while (i < text.size()) {
    if (LoadGlyph(NextChar(text, &i), size, Hint::kNone)) w += face_->glyph->advance.x / 64.0;
    ++n;
  }
  return w + tracking * (n > 0 ? n - 1 : 0);
}

bool Font::InkBox(uint32_t ch, double size, Hint hint, double* x0, double* y0, double* x1, double* y1) {
  if (!LoadGlyph(ch, size, hint)) return false;
  FT_BBox box;
  FT_Outline_Get_CBox(&face_->glyph->outline, &box);
  *x0 = box.xMin / 64.0;
  *x1 = box.xMax / 64.0;
  *y0 = -box.yMax / 64.0;
  *y1 = -box.yMin / 64.0;
  return true;
}

}  // namespace datagen
