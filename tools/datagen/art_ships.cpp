// The ship sheet: the player's fighter, seven enemy ranks of growing menace and the enemy bullet.
// Every ship points up (nose at the top of its frame); the game turns them to face their way.
#include <cmath>
#include <utility>
#include <vector>

#include "art.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

constexpr double kC = 32.0;  // frame centre

// A closed hull mirrored about the vertical centre line, from the right half's points (dx, y)
// running from the nose to the tail.
void MirrorHull(cairo_t* cr, const std::vector<std::pair<double, double>>& half) {
  cairo_new_sub_path(cr);
  for (size_t i = 0; i < half.size(); ++i) {
    if (i == 0)
      cairo_move_to(cr, kC + half[i].first, half[i].second);
    else
      cairo_line_to(cr, kC + half[i].first, half[i].second);
  }
  for (size_t i = half.size(); i-- > 0;) cairo_line_to(cr, kC - half[i].first, half[i].second);
  cairo_close_path(cr);
}

// Dark glassy body fill with a vertical sheen, then the neon outline.
void Body(cairo_t* cr, Rgb c, double line) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 6, 0, 58);
  const Rgb top = Mix(pal::kNavy, c, 0.45), bottom = Mix(pal::kInk, c, 0.12);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, 0.95);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, 0.95);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  NeonStroke(cr, c, line, 0.8);
}

void Eye(cairo_t* cr, double x, double y, double r, Rgb c) {
  SoftDot(cr, x, y, r * 2.6, c, 0.8, 0.3);
  cairo_new_path(cr);
  Circle(cr, x, y, r);
  SetColor(cr, Lighten(c, 0.7));
  cairo_fill(cr);
}

}  // namespace

void DrawPlayerShip(cairo_t* cr) {
  SoftDot(cr, kC, 53, 11, pal::kOrange, 0.9, 0.7);  // engine flame
  MirrorHull(cr, {{0, 5}, {5, 20}, {8, 33}, {23, 46}, {24, 53}, {8, 48}, {4, 54}, {0, 54}});
  Body(cr, pal::kCyan, 2.2);
  // Wing stripes in the accent colour.
  for (int side : {-1, 1}) {
    cairo_move_to(cr, kC + side * 9, 37);
    cairo_line_to(cr, kC + side * 19, 47);
    NeonStroke(cr, pal::kMagenta, 1.4, 0.6);
  }
  // Canopy.
  cairo_save(cr);
  cairo_translate(cr, kC, 25);
  cairo_scale(cr, 3.2, 7.5);
  cairo_new_path(cr);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 18, 0, 32);
  cairo_pattern_add_color_stop_rgb(p, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.2, 0.7, 1.0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

namespace {

// Enemy ranks 1 to 7: bigger, spikier and redder-eyed as the rank grows.
void Enemy(cairo_t* cr, int rank) {
  static const Rgb colours[7] = {pal::kGreen, pal::kYellow, pal::kOrange, {1.0, 0.38, 0.2},
                                 pal::kMagenta, pal::kPurple, {1.0, 0.15, 0.3}};
  const Rgb c = colours[rank - 1];
  const Rgb eye = Mix(pal::kYellow, pal::kRed, (rank - 1) / 6.0);
  switch (rank) {
    case 1:  // scout: a small round pod with two fins
      MirrorHull(cr, {{0, 40}, {9, 44}, {14, 48}, {10, 38}});
      Body(cr, c, 1.8);
      cairo_new_path(cr);
      Circle(cr, kC, 30, 11);
      Body(cr, c, 2.0);
      Eye(cr, kC, 27, 3.2, eye);
      break;
    case 2:  // diamond with side pods
      cairo_move_to(cr, kC - 17, 36);
      cairo_line_to(cr, kC + 17, 36);
      NeonStroke(cr, c, 2.0, 0.6);
      for (int side : {-1, 1}) {
        cairo_new_path(cr);
        RoundedRect(cr, kC + side * 17 - 4, 27, 8, 18, 4);
        Body(cr, c, 1.8);
      }
      MirrorHull(cr, {{0, 12}, {12, 32}, {0, 50}});
      Body(cr, c, 2.2);
      Eye(cr, kC, 30, 3.4, eye);
      break;
    case 3:  // pincer: two prongs reaching forward
      MirrorHull(cr, {{0, 26}, {5, 20}, {9, 8}, {16, 22}, {18, 38}, {9, 48}, {0, 44}});
      Body(cr, c, 2.2);
      Eye(cr, kC, 34, 3.6, eye);
      break;
    case 4:  // gunship: a hexagon hull, swept fins and twin guns
      for (int side : {-1, 1}) {
        cairo_move_to(cr, kC + side * 7, 22);
        cairo_line_to(cr, kC + side * 7, 7);
        NeonStroke(cr, c, 2.2, 0.6);
      }
      MirrorHull(cr, {{0, 36}, {22, 26}, {25, 44}, {14, 46}});
      Body(cr, c, 1.8);
      cairo_new_path(cr);
      RegularPolygon(cr, kC, 33, 14, 6, 0);
      Body(cr, c, 2.2);
      Eye(cr, kC, 33, 4.0, eye);
      break;
    case 5:  // manta: wide swept wings with spines
      MirrorHull(cr, {{0, 6}, {6, 20}, {27, 36}, {29, 47}, {13, 41}, {7, 54}, {0, 48}});
      Body(cr, c, 2.2);
      for (int side : {-1, 1}) {
        cairo_move_to(cr, kC + side * 8, 26);
        cairo_line_to(cr, kC + side * 21, 38);
        NeonStroke(cr, Lighten(c, 0.3), 1.2, 0.4);
      }
      Eye(cr, kC, 27, 4.0, eye);
      break;
    case 6:  // heavy cruiser: broad wings, twin cannons, armoured spine
      for (int side : {-1, 1}) {
        cairo_new_path(cr);
        RoundedRect(cr, kC + side * 12 - 3, 4, 6, 24, 2);
        Body(cr, c, 1.6);
      }
      MirrorHull(cr, {{0, 10}, {8, 16}, {12, 28}, {29, 38}, {29, 50}, {16, 47}, {9, 57}, {0, 52}});
      Body(cr, c, 2.4);
      MirrorHull(cr, {{0, 20}, {5, 26}, {5, 44}, {0, 48}});
      Body(cr, Lighten(c, 0.3), 1.2);
      Eye(cr, kC, 31, 4.2, eye);
      break;
    default: {  // dreadnought: a spiked star with a burning slit eye
      cairo_new_path(cr);
      StarShape(cr, kC, 32, 29, 15, 9, 0);
      Body(cr, c, 2.2);
      cairo_new_path(cr);
      RegularPolygon(cr, kC, 32, 15, 9, 20);
      Body(cr, Lighten(c, 0.2), 1.4);
      SoftDot(cr, kC, 30, 13, eye, 0.9, 0.2);
      cairo_save(cr);
      cairo_translate(cr, kC, 30);
      cairo_scale(cr, 2.2, 6.5);
      cairo_new_path(cr);
      Circle(cr, 0, 0, 1);
      cairo_restore(cr);
      SetColor(cr, pal::kWhite);
      cairo_fill(cr);
      break;
    }
  }
}

// The enemy bullet's four frames: a hot plasma blob whose ring pulses and whose highlight circles.
// The game draws it squashed to 0.15 x 0.3, so the round blob becomes a bright elongated bolt.
void Bullet(cairo_t* cr, int step) {
  const double pulse[4] = {0.0, 0.6, 1.0, 0.4};
  // Nearly the whole frame is solid colour: squashed to a few pixels it must still read as a threat.
  cairo_pattern_t* p = cairo_pattern_create_radial(kC, kC, 0, kC, kC, 31.5);
  cairo_pattern_add_color_stop_rgba(p, 0.0, 1.0, 1.0, 1.0, 1.0);
  cairo_pattern_add_color_stop_rgba(p, 0.30 + 0.08 * pulse[step], 1.0, 0.75, 0.9, 1.0);
  cairo_pattern_add_color_stop_rgba(p, 0.62 + 0.06 * pulse[step], 1.0, 0.2, 0.65, 1.0);
  cairo_pattern_add_color_stop_rgba(p, 0.85, 0.9, 0.1, 0.55, 0.7);
  cairo_pattern_add_color_stop_rgba(p, 1.0, 0.8, 0.05, 0.5, 0.0);
  cairo_set_source(cr, p);
  Circle(cr, kC, kC, 31.5);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  const double a = Rad(45 + 90 * step);
  SoftDot(cr, kC + 9 * std::sin(a), kC - 9 * std::cos(a), 8, pal::kWhite, 0.9);
}

}  // namespace

bool MakeShips(const std::string& outDir) {
  return WriteSheet(outDir, *FindSheet("ships"), [](cairo_t* cr, int f) {
    if (f == 0)
      DrawPlayerShip(cr);
    else if (f >= 4 && f <= 10)
      Enemy(cr, f - 3);
    else if (f >= 12)
      Bullet(cr, f - 12);
  });
}

}  // namespace datagen
