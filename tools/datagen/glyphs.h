// Glyph outlines from a packaged TrueType font (FreeType), turned into cairo paths.
#pragma once
#include <cairo.h>
#include <cstdint>
#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace datagen {

// How outlines are fitted to the pixel grid of their size: not at all (large or scaled text), on the
// vertical axis only, or on both axes (the crisp, pixel-aligned look of the small game font).
enum class Hint { kNone, kVertical, kFull };

class Font {
 public:
  Font() = default;
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // Opens a font file of the DejaVu family from the system font folder; false when it is missing.
  bool Load(const std::string& fileName);

  // Appends the outline of one character to the current path with its baseline origin at (x, y),
  // at `size` pixels per em, fitted to that size's pixel grid as `hint` says. Returns the advance width; 0 for characters the font lacks.
  double GlyphPath(cairo_t* cr, uint32_t ch, double x, double y, double size, Hint hint = Hint::kNone);
  double TextPath(cairo_t* cr, const std::string& text, double x, double y, double size,
                  double tracking = 0);
  double Measure(const std::string& text, double size, double tracking = 0);
  // Ink box of one character at `size`, relative to the baseline origin (y grows downward).
  bool InkBox(uint32_t ch, double size, Hint hint, double* x0, double* y0, double* x1, double* y1);

 private:
  bool LoadGlyph(uint32_t ch, double size, Hint hint);
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace datagen
