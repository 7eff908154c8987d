// User-interface sprites: "common/icons" (white line icons the game tints), "common/Buttons"
// (wheel plates, the three options gears, the language badge) and "common/dpad" (pad pieces).
#include <cmath>

#include "art.h"
#include "glyphs.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

const Rgb kIcon = pal::kWhite;

void IconStroke(cairo_t* cr, double w = 2.6) { NeonStroke(cr, kIcon, w, 0.5); }
void IconFill(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, kIcon, 0.15);
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  SetColor(cr, kIcon);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
}

void Speaker(cairo_t* cr) {
  Polygon(cr, {{5, 12.5}, {10, 12.5}, {16, 7}, {16, 25}, {10, 19.5}, {5, 19.5}});
  IconFill(cr);
}

void Icon(cairo_t* cr, int f, const Fonts& fonts) {
  switch (f) {
    case 0:  // pause
      RoundedRect(cr, 9, 7, 5, 18, 1.5);
      RoundedRect(cr, 18, 7, 5, 18, 1.5);
      IconFill(cr);
      break;
    case 1:  // quit: power symbol
      cairo_arc(cr, 16, 17, 9, Rad(-60), Rad(240));
      IconStroke(cr);
      cairo_move_to(cr, 16, 5);
      cairo_line_to(cr, 16, 15);
      IconStroke(cr);
      break;
    case 2:  // options
      Gear(cr, 16, 16, 12, 9, 8, 4);
      IconFill(cr);
      break;
    case 3:  // play / resume
      Polygon(cr, {{10, 6}, {25, 16}, {10, 26}});
      IconFill(cr);
      break;
    case 4:  // stop
      RoundedRect(cr, 8, 8, 16, 16, 2);
      IconFill(cr);
      break;
    case 5:  // music
      cairo_move_to(cr, 12.5, 23);
      cairo_line_to(cr, 12.5, 8);
      cairo_line_to(cr, 24, 5);
      cairo_line_to(cr, 24, 20);
      IconStroke(cr, 2.2);
      Circle(cr, 10, 23, 3.2);
      Circle(cr, 21.5, 20, 3.2);
      IconFill(cr);
      break;
    case 6:  // cursor: corner brackets that frame the chosen button, pointers on both sides
      for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 16, 16);
        cairo_rotate(cr, i * kPi / 2);
        cairo_move_to(cr, -12.5, -6);
        cairo_line_to(cr, -12.5, -12.5);
        cairo_line_to(cr, -6, -12.5);
        cairo_restore(cr);
      }
      IconStroke(cr, 2.0);
      Polygon(cr, {{3, 13}, {7, 16}, {3, 19}});
      Polygon(cr, {{29, 13}, {25, 16}, {29, 19}});
      IconFill(cr);
      break;
    case 7:  // sound on
      Speaker(cr);
      cairo_arc(cr, 17, 16, 5, Rad(-45), Rad(45));
      IconStroke(cr, 2);
      cairo_new_sub_path(cr);
      cairo_arc(cr, 17, 16, 10, Rad(-45), Rad(45));
      IconStroke(cr, 2);
      break;
    case 8:  // sound off
      Speaker(cr);
      cairo_move_to(cr, 20, 12);
      cairo_line_to(cr, 27, 20);
      cairo_move_to(cr, 27, 12);
      cairo_line_to(cr, 20, 20);
      IconStroke(cr, 2.2);
      break;
    case 9:  // full screen: corners pointing out
      for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 16, 16);
        cairo_rotate(cr, i * kPi / 2);
        cairo_move_to(cr, -12, -5);
        cairo_line_to(cr, -12, -12);
        cairo_line_to(cr, -5, -12);
        cairo_move_to(cr, -12, -12);
        cairo_line_to(cr, -6, -6);
        cairo_restore(cr);
      }
      IconStroke(cr, 2.2);
      break;
    case 10:  // window
      RoundedRect(cr, 5, 7, 22, 18, 2);
      IconStroke(cr, 2.2);
      cairo_rectangle(cr, 5, 7, 22, 5);
      IconFill(cr);
      break;
    case 11:  // trophy
      Polygon(cr, {{9, 5}, {23, 5}, {22, 13}, {16, 19}, {10, 13}});
      IconFill(cr);
      cairo_arc(cr, 9, 10, 4, Rad(90), Rad(270));
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, 23, 10, 4, Rad(90), Rad(-90));
      IconStroke(cr, 1.8);
      RoundedRect(cr, 10, 23, 12, 4, 1);
      IconFill(cr);
      cairo_move_to(cr, 16, 18);
      cairo_line_to(cr, 16, 23);
      IconStroke(cr, 2.5);
      break;
    case 12:  // star
      StarShape(cr, 16, 17, 12, 5, 5, 0);
      IconFill(cr);
      break;
    case 13:  // heart
      cairo_move_to(cr, 16, 27);
      cairo_curve_to(cr, 3, 18, 5, 5, 16, 11);
      cairo_curve_to(cr, 27, 5, 29, 18, 16, 27);
      cairo_close_path(cr);
      IconFill(cr);
      break;
    case 14:  // info
      Circle(cr, 16, 16, 12);
      IconStroke(cr, 2.2);
      cairo_new_path(cr);
      fonts.sansBold->GlyphPath(cr, 'i', 13.2, 23, 17);
      SetColor(cr, kIcon);
      cairo_fill(cr);
      break;
    default:  // back: hooked arrow
      cairo_move_to(cr, 26, 24);
      cairo_line_to(cr, 26, 17);
      cairo_arc_negative(cr, 20, 17, 6, 0, -kPi / 2);
      cairo_line_to(cr, 9, 11);
      IconStroke(cr, 2.4);
      Polygon(cr, {{4, 11}, {11, 5}, {11, 17}});
      IconFill(cr);
      break;
  }
}

// Wheel item plates: a chamfered bar with a dark glass body and a neon rim, room for a label.
void Plate(cairo_t* cr, Rgb c) {
  Polygon(cr, {{8, 19}, {56, 19}, {63, 32}, {56, 45}, {8, 45}, {1, 32}});
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 19, 0, 45);
  const Rgb top = Mix(pal::kNavy, c, 0.55), bottom = Mix(pal::kInk, c, 0.2);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, 0.92);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, 0.92);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  NeonStroke(cr, c, 2, 0.7);
  cairo_move_to(cr, 10, 22.5);
  cairo_line_to(cr, 54, 22.5);
  SetColor(cr, Lighten(c, 0.6), 0.45);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Metallic gear with a coloured edge; used as the options button, three nested and turning.
void GearPiece(cairo_t* cr, double tip, double root, int teeth, double hole, Rgb c) {
  Gear(cr, 32, 32, tip, root, teeth, hole);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 32 - tip, 0, 32 + tip);
  const Rgb hi = Mix({0.75, 0.8, 0.9}, c, 0.3), lo = Mix({0.2, 0.24, 0.35}, c, 0.25);
  cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  NeonStroke(cr, c, 1.2, 0.6);
}

void Button(cairo_t* cr, int f, const Fonts& fonts) {
  static const Rgb plates[6] = {pal::kGreen, pal::kYellow, pal::kRed, pal::kCyan, pal::kPurple, pal::kBlue};
  // Tooth counts 24:12:6 make every gear's teeth pass at the same speed when the game turns them
  // at rates 1, 2 and 4 in alternating directions, so the nested gears read as one meshing train.
  if (f < 6) {
    Plate(cr, plates[f]);
    return;
  }
  switch (f) {
    case 6:  // round button
      Circle(cr, 32, 32, 22);
      FillKeep(cr, Mix(pal::kNavy, pal::kCyan, 0.3), 0.9);
      NeonStroke(cr, pal::kCyan, 2.5, 0.7);
      break;
    case 7:  // square button
      RoundedRect(cr, 10, 10, 44, 44, 8);
      FillKeep(cr, Mix(pal::kNavy, pal::kMagenta, 0.3), 0.9);
      NeonStroke(cr, pal::kMagenta, 2.5, 0.7);
      break;
    case 8:
      GearPiece(cr, 31, 27.5, 24, 21.5, pal::kCyan);
      break;
    case 9:
      GearPiece(cr, 19.5, 16, 12, 10.5, pal::kMagenta);
      break;
    case 10:
      GearPiece(cr, 9.5, 6.2, 6, 2.6, pal::kYellow);
      break;
    case 11:  // ring
      Circle(cr, 32, 32, 22);
      NeonStroke(cr, pal::kYellow, 3, 0.8);
      break;
    case 12: {  // "coded in" badge naming the language of this program
      RoundedRect(cr, 6, 14, 52, 36, 7);
      cairo_pattern_t* p = cairo_pattern_create_linear(0, 14, 0, 50);
      cairo_pattern_add_color_stop_rgb(p, 0, 0.2, 0.45, 0.95);
      cairo_pattern_add_color_stop_rgb(p, 1, 0.05, 0.15, 0.5);
      cairo_set_source(cr, p);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(p);
      NeonStroke(cr, pal::kCyan, 1.6, 0.6);
      const double w = fonts.sansBold->Measure("C++", 20, -0.5);
      cairo_new_path(cr);
      fonts.sansBold->TextPath(cr, "C++", 32 - w / 2, 39, 20, -0.5);
      SetColor(cr, pal::kWhite);
      cairo_fill(cr);
      break;
    }
    case 13:  // left arrow plate
    case 14: {  // right arrow plate
      Circle(cr, 32, 32, 20);
      FillKeep(cr, Mix(pal::kNavy, pal::kCyan, 0.25), 0.9);
      NeonStroke(cr, pal::kCyan, 2, 0.6);
      const double d = f == 13 ? -1 : 1;
      Polygon(cr, {{32 + 9 * d, 32}, {32 - 6 * d, 22}, {32 - 6 * d, 42}});
      SetColor(cr, pal::kWhite);
      cairo_fill(cr);
      break;
    }
    default:  // tick box
      RoundedRect(cr, 14, 14, 36, 36, 5);
      NeonStroke(cr, pal::kGreen, 2.5, 0.7);
      cairo_move_to(cr, 21, 32);
      cairo_line_to(cr, 29, 41);
      cairo_line_to(cr, 44, 22);
      NeonStroke(cr, pal::kWhite, 3.5, 0.4);
      break;
  }
}

void PadButton(cairo_t* cr, Rgb c, const char* letter, const Fonts& fonts) {
  Circle(cr, 16, 16, 12);
  FillKeep(cr, Mix(pal::kInk, c, 0.35), 0.9);
  NeonStroke(cr, c, 2, 0.6);
  double x0, y0, x1, y1;
  fonts.sansBold->InkBox(static_cast<unsigned char>(letter[0]), 14, Hint::kNone, &x0, &y0, &x1, &y1);
  cairo_new_path(cr);
  fonts.sansBold->GlyphPath(cr, static_cast<unsigned char>(letter[0]), 16 - (x0 + x1) / 2, 16 - (y0 + y1) / 2, 14);
  SetColor(cr, Lighten(c, 0.7));
  cairo_fill(cr);
}

void Arrow(cairo_t* cr, double rotDeg, bool plate) {
  cairo_save(cr);
  cairo_translate(cr, 16, 16);
  cairo_rotate(cr, Rad(rotDeg));
  if (plate) {
    RoundedRect(cr, -12, -12, 24, 24, 5);
    FillKeep(cr, Mix(pal::kNavy, pal::kCyan, 0.25), 0.85);
    NeonStroke(cr, pal::kCyan, 1.8, 0.6);
  }
  Polygon(cr, {{0, -8}, {7, 3}, {-7, 3}});
  SetColor(cr, pal::kWhite);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DpadPiece(cairo_t* cr, int f, const Fonts& fonts) {
  if (f < 4) {
    Arrow(cr, 90.0 * f, true);  // up, right, down, left
    return;
  }
  if (f >= 5 && f <= 8) {
    Arrow(cr, 45.0 + 90.0 * (f - 5), false);  // diagonals
    return;
  }
  switch (f) {
    case 4:  // centre nub
      Circle(cr, 16, 16, 8);
      FillKeep(cr, Mix(pal::kNavy, pal::kCyan, 0.3), 0.9);
      NeonStroke(cr, pal::kCyan, 1.8, 0.6);
      break;
    case 9:  // whole cross
      Polygon(cr, {{12, 3}, {20, 3}, {20, 12}, {29, 12}, {29, 20}, {20, 20}, {20, 29}, {12, 29}, {12, 20},
                   {3, 20}, {3, 12}, {12, 12}});
      FillKeep(cr, Mix(pal::kNavy, pal::kCyan, 0.25), 0.9);
      NeonStroke(cr, pal::kCyan, 1.6, 0.6);
      for (int i = 0; i < 4; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 16, 16);
        cairo_rotate(cr, i * kPi / 2);
        Polygon(cr, {{0, -11}, {3, -7}, {-3, -7}});
        cairo_restore(cr);
      }
      SetColor(cr, pal::kWhite);
      cairo_fill(cr);
      break;
    case 10:  // stick base
      Circle(cr, 16, 16, 14);
      FillKeep(cr, pal::kNavy, 0.5);
      NeonStroke(cr, pal::kBlue, 2, 0.6);
      break;
    case 11:  // stick knob
      SoftDot(cr, 16, 16, 15, pal::kCyan, 0.6);
      Circle(cr, 16, 16, 8);
      FillKeep(cr, Lighten(pal::kCyan, 0.5), 1.0);
      NeonStroke(cr, pal::kCyan, 1.5, 0.3);
      break;
    case 12:
      PadButton(cr, pal::kGreen, "A", fonts);
      break;
    case 13:
      PadButton(cr, pal::kRed, "B", fonts);
      break;
    case 14:
      PadButton(cr, pal::kBlue, "X", fonts);
      break;
    default:
      PadButton(cr, pal::kYellow, "Y", fonts);
      break;
  }
}

}  // namespace

bool MakeIcons(const std::string& outDir, const Fonts& fonts) {
  return WriteSheet(outDir, *FindSheet("common/icons"), [&](cairo_t* cr, int f) { Icon(cr, f, fonts); });
}

bool MakeButtons(const std::string& outDir, const Fonts& fonts) {
  return WriteSheet(outDir, *FindSheet("common/Buttons"), [&](cairo_t* cr, int f) { Button(cr, f, fonts); });
}

bool MakeDpad(const std::string& outDir, const Fonts& fonts) {
  return WriteSheet(outDir, *FindSheet("common/dpad"), [&](cairo_t* cr, int f) { DpadPiece(cr, f, fonts); });
}

}  // namespace datagen
