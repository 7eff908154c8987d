// Fuzzes image loading on arbitrary bytes: decode from a stream, then hand the pixels to a surface (which
// premultiplies them) and release it, as the renderer does with every image file.
#include <cstdint>
#include <cstdio>

#include "graphics/gxtk_surface.h"
#include "host/media/image_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return 0;
  int width = 0, height = 0, depth = 0;
  unsigned char* pixels = LoadImageStream(f, &width, &height, &depth);
  fclose(f);
  if (!pixels) return 0;
  if (width <= 0 || height <= 0 || depth < 1 || depth > 4) __builtin_trap();
  // No window exists here, so the surface never touches OpenGL.
  gxtkSurface* surface = new gxtkSurface;
  surface->SetData(pixels, width, height, depth);
  surface->Discard();
  return 0;
}
