// Badge emblems ("BadgesA"): 64 distinct medals, one per badge number; 0 is the test badge.
#include <cmath>

#include "art.h"
#include "glyphs.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

const Rgb kColours[8] = {pal::kCyan, pal::kMagenta, pal::kYellow, pal::kGreen,
                         pal::kOrange, pal::kPurple, pal::kRed, pal::kBlue};

void ShapePath(cairo_t* cr, int shape) {
  switch (shape) {
    case 0: Circle(cr, 32, 32, 25); break;
    case 1:  // shield
      cairo_move_to(cr, 32, 6);
      cairo_line_to(cr, 54, 14);
      cairo_curve_to(cr, 54, 38, 46, 50, 32, 58);
      cairo_curve_to(cr, 18, 50, 10, 38, 10, 14);
      cairo_close_path(cr);
      break;
    case 2: RegularPolygon(cr, 32, 32, 26, 6, 0); break;
    case 3: StarShape(cr, 32, 32, 28, 20, 12, 0); break;
    case 4: RegularPolygon(cr, 32, 32, 27, 4, 0); break;
    case 5: RegularPolygon(cr, 32, 33, 26, 5, 0); break;
    case 6: RegularPolygon(cr, 32, 32, 26, 8, 22.5); break;
    default: RoundedRect(cr, 9, 9, 46, 46, 9); break;
  }
}

void Symbol(cairo_t* cr, int symbol) {
  cairo_new_path(cr);
  switch (symbol) {
    case 0: StarShape(cr, 32, 33, 12, 5, 5, 0); break;
    case 1: Polygon(cr, {{35, 17}, {24, 35}, {31, 35}, {28, 48}, {40, 29}, {33, 29}}); break;  // bolt
    case 2: Polygon(cr, {{32, 20}, {44, 32}, {40, 36}, {32, 28}, {24, 36}, {20, 32}}); break;  // chevron
    case 3:  // heart
      cairo_move_to(cr, 32, 44);
      cairo_curve_to(cr, 20, 36, 22, 23, 32, 28);
      cairo_curve_to(cr, 42, 23, 44, 36, 32, 44);
      cairo_close_path(cr);
      break;
    case 4: Polygon(cr, {{21, 40}, {21, 25}, {26.5, 32}, {32, 22}, {37.5, 32}, {43, 25}, {43, 40}}); break;  // crown
    case 5:  // plus
      Polygon(cr, {{29, 20}, {35, 20}, {35, 29}, {44, 29}, {44, 35}, {35, 35}, {35, 44}, {29, 44}, {29, 35},
                   {20, 35}, {20, 29}, {29, 29}});
      break;
    case 6:  // ring with a dot
      Circle(cr, 32, 32, 11);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, 32, 32, 7, 2 * kPi, 0);
      Circle(cr, 32, 32, 3);
      break;
    default: RegularPolygon(cr, 32, 34, 12, 3, 0); break;
  }
  SetColor(cr, pal::kWhite);
  cairo_fill(cr);
}

void Badge(cairo_t* cr, int f) {
  if (f == 0) {  // the test badge: a gold medal on a ribbon with a tick
    Polygon(cr, {{20, 36}, {28, 36}, {24, 60}, {19, 55}, {13, 58}});
    Polygon(cr, {{36, 36}, {44, 36}, {51, 58}, {45, 55}, {40, 60}});
    SetColor(cr, pal::kRed);
    cairo_fill(cr);
    Circle(cr, 32, 28, 21);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 8, 0, 48);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.95, 0.55);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.85, 0.5, 0.05);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    NeonStroke(cr, pal::kYellow, 2, 0.7);
    cairo_move_to(cr, 23, 28);
    cairo_line_to(cr, 30, 35);
    cairo_line_to(cr, 42, 20);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, {0.45, 0.2, 0.0});
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    return;
  }
  const int shape = f % 8, colour = f / 8, symbol = (f * 3 + f / 8) % 8;
  const Rgb c = kColours[colour];
  ShapePath(cr, shape);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 6, 0, 58);
  const Rgb top = Mix(pal::kNavy, c, 0.7), bottom = Mix(pal::kInk, c, 0.25);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  NeonStroke(cr, c, 2.2, 0.6);
  Symbol(cr, symbol);
}

}  // namespace

bool MakeBadges(const std::string& outDir, const Fonts&) {
  return WriteSheet(outDir, *FindSheet("BadgesA"), Badge);
}

}  // namespace datagen
