// gxtkGraphics: the one drawing device, an immediate-mode 2D renderer over fixed-function OpenGL 1.x that
// collects primitives into one vertex batch and hands the batch to OpenGL only when it must.
#pragma once
#include <cstdint>

#include "graphics/gxtk_surface.h"
#include "runtime/runtime.h"

// One vertex as OpenGL reads it: position, texture coordinate, colour bytes R, G, B, A (stride 20).
struct gxtkVertex {
  float x, y;
  float u, v;
  uint32_t color;
};
static_assert(sizeof(gxtkVertex) == 20, "the vertex arrays are set up with a stride of 20 bytes");

class gxtkGraphics : public gc_object {
 public:
  static constexpr int kMaxVertices = 1024;

  int width = 0, height = 0;  // window size, read at construction and at every BeginRender
  uint32_t packedColor = 0xffffffffu;  // colour of new vertices: premultiplied R, G, B, A bytes
  float red = 255, green = 255, blue = 255, alpha = 1;
  float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;  // (x, y) -> (a x + c y + tx, b x + d y + ty)
  bool transformed = false;  // false exactly for the identity: vertices then skip the multiplication
  // Primitive kinds of a batch: the vertices per primitive for points, lines, triangles and quads; fans
  // (ovals and polygons of five or more vertices) vary in size, each fan's start and size listed.
  static constexpr int kPoints = 1, kLines = 2, kTriangles = 3, kQuads = 4, kFans = 5;
  static constexpr int kMaxFans = kMaxVertices / 5;  // the smallest fan has five vertices

  gxtkVertex vertexBuffer[kMaxVertices];
  uint16_t quadIndices[kMaxVertices / 4 * 6];
  int batchKind = 0;    // one of the kinds above; 0 before the first primitive
  int batchCount = 0;   // vertices pending
  gxtkSurface* batchSurface = nullptr;  // texture of the pending batch; null when untextured
  int fanFirst[kMaxFans];  // a fan batch: the first vertex and the size of each fan, in drawing order
  int fanSize[kMaxFans];
  int fanCount = 0;
  bool texturing = false;  // whether GL_TEXTURE_2D is on: switched only when a batch needs the other state

  // Statistics for tests, the benchmark and the debug display; never reset by the device.
  uint64_t flushCount = 0;    // batches sent to OpenGL; only grows over a session
  uint64_t drawCalls = 0;     // OpenGL draw calls (one per batch; one per fan without multi-draw)
  int lastFlushKind = 0;      // kind and size of the last batch sent
  int lastFlushVertices = 0;

  // Reads the window size (GLFW) and fills the quad index list.
  gxtkGraphics();
  void mark() override;

  virtual int Width();
  virtual int Height();
  // Prepares OpenGL for a frame (viewport, top-left projection, vertex arrays, premultiplied blending)
  // and empties the batch; returns 1.
  virtual int BeginRender();
  // Draws what is pending.
  virtual void EndRender();
  virtual void DiscardGraphics();
  // A surface holding the decoded image at a mapped data path, with its texture made; null when the file
  // cannot be opened or decoded.
  virtual gxtkSurface* LoadSurface(String path);
  // A blank RGBA surface with an (empty) texture.
  virtual gxtkSurface* CreateSurface(int width, int height);
  // Fills `surface` from an image file without touching OpenGL; false when the file is missing or bad.
  virtual bool LoadSurface__UNSAFE__(gxtkSurface* surface, String path);

  // Clears the window and drops the pending vertices undrawn.
  virtual int Cls(float r, float g, float b);
  // Colour and alpha change the colour of later vertices only; neither flushes.
  virtual int SetAlpha(float alpha);
  virtual int SetColor(float r, float g, float b);
  // 1 additive, anything else alpha blending; flushes first.
  virtual int SetBlend(int mode);
  // Clips to the rectangle (top-left origin); the whole window switches clipping off. Flushes first.
  virtual int SetScissor(int x, int y, int w, int h);
  // Applies to vertices written from now on (on the CPU); pending ones keep their positions.
  virtual int SetMatrix(float a, float b, float c, float d, float tx, float ty);

  virtual int DrawPoint(float x, float y);
  virtual int DrawRect(float x, float y, float w, float h);
  virtual int DrawLine(float x0, float y0, float x1, float y1);
  // The oval inscribed in the rectangle, as one fan of 12..1024 vertices.
  virtual int DrawOval(float x, float y, float w, float h);
  // One convex polygon from x, y pairs; nothing for 0 or more than 1024 vertices.
  virtual int DrawPoly(Array<float> verts);
  // Textured polygon from x, y, u, v quadruples; u, v are pixels of the surface offset by srcx, srcy.
  virtual int DrawPoly2(Array<float> verts, gxtkSurface* surface, int srcx, int srcy);
  virtual int DrawSurface(gxtkSurface* surface, float x, float y);
  virtual int DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch);

  // Copies a screen rectangle into `pixels` as ARGB ints, top row at `offset`, rows `pitch` apart.
  // Does nothing when the rectangle or the destination rows do not fit.
  virtual int ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch);
  // Writes ARGB ints into an RGBA surface; does nothing when the block lies outside the surface or the array.
  virtual int WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h, int offset,
                           int pitch);

  // Reserves `count` (<= 1024) vertices of a primitive kind on a texture, flushing first when the kind or
  // the texture changes or the batch would overflow.
  gxtkVertex* Begin(int kind, int count, gxtkSurface* surface) {
    if (batchKind == kind && batchSurface == surface && batchCount + count <= kMaxVertices) {
      gxtkVertex* v = vertexBuffer + batchCount;
      batchCount += count;
      return v;
    }
    if (batchCount) Flush();
    batchKind = kind;
    if (batchSurface != surface) gc_assign(batchSurface, surface);
    batchCount = count;
    return vertexBuffer;
  }
  // Reserves one fan of `count` (5..1024) vertices; fans of any size share a batch.
  gxtkVertex* BeginFan(int count, gxtkSurface* surface) {
    gxtkVertex* v = Begin(kFans, count, surface);
    int first = int(v - vertexBuffer);
    if (first == 0) fanCount = 0;  // a new batch
    fanFirst[fanCount] = first;
    fanSize[fanCount] = count;
    ++fanCount;
    return v;
  }
  // Sends the pending vertices to OpenGL.
  void Flush();

 private:
  // Writes a position through the current matrix, and the current colour.
  void Put(gxtkVertex* v, float x, float y) const {
    if (transformed) {
      v->x = a * x + c * y + tx;
      v->y = b * x + d * y + ty;
    } else {
      v->x = x;
      v->y = y;
    }
    v->color = packedColor;
  }
  void PackColor();
};
