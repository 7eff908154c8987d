// The renderer's surface making and pixel transfer: loading and creating surfaces, reading the screen,
// writing ints into a surface.
#include "graphics/gl_headers.h"

#include <cstdint>
#include <vector>

#include "graphics/gxtk_graphics.h"
#include "host/host.h"  // RtGame::_game->LoadImageData

namespace {

// Whether rows of `w` elements, `pitch` apart, starting at `offset`, lie inside an array of `length`.
bool RowsFit(int length, int offset, int pitch, int w, int h) {
  if (w <= 0 || h <= 0 || offset < 0 || pitch < 0) return false;
  int64_t last = int64_t(offset) + int64_t(h - 1) * pitch + w;
  return last <= length;
}

}  // namespace

gxtkSurface* gxtkGraphics::LoadSurface(String path) {
  gxtkSurface* surface = new gxtkSurface;
  if (!LoadSurface__UNSAFE__(surface, path)) return nullptr;
  surface->Bind();
  return surface;
}

gxtkSurface* gxtkGraphics::CreateSurface(int w, int h) {
  gxtkSurface* surface = new gxtkSurface;
  surface->width = w > 0 ? w : 0;
  surface->height = h > 0 ? h : 0;
  surface->depth = 4;
  surface->format = GL_RGBA;
  surface->Prepare();
  return surface;
}

bool gxtkGraphics::LoadSurface__UNSAFE__(gxtkSurface* surface, String path) {
  if (!RtGame::_game || !surface) return false;
  int w = 0, h = 0, depth = 0;
  unsigned char* data = RtGame::_game->LoadImageData(path, &w, &h, &depth);
  if (!data) return false;
  surface->SetData(data, w, h, depth);
  return true;
}

int gxtkGraphics::ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch) {
  if (batchCount) Flush();
  if (!RowsFit(pixels.Length(), offset, pitch, w, h)) return 0;
  std::vector<uint32_t> buf(size_t(w) * size_t(h));
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, height - y - h, w, h, GL_BGRA, GL_UNSIGNED_BYTE, buf.data());
  // OpenGL returns the bottom row first; the top screen row goes to `offset`.
  for (int row = 0; row < h; ++row) {
    const uint32_t* src = buf.data() + size_t(h - 1 - row) * size_t(w);
    int* dst = pixels.Data() + offset + row * pitch;
    for (int col = 0; col < w; ++col) dst[col] = int(src[col]);
  }
  return 0;
}

int gxtkGraphics::WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h, int offset,
                               int pitch) {
  if (!surface || x < 0 || y < 0 || int64_t(x) + w > surface->width || int64_t(y) + h > surface->height) return 0;
  if (!RowsFit(pixels.Length(), offset, pitch, w, h)) return 0;
  surface->SetSubData(x, y, w, h, reinterpret_cast<const unsigned*>(pixels.Data() + offset), pitch);
  return 0;
}
