// Surface pixels and their texture: premultiplication, lazy texture creation with the power-of-two
// fallback (a blank surface's storage waits for its first use), partial updates and release.
#include "graphics/gxtk_surface.h"

#include "graphics/gl_headers.h"
#include <cstdlib>  // Required for: malloc(), calloc(), free()

#include "host/host.h"  // glfwGraphicsSeq

bool gxtkSurface::rejectNonPowerOfTwo = false;

namespace {

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The smallest power of two >= n; 1 for n < 2.
int PowerOfTwoAtLeast(int n) {
  int p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

// Errors left over from earlier calls must not be taken for a rejection of the next size tried.
void ClearGlErrors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace

gxtkSurface::~gxtkSurface() { Discard(); }

int gxtkSurface::Discard() {
  if (seq == glfwGraphicsSeq && texture) {
    glDeleteTextures(1, &texture);
    texture = 0;
    seq = -1;
    storagePending = false;
  }
  free(pixels);
  pixels = nullptr;
  return 0;
}

int gxtkSurface::Width() { return width; }
int gxtkSurface::Height() { return height; }
bool gxtkSurface::Loaded() { return true; }
void gxtkSurface::OnUnsafeLoadComplete() { Bind(); }

void gxtkSurface::SetData(unsigned char* data, int w, int h, int d) {
  if (pixels && pixels != data) free(pixels);
  pixels = data;
  width = w;
  height = h;
  depth = d;
  int n = w * h;
  switch (d) {
    case 1:
      format = GL_LUMINANCE;
      break;
    case 2:
      format = GL_LUMINANCE_ALPHA;
      for (unsigned char* p = data; n-- > 0; p += 2) p[0] = (unsigned char)(p[0] * p[1] / 255);
      break;
    case 3:
      format = GL_RGB;
      break;
    default:
      format = GL_RGBA;
      for (unsigned char* p = data; n-- > 0; p += 4) {
        int a = p[3];
        p[0] = (unsigned char)(p[0] * a / 255);
        p[1] = (unsigned char)(p[1] * a / 255);
        p[2] = (unsigned char)(p[2] * a / 255);
      }
      break;
  }
}

void gxtkSurface::SetSubData(int x, int y, int w, int h, const unsigned* src, int pitch) {
  if (format != GL_RGBA) return;
  if (!pixels) {
    // Zeroed rather than left uninitialised: the parts never written would otherwise show heap garbage.
    size_t bytes = size_t(width) * size_t(height) * 4;
    pixels = static_cast<unsigned char*>(calloc(bytes ? bytes : 1, 1));
    if (!pixels) return;
    gc_ext_malloced(int(bytes));
  }
  for (int row = 0; row < h; ++row) {
    const unsigned* s = src + row * pitch;
    unsigned char* d = pixels + (size_t(y + row) * size_t(width) + size_t(x)) * 4;
    for (int col = 0; col < w; ++col, d += 4) {
      unsigned p = s[col];
      unsigned a = p >> 24;
      d[0] = (unsigned char)(((p >> 16) & 255) * a / 255);
      d[1] = (unsigned char)(((p >> 8) & 255) * a / 255);
      d[2] = (unsigned char)((p & 255) * a / 255);
      d[3] = (unsigned char)a;
    }
  }
  if (seq != glfwGraphicsSeq) return;  // no live texture: the next Bind uploads everything
  if (storagePending) {
    Bind();  // the first write gives the texture its storage and uploads everything
    return;
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (w == width) {
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, format, GL_UNSIGNED_BYTE, pixels + size_t(y) * size_t(width) * 4);
  } else {
    for (int row = 0; row < h; ++row) {
      glTexSubImage2D(GL_TEXTURE_2D, 0, x, y + row, w, 1, format, GL_UNSIGNED_BYTE,
                      pixels + (size_t(y + row) * size_t(width) + size_t(x)) * 4);
    }
  }
}

void gxtkSurface::Bind() {
  if (glfwGraphicsSeq == 0) return;
  if (seq != glfwGraphicsSeq) {
    NameTexture();
    ChooseStorage();
    FillTexture();
    return;
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  if (storagePending) FillTexture();
}

void gxtkSurface::Prepare() {
  if (glfwGraphicsSeq == 0 || seq == glfwGraphicsSeq) return;
  NameTexture();
  ChooseStorage();
  storagePending = true;
}

void gxtkSurface::ChooseStorage() {
  // Whether the implementation takes this size is asked of the proxy texture, which allocates nothing.
  texWidth = width;
  texHeight = height;
  bool rejected = rejectNonPowerOfTwo && !(IsPowerOfTwo(width) && IsPowerOfTwo(height));
  if (!rejected) {
    ClearGlErrors();
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
    GLint took = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &took);
    rejected = glGetError() != GL_NO_ERROR || took == 0;
  }
  if (rejected) {
    // Older implementations only take power-of-two sizes; the image then fills the texture's top left.
    texWidth = PowerOfTwoAtLeast(width);
    texHeight = PowerOfTwoAtLeast(height);
  }
  uScale = texWidth > 0 ? 1.0f / float(texWidth) : 0.0f;
  vScale = texHeight > 0 ? 1.0f / float(texHeight) : 0.0f;
}

void gxtkSurface::NameTexture() {
  seq = glfwGraphicsSeq;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void gxtkSurface::FillTexture() {
  storagePending = false;
  // Exactly the size ChooseStorage settled: batches may already hold texture coordinates scaled to it.
  glTexImage2D(GL_TEXTURE_2D, 0, format, texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE, nullptr);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (pixels) {
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, format, GL_UNSIGNED_BYTE, pixels);
    return;
  }
  // Storage made without data holds whatever the implementation leaves there: a blank surface is
  // cleared to transparent, in bands read from a block of zeros that is never written (so its pages
  // stay the system's shared zero page and cost no memory). It is not const on purpose: a const block
  // of zeros is placed among the program's constants and adds its whole size to the program file, a
  // writable one goes to the zero-filled section, which takes no room in the file.
  static unsigned char zeros[1 << 20];
  const int rowBytes = width * 4;
  const int band = rowBytes > 0 ? int(sizeof zeros) / rowBytes : 0;
  for (int y = 0; band > 0 && y < height; y += band) {
    const int rows = height - y < band ? height - y : band;
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, y, width, rows, format, GL_UNSIGNED_BYTE, zeros);
  }
}
