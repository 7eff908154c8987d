// gxtkSurface: an image kept twice, as decoded pixel bytes for the surface's whole life and as an OpenGL
// texture that is made lazily and re-made from those bytes whenever the host opened a new GL context.
#pragma once
#include "runtime/runtime.h"

class gxtkSurface : public gc_object {
 public:
  unsigned char* pixels = nullptr;  // rows of width * depth bytes, premultiplied when there is alpha; owned
  int width = 0, height = 0;
  int depth = 0;          // bytes per pixel, 1..4
  int format = 0;         // GL pixel format matching depth
  int seq = -1;           // glfwGraphicsSeq when the texture was made; -1: no texture
  unsigned texture = 0;   // GL texture name
  float uScale = 0, vScale = 0;  // 1 / texture size: the texture may be larger than the image
  // The texture is named and sized but holds no storage yet (a blank surface nothing has used): a
  // blank texture would take its whole size in memory without ever being read.
  bool storagePending = false;
  int texWidth = 0, texHeight = 0;  // size of the texture's storage (or of the storage to come)

  gxtkSurface() = default;
  ~gxtkSurface() override;

  // Deletes the texture (when it belongs to the current context) and frees the pixels.
  virtual int Discard();
  virtual int Width();
  virtual int Height();
  virtual bool Loaded();
  // Makes the texture once a loader running off the main thread has filled the pixels.
  virtual void OnUnsafeLoadComplete();

  // Takes ownership of `data` (malloc'd); premultiplies colour by alpha for depths 2 and 4.
  void SetData(unsigned char* data, int width, int height, int depth);
  // Writes a w x h block of ARGB ints (rows `pitch` apart) at (x, y), premultiplied; RGBA surfaces only.
  // The caller keeps the block inside the surface.
  void SetSubData(int x, int y, int w, int h, const unsigned* src, int pitch);
  // Binds the texture, (re)creating it from the retained pixels when the GL context is new.
  // Does nothing before the first window exists (glfwGraphicsSeq 0).
  void Bind();
  // For a new blank surface: names the texture and settles its size and scales as Bind does, leaving
  // its storage to the first Bind that draws with it or writes into it.
  void Prepare();

  // Generates the texture name in the current context, binds it and sets its sampling.
  void NameTexture();
  // Settles the texture's size (the surface's own, or the powers of two above when the implementation
  // refuses it) and the texture-coordinate scales; the one place that decides it.
  void ChooseStorage();
  // Gives the bound texture storage of the settled size and uploads the retained pixels.
  void FillTexture();

  // Test hook: when set, textures whose sides are not powers of two are treated as rejected by the
  // GL implementation, so the power-of-two fallback can be exercised on any driver.
  static bool rejectNonPowerOfTwo;
};
