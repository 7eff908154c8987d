// The renderer's primitives: points, lines, rectangles, ovals, polygons and textured quads, each written
// straight into the batch.
#include <cmath>

#include "graphics/gxtk_graphics.h"
#include "host/host.h"  // glfwGraphicsSeq

namespace {

// A texture made in an older context (or never) has no valid scales yet; make it before its texture
// coordinates are computed, so the first draw after a new context uses the new texture's size.
inline void FreshenTexture(gxtkSurface* surface) {
  if (surface->seq != glfwGraphicsSeq) surface->Bind();
}

// Segments of an oval: the transformed radii's lengths added (or the radii themselves), kept within
// 12..1024 and otherwise rounded down to a multiple of 4.
int OvalSegments(float rx, float ry, bool transformed, float a, float b, float c, float d) {
  float length;
  if (transformed) {
    length = std::sqrt((rx * a) * (rx * a) + (rx * b) * (rx * b)) + std::sqrt((ry * c) * (ry * c) + (ry * d) * (ry * d));
  } else {
    length = std::fabs(std::trunc(rx)) + std::fabs(std::trunc(ry));
  }
  if (!(length < 1025)) return 1024;  // also catches NaN and infinities before the integer conversion
  int n = int(length);
  if (n < 12) return 12;
  if (n > 1024) return 1024;
  return n & ~3;
}

}  // namespace

int gxtkGraphics::DrawPoint(float x, float y) {
  gxtkVertex* v = Begin(kPoints, 1, nullptr);
  Put(v, x, y);
  v->x += 0.5f;
  v->y += 0.5f;
  return 0;
}

int gxtkGraphics::DrawLine(float x0, float y0, float x1, float y1) {
  gxtkVertex* v = Begin(kLines, 2, nullptr);
  Put(v, x0, y0);
  Put(v + 1, x1, y1);
  // Pixel centres, so one-pixel lines land on whole pixels.
  v[0].x += 0.5f;
  v[0].y += 0.5f;
  v[1].x += 0.5f;
  v[1].y += 0.5f;
  return 0;
}

int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
  gxtkVertex* v = Begin(kQuads, 4, nullptr);
  Put(v, x, y);
  Put(v + 1, x + w, y);
  Put(v + 2, x + w, y + h);
  Put(v + 3, x, y + h);
  return 0;
}

int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
  float rx = w * 0.5f, ry = h * 0.5f;
  float cx = x + rx, cy = y + ry;
  int n = OvalSegments(rx, ry, transformed, a, b, c, d);
  gxtkVertex* v = BeginFan(n, nullptr);
  for (int i = 0; i < n; ++i) {
    float th = float(i) * 6.2831855f / float(n);
    Put(v + i, cx + std::cos(th) * rx, cy - std::sin(th) * ry);
  }
  return 0;
}

int gxtkGraphics::DrawPoly(Array<float> verts) {
  int n = verts.Length() / 2;
  if (n < 1 || n > kMaxVertices) return 0;
  gxtkVertex* v = n < kFans ? Begin(n, n, nullptr) : BeginFan(n, nullptr);
  const float* p = verts.Data();
  for (int k = 0; k < n; ++k) Put(v + k, p[2 * k], p[2 * k + 1]);
  return 0;
}

int gxtkGraphics::DrawPoly2(Array<float> verts, gxtkSurface* surface, int srcx, int srcy) {
  int n = verts.Length() / 4;
  if (n < 1 || n > kMaxVertices || !surface) return 0;
  FreshenTexture(surface);
  gxtkVertex* v = n < kFans ? Begin(n, n, surface) : BeginFan(n, surface);
  const float* p = verts.Data();
  for (int k = 0; k < n; ++k, p += 4) {
    Put(v + k, p[0], p[1]);
    v[k].u = (p[2] + float(srcx)) * surface->uScale;
    v[k].v = (p[3] + float(srcy)) * surface->vScale;
  }
  return 0;
}

int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
  if (!surface) return 0;
  FreshenTexture(surface);
  float w = float(surface->Width()), h = float(surface->Height());
  float u = w * surface->uScale, vb = h * surface->vScale;
  gxtkVertex* v = Begin(kQuads, 4, surface);
  Put(v, x, y);
  Put(v + 1, x + w, y);
  Put(v + 2, x + w, y + h);
  Put(v + 3, x, y + h);
  v[0].u = 0; v[0].v = 0;
  v[1].u = u; v[1].v = 0;
  v[2].u = u; v[2].v = vb;
  v[3].u = 0; v[3].v = vb;
  return 0;
}

int gxtkGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch) {
  if (!surface) return 0;
  FreshenTexture(surface);
  float w = float(srcw), h = float(srch);
  float uL = float(srcx) * surface->uScale, uR = float(srcx + srcw) * surface->uScale;
  float vT = float(srcy) * surface->vScale, vB = float(srcy + srch) * surface->vScale;
  gxtkVertex* v = Begin(kQuads, 4, surface);
  Put(v, x, y);
  Put(v + 1, x + w, y);
  Put(v + 2, x + w, y + h);
  Put(v + 3, x, y + h);
  v[0].u = uL; v[0].v = vT;
  v[1].u = uR; v[1].v = vT;
  v[2].u = uR; v[2].v = vB;
  v[3].u = uL; v[3].v = vB;
  return 0;
}
