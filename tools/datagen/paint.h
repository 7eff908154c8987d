// Drawing helpers for the neon look: colours, glowing strokes, soft glows and common shapes.
#pragma once
#include <cairo.h>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace datagen {

struct Rgb {
  double r, g, b;
};

// The shared palette, so every sheet speaks the same colours.
namespace pal {
constexpr Rgb kWhite{1.0, 1.0, 1.0};
constexpr Rgb kCyan{0.20, 0.90, 1.00};
constexpr Rgb kBlue{0.25, 0.45, 1.00};
constexpr Rgb kMagenta{1.00, 0.25, 0.80};
constexpr Rgb kPink{1.00, 0.35, 0.55};
constexpr Rgb kPurple{0.62, 0.35, 1.00};
constexpr Rgb kYellow{1.00, 0.92, 0.30};
constexpr Rgb kOrange{1.00, 0.58, 0.15};
constexpr Rgb kRed{1.00, 0.22, 0.22};
constexpr Rgb kGreen{0.35, 1.00, 0.45};
constexpr Rgb kNavy{0.04, 0.06, 0.22};
constexpr Rgb kInk{0.02, 0.03, 0.10};
}  // namespace pal

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighten(Rgb c, double t);  // toward white by t
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Strokes the current path as a neon tube: a soft coloured halo, the coloured line and a pale core.
// `glow` scales the halo; the path is consumed.
void NeonStroke(cairo_t* cr, Rgb c, double width, double glow = 1.0);
// Fills the current path with a flat colour and alpha, keeping the path.
void FillKeep(cairo_t* cr, Rgb c, double alpha);
// A round glow: colour at the centre fading to transparent at radius r.
void SoftDot(cairo_t* cr, double x, double y, double r, Rgb c, double alpha, double coreWhite = 0.0);

// Path builders (each starts a new sub-path; none strokes or fills).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Polygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> pts);
void RegularPolygon(cairo_t* cr, double cx, double cy, double r, int n, double rotDeg);
void StarShape(cairo_t* cr, double cx, double cy, double rOut, double rIn, int n, double rotDeg);
void Circle(cairo_t* cr, double cx, double cy, double r);
// A gear outline with trapezoid teeth between the root and tip radii, plus a round hole.
void Gear(cairo_t* cr, double cx, double cy, double rTip, double rRoot, int teeth, double rHole);

// Deterministic random numbers for procedural detail (same sequence on every run).
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed) {}
  double Next();  // in [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }
  int Int(int lo, int hi) { return lo + static_cast<int>(Next() * (hi - lo + 1)); }

 private:
  uint32_t state_;
};

constexpr double kPi = 3.14159265358979323846;
inline double Rad(double deg) { return deg * kPi / 180.0; }

}  // namespace datagen
