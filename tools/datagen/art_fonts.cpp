// The bitmap fonts: the game's font "fonts/shadow_pelmar" (16 x 16 cells: glyphs with a drop shadow,
// then the controller-icon glyphs) and the runtime's default font "vorn_font.png" (one row of 96).
#include <cmath>
#include <cstdio>

#include "art.h"
#include "glyphs.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

// The face is sized so capitals are 7 pixels tall and most letters fit the game's advance of 7.
constexpr double kGlyphSize = 9.6;
constexpr double kBaseline = 12;  // centres capitals and x-height letters on the cell's middle
constexpr double kCentre = 8;

// Draws `content` with a hard one-pixel drop shadow, so white text stays legible on any colour.
template <typename F>
void WithShadow(cairo_t* cr, F content) {
  cairo_push_group(cr);
  content();
  cairo_pattern_t* shape = cairo_pop_group(cr);
  cairo_save(cr);
  cairo_translate(cr, 1, 1);
  cairo_set_source_rgba(cr, 0, 0, 0.04, 0.85);
  cairo_mask(cr, shape);
  cairo_restore(cr);
  cairo_set_source(cr, shape);
  cairo_paint(cr);
  cairo_pattern_destroy(shape);
}

// Adds a glyph's path centred on x at the baseline; hinted at 1x so stems sit on whole pixels.
void CentredGlyph(cairo_t* cr, Font& font, uint32_t ch, double x, double baseline, double size) {
  double x0, y0, x1, y1;
  if (!font.InkBox(ch, size, Hint::kFull, &x0, &y0, &x1, &y1)) return;
  font.GlyphPath(cr, ch, std::round(x - (x0 + x1) / 2), baseline, size, Hint::kFull);
}

// A key cap with its letter knocked out of it; `wide` for the shoulder keys, `pressed` sunk and blank.
void KeyCap(cairo_t* cr, Font& font, char letter, bool wide, bool pressed, bool arrows = false) {
  const double x0 = wide ? 2 : 3, x1 = wide ? 14 : 13, y0 = pressed ? 4 : 3, y1 = pressed ? 13 : 12;
  if (!pressed) {
    cairo_rectangle(cr, x0 + 1, y1, x1 - x0 - 2, 1);  // the cap's front edge
    SetColor(cr, {0.55, 0.6, 0.75});
    cairo_fill(cr);
  }
  RoundedRect(cr, x0, y0, x1 - x0, y1 - y0, 1.5);
  SetColor(cr, pressed ? Rgb{0.7, 0.74, 0.85} : Rgb{0.96, 0.97, 1.0});
  cairo_fill(cr);
  cairo_new_path(cr);
  if (letter) CentredGlyph(cr, font, static_cast<unsigned char>(letter), kCentre, y1 - 2, 7.5);
  if (arrows) {
    Polygon(cr, {{8, y0 + 1.5}, {10, y0 + 3.5}, {6, y0 + 3.5}});
    Polygon(cr, {{8, y1 - 1.5}, {10, y1 - 3.5}, {6, y1 - 3.5}});
  }
  SetColor(cr, pal::kNavy);
  cairo_fill(cr);
}

void RoundButton(cairo_t* cr, Font& font, Rgb c, char letter, bool pressed) {
  Circle(cr, kCentre, kCentre + (pressed ? 0.5 : 0), 5.5);
  SetColor(cr, pressed ? Mix(c, pal::kNavy, 0.45) : c);
  cairo_fill(cr);
  cairo_new_path(cr);
  if (letter) CentredGlyph(cr, font, static_cast<unsigned char>(letter), kCentre, 11, 7.5);
  SetColor(cr, pal::kWhite);
  cairo_fill(cr);
}

void Shoulder(cairo_t* cr, Font& font, char letter, bool pressed) {
  cairo_move_to(cr, 2, 12);
  cairo_line_to(cr, 2, 7);
  cairo_curve_to(cr, 2, 4.5, 5, 4, 8, 4);
  cairo_curve_to(cr, 11, 4, 14, 4.5, 14, 7);
  cairo_line_to(cr, 14, 12);
  cairo_close_path(cr);
  SetColor(cr, pressed ? Rgb{0.5, 0.55, 0.7} : Rgb{0.82, 0.86, 0.95});
  cairo_fill(cr);
  cairo_new_path(cr);
  if (letter) CentredGlyph(cr, font, static_cast<unsigned char>(letter), kCentre, 11, 7.5);
  SetColor(cr, pal::kNavy);
  cairo_fill(cr);
}

void Pill(cairo_t* cr, bool forward) {
  RoundedRect(cr, 2, 5, 12, 7, 3.5);
  SetColor(cr, {0.82, 0.86, 0.95});
  cairo_fill(cr);
  if (forward)
    Polygon(cr, {{6.5, 6.5}, {10.5, 8.5}, {6.5, 10.5}});
  else
    Polygon(cr, {{9.5, 6.5}, {5.5, 8.5}, {9.5, 10.5}});
  SetColor(cr, pal::kNavy);
  cairo_fill(cr);
}

// The pad's cross with one arm lit (0 up, 1 down, 2 left, 3 right).
void Cross(cairo_t* cr, int lit) {
  Polygon(cr, {{6, 2}, {10, 2}, {10, 6}, {14, 6}, {14, 10}, {10, 10}, {10, 14}, {6, 14}, {6, 10}, {2, 10},
               {2, 6}, {6, 6}});
  SetColor(cr, {0.45, 0.5, 0.65});
  cairo_fill(cr);
  const double arms[4][4] = {{6, 2, 4, 5}, {6, 9, 4, 5}, {2, 6, 5, 4}, {9, 6, 5, 4}};
  if (lit >= 0) {
    cairo_rectangle(cr, arms[lit][0], arms[lit][1], arms[lit][2], arms[lit][3]);
    SetColor(cr, pal::kWhite);
    cairo_fill(cr);
  }
}

// Controller icons in the order of the text escapes J K L I U O Q E F W S A D, then the two
// "pressed" pictures; set 0 for keys and mouse, set 1 (16 frames on) for game pads.
void IconGlyph(cairo_t* cr, Font& font, int set, int k) {
  static const char kLetters[] = "JKLIUOQEFWSAD";
  if (set == 0) {
    if (k == 8)
      KeyCap(cr, font, 0, false, true, true);  // a pressed direction key
    else if (k < 13)
      KeyCap(cr, font, kLetters[k], k == 4 || k == 5, false);
    else
      KeyCap(cr, font, 0, k == 14, true);
    return;
  }
  static const Rgb kFace[4] = {pal::kGreen, pal::kRed, pal::kBlue, pal::kYellow};
  static const char kFaceLetter[] = "ABXY";
  if (k < 4) {
    RoundButton(cr, font, kFace[k], kFaceLetter[k], false);
  } else if (k < 6) {
    Shoulder(cr, font, k == 4 ? 'L' : 'R', false);
  } else if (k < 8) {
    Pill(cr, k == 7);
  } else if (k == 8) {  // the pad's centre button
    Circle(cr, kCentre, kCentre, 5.5);
    SetColor(cr, {0.82, 0.86, 0.95});
    cairo_fill(cr);
    Circle(cr, kCentre, kCentre, 2.5);
    SetColor(cr, pal::kNavy);
    cairo_fill(cr);
  } else if (k < 13) {
    Cross(cr, k - 9);
  } else if (k == 13) {
    RoundButton(cr, font, {0.6, 0.65, 0.8}, 0, true);
  } else {
    Shoulder(cr, font, 0, true);
  }
}

void GameFontFrame(cairo_t* cr, int f, Font& text, Font& icons) {
  if (f >= 96 && f <= 126 && f != 111) {
    WithShadow(cr, [&] { IconGlyph(cr, icons, f >= 112 ? 1 : 0, f % 16); });
    return;
  }
  const uint32_t ch = 32 + f;
  if (f >= 96 || ch == 32 || ch == 127) return;
  WithShadow(cr, [&] {
    cairo_new_path(cr);
    CentredGlyph(cr, text, ch, kCentre, kBaseline, kGlyphSize);
    SetColor(cr, pal::kWhite);
    cairo_fill(cr);
  });
}

}  // namespace

bool MakeGameFont(const std::string& outDir, const Fonts& fonts) {
  return WriteSheet(outDir, *FindSheet("fonts/shadow_pelmar"),
                    [&](cairo_t* cr, int f) { GameFontFrame(cr, f, *fonts.sansBold, *fonts.sansBold); });
}

bool MakeDefaultFont(const std::string& outDir, const Fonts& fonts) {
  // 96 cells of 8 x 16 pixels, each inside a one-pixel transparent border left and right.
  constexpr int kCellW = 10, kCellH = 16;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kCellW * 96, kCellH);
  cairo_t* cr = cairo_create(surface);
  cairo_new_path(cr);
  for (int i = 1; i < 95; ++i) {
    CentredGlyph(cr, *fonts.mono, 32 + i, i * kCellW + kCellW / 2.0, 12, 12);
  }
  SetColor(cr, pal::kWhite);
  cairo_fill(cr);
  cairo_destroy(cr);
  const bool ok = WritePng(surface, outDir + "/vorn_font.png");
  cairo_surface_destroy(surface);
  if (!ok) std::fprintf(stderr, "datagen: cannot write vorn_font.png\n");
  return ok;
}

}  // namespace datagen
