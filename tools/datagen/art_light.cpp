// Soft glow sprites ("common/light") and the wheel's rings, disc and hub ("common/circle").
#include <cmath>

#include "art.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

void Light(cairo_t* cr, int f) {
  switch (f) {
    case 0:  // round glow
      SoftDot(cr, 16, 16, 16, pal::kWhite, 1.0);
      break;
    case 1:  // flare: glow with four rays
      SoftDot(cr, 16, 16, 11, pal::kWhite, 1.0);
      for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 16, 16);
        cairo_rotate(cr, i * kPi / 2);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, -15.5);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.9);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
        cairo_set_source(cr, p);
        Polygon(cr, {{-1.4, 0}, {0, -15.5}, {1.4, 0}});
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
      }
      break;
    case 2: {  // soft ring
      cairo_pattern_t* p = cairo_pattern_create_radial(16, 16, 0, 16, 16, 16);
      cairo_pattern_add_color_stop_rgba(p, 0.35, 1, 1, 1, 0);
      cairo_pattern_add_color_stop_rgba(p, 0.68, 1, 1, 1, 0.85);
      cairo_pattern_add_color_stop_rgba(p, 1.0, 1, 1, 1, 0);
      cairo_set_source(cr, p);
      cairo_paint(cr);
      cairo_pattern_destroy(p);
      break;
    }
    default:  // tight bright glow
      SoftDot(cr, 16, 16, 15, pal::kWhite, 0.35);
      SoftDot(cr, 16, 16, 6, pal::kWhite, 1.0);
      break;
  }
}

void CircleFrame(cairo_t* cr, int f) {
  const double c = 128;
  switch (f) {
    case 0:  // thin neon ring
      Circle(cr, c, c, 118);
      NeonStroke(cr, pal::kCyan, 3, 1.0);
      break;
    case 1: {  // the wheel's disc: deep blue glass with a bright rim and faint grooves
      cairo_pattern_t* p = cairo_pattern_create_radial(c, c - 30, 10, c, c, 122);
      cairo_pattern_add_color_stop_rgba(p, 0, 0.12, 0.25, 0.6, 0.95);
      cairo_pattern_add_color_stop_rgba(p, 1, 0.02, 0.04, 0.18, 0.95);
      cairo_set_source(cr, p);
      Circle(cr, c, c, 120);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      for (double r : {40.0, 70.0, 96.0}) {
        Circle(cr, c, c, r);
        SetColor(cr, pal::kCyan, 0.18);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
      }
      Circle(cr, c, c, 120);
      NeonStroke(cr, pal::kCyan, 4, 0.6);
      break;
    }
    case 2: {  // thick ring
      cairo_pattern_t* p = cairo_pattern_create_radial(c, c, 96, c, c, 124);
      cairo_pattern_add_color_stop_rgba(p, 0, 1.0, 0.25, 0.8, 0.0);
      cairo_pattern_add_color_stop_rgba(p, 0.5, 1.0, 0.25, 0.8, 0.55);
      cairo_pattern_add_color_stop_rgba(p, 1, 1.0, 0.25, 0.8, 0.0);
      cairo_set_source(cr, p);
      Circle(cr, c, c, 124);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      Circle(cr, c, c, 110);
      NeonStroke(cr, pal::kMagenta, 3, 0.5);
      break;
    }
    default: {  // the wheel's hub: a turning dial with the items' track and a tick every 7.5 degrees
      Circle(cr, c, c, 74);
      NeonStroke(cr, pal::kWhite, 2, 0.6);
      Circle(cr, c, c, 122);
      SetColor(cr, pal::kWhite, 0.35);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      Circle(cr, c, c, 44);
      SetColor(cr, pal::kWhite, 0.5);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      for (int i = 0; i < 48; ++i) {
        const double a = Rad(i * 7.5);
        const bool major = i % 6 == 0;
        const double r0 = major ? 106 : 112, r1 = 120;
        cairo_move_to(cr, c + r0 * std::sin(a), c - r0 * std::cos(a));
        cairo_line_to(cr, c + r1 * std::sin(a), c - r1 * std::cos(a));
        SetColor(cr, pal::kWhite, major ? 0.8 : 0.45);
        cairo_set_line_width(cr, major ? 2.5 : 1.5);
        cairo_stroke(cr);
        if (major) {
          Circle(cr, c + 52 * std::sin(a), c - 52 * std::cos(a), 2.5);
          SetColor(cr, pal::kWhite, 0.6);
          cairo_fill(cr);
        }
      }
      break;
    }
  }
}

}  // namespace

bool MakeLight(const std::string& outDir) { return WriteSheet(outDir, *FindSheet("common/light"), Light); }
bool MakeCircle(const std::string& outDir) { return WriteSheet(outDir, *FindSheet("common/circle"), CircleFrame); }

}  // namespace datagen
