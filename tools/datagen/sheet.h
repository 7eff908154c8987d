// Frame sheets: one drawing function per image, rendered at 1x, 2x and 4x into exact frame grids.
#pragma once
#include <cairo.h>
#include <functional>
#include <string>
#include <vector>

namespace datagen {

// One image of the data folder: logical frame size, frame count and the grid's column count.
struct SheetSpec {
  std::string name;  // asset name without suffix, e.g. "common/icons"
  int frameW, frameH, frames, cols;
  int rows() const { return (frames + cols - 1) / cols; }
};

// Draws frame `frame` in logical units; the origin is the frame's top-left corner and drawing is
// clipped to the frame, so one description serves every resolution.
using FrameFn = std::function<void(cairo_t* cr, int frame)>;

// The three levels every image is written at and their file-name suffixes.
struct Level { int scale; const char* suffix; };
const std::vector<Level>& Levels();

// Every image the game loads, with its grid; the contact sheet and the tests use the same list.
const std::vector<SheetSpec>& AllSheets();
const SheetSpec* FindSheet(const std::string& name);

// Renders the sheet at each level and writes outDir/name{,-hd,-hd2}.png. Returns false on failure.
bool WriteSheet(const std::string& outDir, const SheetSpec& desc, const FrameFn& draw);

// Writes an ARGB surface as an RGBA PNG, creating parent folders. Returns false on failure.
bool WritePng(cairo_surface_t* surface, const std::string& path);

// Creates every missing folder of a path's parent.
bool MakeParentDirs(const std::string& path);

}  // namespace datagen
