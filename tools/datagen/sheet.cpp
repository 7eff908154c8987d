// Renders frame sheets at the three resolutions and writes them as PNG files.
#include "sheet.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace datagen {

const std::vector<Level>& Levels() {
  static const std::vector<Level> levels = {{1, ""}, {2, "-hd"}, {4, "-hd2"}};
  return levels;
}

const std::vector<SheetSpec>& AllSheets() {
  // Grids are chosen so that every sheet is a power of two wide and high at each level.
  static const std::vector<SheetSpec> sheets = {
      {"ships", 64, 64, 16, 4},
      {"parts", 4, 4, 64, 8},
      {"menu", 256, 256, 4, 2},
      {"logo", 256, 128, 1, 1},
      {"common/ZOLKLogo", 256, 256, 1, 1},
      {"common/icons", 32, 32, 16, 4},
      {"common/Buttons", 64, 64, 16, 4},
      {"common/dpad", 32, 32, 16, 4},
      {"common/circle", 256, 256, 4, 2},
      {"common/light", 32, 32, 4, 2},
      {"BadgesA", 64, 64, 64, 8},
      {"fonts/shadow_pelmar", 16, 16, 128, 16},
  };
  return sheets;
}

const SheetSpec* FindSheet(const std::string& name) {
  for (const SheetSpec& s : AllSheets())
    if (s.name == name) return &s;
  return nullptr;
}

bool MakeParentDirs(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] != '/') continue;
    std::string dir = path.substr(0, i);
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool WritePng(cairo_surface_t* surface, const std::string& path) {
  if (!MakeParentDirs(path)) return false;
  cairo_surface_flush(surface);
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool WriteSheet(const std::string& outDir, const SheetSpec& desc, const FrameFn& draw) {
  for (const Level& level : Levels()) {
    const int s = level.scale;
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, desc.frameW * desc.cols * s, desc.frameH * desc.rows() * s);
    cairo_t* cr = cairo_create(surface);
    for (int f = 0; f < desc.frames; ++f) {
      cairo_save(cr);
      cairo_translate(cr, (f % desc.cols) * desc.frameW * s, (f / desc.cols) * desc.frameH * s);
      cairo_rectangle(cr, 0, 0, desc.frameW * s, desc.frameH * s);
      cairo_clip(cr);
      cairo_scale(cr, s, s);
      draw(cr, f);
      cairo_restore(cr);
    }
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    const std::string path = outDir + "/" + desc.name + level.suffix + ".png";
    const bool ok = drawn && WritePng(surface, path);
    cairo_surface_destroy(surface);
    if (!ok) {
      std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace datagen
