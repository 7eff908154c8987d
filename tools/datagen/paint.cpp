// Drawing helpers for the neon look (see paint.h).
#include "paint.h"

#include <cmath>

namespace datagen {

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb c, double t) { return Mix(c, pal::kWhite, t); }

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void NeonStroke(cairo_t* cr, Rgb c, double width, double glow) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (glow > 0) {
    // Wide faint passes first, so the halo fades smoothly outward.
    const double halo[][2] = {{5.0, 0.06}, {3.4, 0.10}, {2.2, 0.18}};
    for (const auto& h : halo) {
      SetColor(cr, c, h[1]);
      cairo_set_line_width(cr, width * (1.0 + (h[0] - 1.0) * glow));
      cairo_stroke_preserve(cr);
    }
  }
  SetColor(cr, c, 1.0);
  cairo_set_line_width(cr, width);
  cairo_stroke_preserve(cr);
  SetColor(cr, Lighten(c, 0.75), 0.9);
  cairo_set_line_width(cr, width * 0.38);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void FillKeep(cairo_t* cr, Rgb c, double alpha) {
  SetColor(cr, c, alpha);
  cairo_fill_preserve(cr);
}

void SoftDot(cairo_t* cr, double x, double y, double r, Rgb c, double alpha, double coreWhite) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
  const Rgb core = Lighten(c, coreWhite);
  cairo_pattern_add_color_stop_rgba(p, 0.0, core.r, core.g, core.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.25, c.r, c.g, c.b, alpha * 0.7);
  cairo_pattern_add_color_stop_rgba(p, 0.6, c.r, c.g, c.b, alpha * 0.22);
  cairo_pattern_add_color_stop_rgba(p, 1.0, c.r, c.g, c.b, 0.0);
  cairo_set_source(cr, p);
  cairo_new_path(cr);
  Circle(cr, x, y, r);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::fmin(r, std::fmin(w, h) * 0.5);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
  cairo_close_path(cr);
}

void Polygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> pts) {
  bool first = true;
  for (const auto& p : pts) {
    if (first)
      cairo_move_to(cr, p.first, p.second);
    else
      cairo_line_to(cr, p.first, p.second);
    first = false;
  }
  cairo_close_path(cr);
}

void RegularPolygon(cairo_t* cr, double cx, double cy, double r, int n, double rotDeg) {
  for (int i = 0; i < n; ++i) {
    const double a = Rad(rotDeg + 360.0 * i / n);
    const double x = cx + r * std::sin(a), y = cy - r * std::cos(a);
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

void StarShape(cairo_t* cr, double cx, double cy, double rOut, double rIn, int n, double rotDeg) {
  for (int i = 0; i < 2 * n; ++i) {
    const double a = Rad(rotDeg + 180.0 * i / n);
    const double r = (i % 2) ? rIn : rOut;
    const double x = cx + r * std::sin(a), y = cy - r * std::cos(a);
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_close_path(cr);
}

void Gear(cairo_t* cr, double cx, double cy, double rTip, double rRoot, int teeth, double rHole) {
  const double step = 2 * kPi / teeth;
  cairo_new_sub_path(cr);
  for (int i = 0; i < teeth; ++i) {
    const double a = i * step;
    // Root, flank up, tip land, flank down: a tooth takes ~45% of its pitch at the tip.
    const double pts[4][2] = {{a, rRoot}, {a + step * 0.18, rTip}, {a + step * 0.45, rTip},
                              {a + step * 0.63, rRoot}};
    for (const auto& p : pts) {
      const double x = cx + p[1] * std::sin(p[0]), y = cy - p[1] * std::cos(p[0]);
      if (i == 0 && &p == &pts[0])
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
    }
    cairo_arc(cr, cx, cy, rRoot, a + step * 0.63 - kPi / 2, a + step - kPi / 2);
  }
  cairo_close_path(cr);
  if (rHole > 0) {
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, rHole, 2 * kPi, 0);
    cairo_close_path(cr);
  }
}

double Rng::Next() {
  state_ = state_ * 1664525u + 1013904223u;
  return (state_ >> 8) * (1.0 / 16777216.0);
}

}  // namespace datagen
