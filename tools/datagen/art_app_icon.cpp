// The desktop icon: the player's fighter flying right over the night grid, on a rounded tile, drawn
// at each size the icon theme asks for rather than scaled from one bitmap.
#include <string>

#include "art.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

constexpr int kSizes[] = {48, 128, 256};

// The icon in a 64 x 64 design square.
void Icon(cairo_t* cr) {
  RoundedRect(cr, 2, 2, 60, 60, 11);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 2, 0, 62);
  cairo_pattern_add_color_stop_rgb(sky, 0, pal::kInk.r, pal::kInk.g, pal::kInk.b);
  cairo_pattern_add_color_stop_rgb(sky, 1, pal::kNavy.r, pal::kNavy.g, pal::kNavy.b);
  cairo_set_source(cr, sky);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(sky);
  cairo_save(cr);
  cairo_clip(cr);
  // The ground grid in perspective, as the game draws it under the play.
  for (int i = -4; i <= 4; ++i) {
    cairo_move_to(cr, 32 + i * 4, 40);
    cairo_line_to(cr, 32 + i * 16, 64);
  }
  for (double y : {42.0, 46.0, 52.0, 60.0}) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 64, y);
  }
  SetColor(cr, pal::kMagenta, 0.55);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // The fighter turned to face right, as it flies in the game.
  cairo_translate(cr, 32, 30);
  cairo_rotate(cr, Rad(90));
  cairo_scale(cr, 0.8, 0.8);
  cairo_translate(cr, -32, -32);
  DrawPlayerShip(cr);
  cairo_restore(cr);
  RoundedRect(cr, 2, 2, 60, 60, 11);
  NeonStroke(cr, pal::kCyan, 1.6, 0.5);
}

}  // namespace

bool MakeAppIcons(const std::string& outDir) {
  for (int size : kSizes) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / 64.0, size / 64.0);
    Icon(cr);
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    const std::string s = std::to_string(size);
    const bool ok = drawn && WritePng(surface, outDir + "/" + s + "x" + s + "/apps/vextrallis.png");
    cairo_surface_destroy(surface);
    if (!ok) return false;
  }
  return true;
}

}  // namespace datagen
