// The drifting background shapes ("menu"), the title logo ("logo") and the maker's mark
// ("common/ZOLKLogo").
#include <cmath>

#include "art.h"
#include "glyphs.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

// Radial band of colour: transparent at r0, alpha at rMid, transparent at r1.
void Band(cairo_t* cr, double cx, double cy, double r0, double rMid, double r1, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
  const double m = (rMid - r0) / (r1 - r0);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, 0);
  cairo_pattern_add_color_stop_rgba(p, m, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_new_path(cr);
  Circle(cr, cx, cy, r1);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// Large, faint shapes: the game draws them at twice the size and half alpha behind play, so they
// stay soft-edged and dim to keep the field readable.
void MenuShape(cairo_t* cr, int f) {
  const double c = 128;
  switch (f) {
    case 0:  // halo: a soft ring with a fine inner line
      Band(cr, c, c, 50, 92, 126, {0.3, 0.35, 1.0}, 0.32);
      Circle(cr, c, c, 92);
      SetColor(cr, pal::kCyan, 0.22);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      Circle(cr, c, c, 70);
      SetColor(cr, pal::kCyan, 0.10);
      cairo_stroke(cr);
      break;
    case 1: {  // hexagon: faint glass with a brighter rim
      cairo_pattern_t* p = cairo_pattern_create_radial(c, c, 0, c, c, 112);
      cairo_pattern_add_color_stop_rgba(p, 0, 0.6, 0.3, 1.0, 0.0);
      cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.3, 1.0, 0.22);
      cairo_set_source(cr, p);
      RegularPolygon(cr, c, c, 104, 6, 0);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      RegularPolygon(cr, c, c, 104, 6, 0);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      for (double w : {14.0, 7.0, 2.5}) {
        SetColor(cr, pal::kPurple, w > 10 ? 0.05 : w > 5 ? 0.1 : 0.3);
        cairo_set_line_width(cr, w);
        cairo_stroke_preserve(cr);
      }
      cairo_new_path(cr);
      RegularPolygon(cr, c, c, 70, 6, 30);
      SetColor(cr, pal::kPurple, 0.14);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      break;
    }
    case 2: {  // nebula: overlapping clouds of teal, blue and magenta
      Rng rng(0xC10D5u);
      const Rgb tints[3] = {{0.1, 0.7, 0.9}, {0.3, 0.3, 1.0}, {0.9, 0.25, 0.8}};
      for (int i = 0; i < 14; ++i) {
        const double a = rng.Range(0, 2 * kPi), d = rng.Range(10, 66);
        const double r = rng.Range(40, 58);
        SoftDot(cr, c + d * std::cos(a), c + d * std::sin(a), r, tints[i % 3], rng.Range(0.14, 0.24));
      }
      break;
    }
    default: {  // nested triangles
      cairo_pattern_t* p = cairo_pattern_create_radial(c, c + 10, 0, c, c + 10, 110);
      cairo_pattern_add_color_stop_rgba(p, 0, 0.1, 0.8, 0.9, 0.18);
      cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.8, 0.9, 0.0);
      cairo_set_source(cr, p);
      RegularPolygon(cr, c, c + 12, 112, 3, 0);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      const double alpha[3] = {0.3, 0.2, 0.12};
      for (int i = 0; i < 3; ++i) {
        RegularPolygon(cr, c, c + 12, 108 - 30 * i, 3, 0);
        SetColor(cr, pal::kCyan, alpha[i]);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
      }
      break;
    }
  }
}

void Logo(cairo_t* cr, const Fonts& fonts) {
  const std::string title = "Vextrallis";
  const double size = 50;
  const double w = fonts.sansBold->Measure(title, size, -1.0);
  const double scale = std::fmin(1.0, 226.0 / (w + 14));  // the slant adds about 14 units
  cairo_save(cr);
  cairo_translate(cr, 128, 78);
  cairo_scale(cr, scale, 1.0);
  cairo_matrix_t skew = {1, 0, -0.22, 1, 0, 0};  // forward lean, arcade style
  cairo_transform(cr, &skew);
  cairo_new_path(cr);
  fonts.sansBold->TextPath(cr, title, -w / 2, 0, size, -1.0);
  cairo_restore(cr);  // the path stays, already placed; strokes below are not skewed
  // Neon halo behind, then the chrome fill, then a crisp outline.
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const double halo[][2] = {{14, 0.07}, {9, 0.12}, {5, 0.25}};
  for (const auto& h : halo) {
    SetColor(cr, pal::kMagenta, h[1]);
    cairo_set_line_width(cr, h[0]);
    cairo_stroke_preserve(cr);
  }
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 40, 0, 80);
  cairo_pattern_add_color_stop_rgb(fill, 0.0, 1.0, 1.0, 1.0);
  cairo_pattern_add_color_stop_rgb(fill, 0.45, 0.55, 0.95, 1.0);
  cairo_pattern_add_color_stop_rgb(fill, 0.55, 0.15, 0.55, 1.0);
  cairo_pattern_add_color_stop_rgb(fill, 1.0, 0.75, 0.3, 1.0);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  SetColor(cr, {1.0, 0.85, 1.0}, 0.9);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Speed lines underneath.
  cairo_move_to(cr, 30, 92);
  cairo_line_to(cr, 226, 92);
  NeonStroke(cr, pal::kCyan, 2.2, 0.7);
  cairo_move_to(cr, 58, 101);
  cairo_line_to(cr, 198, 101);
  NeonStroke(cr, pal::kMagenta, 1.6, 0.6);
  cairo_move_to(cr, 92, 108);
  cairo_line_to(cr, 164, 108);
  NeonStroke(cr, pal::kYellow, 1.2, 0.5);
}

void MakerMark(cairo_t* cr, const Fonts& fonts) {
  const double c = 128;
  // Hexagon plate.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 20, 0, 236);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.08, 0.12, 0.36, 0.95);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.02, 0.03, 0.12, 0.95);
  cairo_set_source(cr, p);
  RegularPolygon(cr, c, c, 112, 6, 30);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  NeonStroke(cr, pal::kCyan, 5, 0.8);
  RegularPolygon(cr, c, c, 98, 6, 30);
  SetColor(cr, pal::kCyan, 0.3);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // The Z: a bolt-like monogram.
  Polygon(cr, {{80, 56}, {176, 56}, {176, 72}, {112, 136}, {176, 136}, {176, 152}, {80, 152}, {80, 136},
               {144, 72}, {80, 72}});
  cairo_pattern_t* z = cairo_pattern_create_linear(0, 56, 0, 152);
  cairo_pattern_add_color_stop_rgb(z, 0, 1.0, 0.95, 0.5);
  cairo_pattern_add_color_stop_rgb(z, 1, 1.0, 0.45, 0.1);
  cairo_set_source(cr, z);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(z);
  NeonStroke(cr, pal::kOrange, 3, 0.9);
  // Name.
  const double size = 38;
  const double w = fonts.sansBold->Measure("ZOLK", size, 6);
  cairo_new_path(cr);
  fonts.sansBold->TextPath(cr, "ZOLK", c - w / 2, 200, size, 6);
  SetColor(cr, pal::kCyan, 0.25);
  cairo_set_line_width(cr, 6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColor(cr, pal::kWhite);
  cairo_fill(cr);
}

}  // namespace

bool MakeMenuShapes(const std::string& outDir) { return WriteSheet(outDir, *FindSheet("menu"), MenuShape); }

bool MakeLogo(const std::string& outDir, const Fonts& fonts) {
  return WriteSheet(outDir, *FindSheet("logo"), [&](cairo_t* cr, int) { Logo(cr, fonts); });
}

bool MakeMakerLogo(const std::string& outDir, const Fonts& fonts) {
  return WriteSheet(outDir, *FindSheet("common/ZOLKLogo"), [&](cairo_t* cr, int) { MakerMark(cr, fonts); });
}

}  // namespace datagen
