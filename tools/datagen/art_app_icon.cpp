// The desktop icon: the player's fighter flying right over the night grid, on a rounded tile, drawn
// at each size the icon theme (and the Windows program's icon file) asks for rather than scaled from one
// bitmap.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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

namespace {

// The icon drawn at `size` pixels; null when drawing failed.
cairo_surface_t* DrawIcon(int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, size / 64.0, size / 64.0);
  Icon(cr);
  const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  if (drawn) return surface;
  cairo_surface_destroy(surface);
  return nullptr;
}

cairo_status_t AppendBytes(void* out, const unsigned char* data, unsigned int length) {
  static_cast<std::vector<unsigned char>*>(out)->insert(static_cast<std::vector<unsigned char>*>(out)->end(),
                                                          data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

void PutLe(std::vector<unsigned char>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

bool MakeAppIcons(const std::string& outDir) {
  for (int size : kSizes) {
    cairo_surface_t* surface = DrawIcon(size);
    const std::string s = std::to_string(size);
    const bool ok = surface && WritePng(surface, outDir + "/" + s + "x" + s + "/apps/vextrallis.png");
    if (surface) cairo_surface_destroy(surface);
    if (!ok) return false;
  }
  return true;
}

bool MakeWindowsIcon(const std::string& path) {
  // An icon file of PNG images (Windows reads PNG entries since Vista), one drawn per size the shell uses:
  // a 6-byte header, a 16-byte entry per image, then the images.
  static const int kIcoSizes[] = {16, 32, 48, 256};
  std::vector<std::vector<unsigned char>> images;
  for (int size : kIcoSizes) {
    cairo_surface_t* surface = DrawIcon(size);
    if (!surface) return false;
    images.emplace_back();
    const bool ok = cairo_surface_write_to_png_stream(surface, AppendBytes, &images.back()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) return false;
  }
  std::vector<unsigned char> ico;
  PutLe(ico, 0, 2);  // reserved
  PutLe(ico, 1, 2);  // an icon, not a cursor
  PutLe(ico, uint32_t(images.size()), 2);
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = kIcoSizes[i];
    ico.push_back(uint8_t(size == 256 ? 0 : size));  // 0 stands for 256
    ico.push_back(uint8_t(size == 256 ? 0 : size));
    ico.push_back(0);  // no palette
    ico.push_back(0);
    PutLe(ico, 1, 2);   // colour planes
    PutLe(ico, 32, 2);  // bits per pixel
    PutLe(ico, uint32_t(images[i].size()), 4);
    PutLe(ico, offset, 4);
    offset += uint32_t(images[i].size());
  }
  for (const auto& image : images) ico.insert(ico.end(), image.begin(), image.end());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(ico.data(), 1, ico.size(), f) == ico.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace datagen
