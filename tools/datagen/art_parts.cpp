// The particle sheet: 64 small white sparks and star dots of varied shape and brightness. The game
// tints them for explosions and draws them as the star field.
#include <cmath>

#include "art.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

void Spark(cairo_t* cr, int f) {
  Rng rng(0x5eed0000u + static_cast<uint32_t>(f) * 7919u);
  const double b = 0.5 + 0.5 * rng.Next();  // brightness
  const double x = 2.0, y = 2.0;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (f % 8) {
    case 0:  // soft round dot
      SoftDot(cr, x, y, 1.6 + 0.4 * rng.Next(), pal::kWhite, b);
      break;
    case 1:  // hard pin-point
      Circle(cr, x, y, 0.75 + 0.25 * rng.Next());
      SetColor(cr, pal::kWhite, b);
      cairo_fill(cr);
      break;
    case 2:  // plus
      cairo_move_to(cr, x - 1.5, y);
      cairo_line_to(cr, x + 1.5, y);
      cairo_move_to(cr, x, y - 1.5);
      cairo_line_to(cr, x, y + 1.5);
      SetColor(cr, pal::kWhite, b);
      cairo_set_line_width(cr, 0.8);
      cairo_stroke(cr);
      break;
    case 3:  // diamond
      RegularPolygon(cr, x, y, 1.7, 4, 0);
      SetColor(cr, pal::kWhite, b);
      cairo_fill(cr);
      break;
    case 4:  // four-ray twinkle with a bright centre
      SoftDot(cr, x, y, 1.2, pal::kWhite, b);
      cairo_move_to(cr, x - 1.8, y - 1.8);
      cairo_line_to(cr, x + 1.8, y + 1.8);
      cairo_move_to(cr, x + 1.8, y - 1.8);
      cairo_line_to(cr, x - 1.8, y + 1.8);
      SetColor(cr, pal::kWhite, b * 0.6);
      cairo_set_line_width(cr, 0.5);
      cairo_stroke(cr);
      break;
    case 5:  // faint wide glow
      SoftDot(cr, x, y, 2.0, pal::kWhite, 0.6 * b, 0.0);
      break;
    case 6: {  // short streak at a random slant
      const double a = rng.Range(0, kPi);
      cairo_move_to(cr, x - 1.5 * std::cos(a), y - 1.5 * std::sin(a));
      cairo_line_to(cr, x + 1.5 * std::cos(a), y + 1.5 * std::sin(a));
      SetColor(cr, pal::kWhite, b);
      cairo_set_line_width(cr, 0.9);
      cairo_stroke(cr);
      break;
    }
    default:  // small ring
      Circle(cr, x, y, 1.2);
      SetColor(cr, pal::kWhite, b);
      cairo_set_line_width(cr, 0.6);
      cairo_stroke(cr);
      break;
  }
}

}  // namespace

bool MakeParts(const std::string& outDir) { return WriteSheet(outDir, *FindSheet("parts"), Spark); }

}  // namespace datagen
