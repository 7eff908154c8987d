// Contact sheet: one PNG showing every image's frames, numbered, on a dark background, for review.
#include "contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "glyphs.h"
#include "paint.h"
#include "sheet.h"

namespace datagen {
namespace {

constexpr int kPageW = 1800, kMargin = 16, kGap = 6, kLabelH = 14, kTitleH = 28;

struct Entry {
  std::string title;
  cairo_surface_t* image;  // the 2x file (or the 1x default font)
  int frameW, frameH, frames, cols;
  int padX;        // pixels of border left and right of each frame
  double display;  // display scale of the file's pixels
};

int CellW(const Entry& e) { return static_cast<int>(std::lround((e.frameW - 2 * e.padX) * e.display)); }
int CellH(const Entry& e) { return static_cast<int>(std::lround(e.frameH * e.display)); }
int PerRow(const Entry& e) { return std::max(1, (kPageW - 2 * kMargin + kGap) / (std::max(CellW(e), 24) + kGap)); }
int BlockH(const Entry& e) {
  const int rows = (e.frames + PerRow(e) - 1) / PerRow(e);
  return kTitleH + rows * (CellH(e) + kLabelH + kGap) + kMargin;
}

void Label(cairo_t* cr, Font& font, const std::string& text, double x, double y, double size, Rgb c) {
  cairo_new_path(cr);
  font.TextPath(cr, text, x, y, size);
  SetColor(cr, c);
  cairo_fill(cr);
}

void DrawEntry(cairo_t* cr, Font& font, const Entry& e, int top) {
  Label(cr, font, e.title, kMargin, top + 18, 15, pal::kYellow);
  const int cw = CellW(e), ch = CellH(e), per = PerRow(e);
  for (int f = 0; f < e.frames; ++f) {
    const int x = kMargin + (f % per) * (std::max(cw, 24) + kGap);
    const int y = top + kTitleH + (f / per) * (ch + kLabelH + kGap);
    cairo_rectangle(cr, x - 0.5, y - 0.5, cw + 1, ch + 1);
    SetColor(cr, {0.16, 0.2, 0.4});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const int sx = (f % e.cols) * e.frameW + e.padX, sy = (f / e.cols) * e.frameH;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, cw, ch);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, e.display, e.display);
    cairo_set_source_surface(cr, e.image, -sx, -sy);
    // Enlarged small frames keep their pixels visible; reduced ones are smoothed.
    cairo_pattern_set_filter(cairo_get_source(cr), e.display > 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    Label(cr, font, std::to_string(f), x + 1, y + ch + 11, 10, {0.6, 0.7, 0.9});
  }
}

}  // namespace

bool WriteContactSheet(const std::string& outPng, const std::string& dataDir) {
  Font font;
  if (!font.Load("DejaVuSans.ttf")) {
    std::fprintf(stderr, "datagen: font missing\n");
    return false;
  }
  std::vector<Entry> entries;
  bool ok = true;
  auto open = [&](const std::string& path) -> cairo_surface_t* {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "datagen: cannot read %s\n", path.c_str());
      cairo_surface_destroy(s);
      ok = false;
      return nullptr;
    }
    return s;
  };
  for (const SheetSpec& desc : AllSheets()) {
    cairo_surface_t* s = open(dataDir + "/" + desc.name + "-hd.png");
    if (!s) continue;
    Entry e{desc.name + "-hd.png   " + std::to_string(desc.frameW) + " x " + std::to_string(desc.frameH) +
                " x " + std::to_string(desc.frames),
            s, desc.frameW * 2, desc.frameH * 2, desc.frames, desc.cols, 0, 1.0};
    const int big = std::max(e.frameW, e.frameH);
    e.display = big > 160 ? 160.0 / big : big < 32 ? 32.0 / big : 1.0;
    if (desc.name == "fonts/shadow_pelmar") e.display = 1.5;
    entries.push_back(e);
  }
  if (cairo_surface_t* s = open(dataDir + "/vorn_font.png")) {
    const int w = cairo_image_surface_get_width(s) / 96;
    entries.push_back({"vorn_font.png   96 glyphs, 1-pixel border left and right", s, w,
                       cairo_image_surface_get_height(s), 96, 96, 1, 2.0});
  }
  int height = kMargin;
  for (const Entry& e : entries) height += BlockH(e);
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPageW, height);
  cairo_t* cr = cairo_create(page);
  cairo_set_source_rgb(cr, 0.0, 0.0, 40 / 255.0);  // the play field's blue
  cairo_paint(cr);
  int top = kMargin;
  for (const Entry& e : entries) {
    DrawEntry(cr, font, e, top);
    top += BlockH(e);
    cairo_surface_destroy(e.image);
  }
  cairo_destroy(cr);
  ok = WritePng(page, outPng) && ok;
  cairo_surface_destroy(page);
  return ok;
}

}  // namespace datagen
