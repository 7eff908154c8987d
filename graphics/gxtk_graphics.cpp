// The renderer's frame bracket, batch flushing and drawing state (colour, blend, scissor, matrix).
#include "graphics/gxtk_graphics.h"

#include "graphics/gl_entry_points.h"  // glMultiDrawArrays (OpenGL 1.4)

#include "host/backend/glfw2.h"  // glfwGetWindowSize

namespace {

// A colour channel as a byte; out-of-range and NaN values are clamped so they cannot spill into the
// neighbouring channel of the packed word.
uint32_t ChannelByte(float v) { return v > 0 ? (v < 255 ? uint32_t(v) : 255u) : 0u; }

}  // namespace

gxtkGraphics::gxtkGraphics() {
  glfwGetWindowSize(&width, &height);
  for (int q = 0; q < kMaxVertices / 4; ++q) {
    uint16_t i = uint16_t(q * 4);
    uint16_t* p = quadIndices + q * 6;
    p[0] = i; p[1] = uint16_t(i + 1); p[2] = uint16_t(i + 2);
    p[3] = i; p[4] = uint16_t(i + 2); p[5] = uint16_t(i + 3);
  }
}

void gxtkGraphics::mark() { gc_mark(batchSurface); }

int gxtkGraphics::Width() { return width; }
int gxtkGraphics::Height() { return height; }

int gxtkGraphics::BeginRender() {
  glfwGetWindowSize(&width, &height);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, sizeof(gxtkVertex), &vertexBuffer[0].x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(gxtkVertex), &vertexBuffer[0].u);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(gxtkVertex), &vertexBuffer[0].color);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_TEXTURE_2D);
  texturing = false;
  batchCount = 0;
  return 1;
}

void gxtkGraphics::EndRender() {
  Flush();
  // The frame ends with texturing off, as it began.
  if (texturing) glDisable(GL_TEXTURE_2D);
  texturing = false;
}

void gxtkGraphics::DiscardGraphics() {}

void gxtkGraphics::Flush() {
  int n = batchCount;
  if (!n) return;
  // Texturing is switched only when this batch needs the other state than the last one: a run of
  // textured batches, or of untextured ones, switches nothing.
  bool textured = batchSurface != nullptr;
  if (textured != texturing) {
    if (textured) {
      glEnable(GL_TEXTURE_2D);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    texturing = textured;
  }
  if (textured) batchSurface->Bind();
  switch (batchKind) {
    case kPoints:
      glDrawArrays(GL_POINTS, 0, n);
      break;
    case kLines:
      glDrawArrays(GL_LINES, 0, n);
      break;
    case kTriangles:
      glDrawArrays(GL_TRIANGLES, 0, n);
      break;
    case kQuads:
      glDrawElements(GL_TRIANGLES, n / 4 * 6, GL_UNSIGNED_SHORT, quadIndices);
      break;
    default:
      // Every fan of the batch, of whatever size, in one call and in the order drawn; one call per fan
      // on a context without the multi-draw.
      if (gl_MultiDrawArraysProc multiDraw = gl_MultiDrawArrays()) {
        multiDraw(GL_TRIANGLE_FAN, fanFirst, fanSize, fanCount);
      } else {
        for (int f = 0; f < fanCount; ++f) glDrawArrays(GL_TRIANGLE_FAN, fanFirst[f], fanSize[f]);
      }
      break;
  }
  ++drawCalls;
  ++flushCount;
  lastFlushKind = batchKind;
  lastFlushVertices = n;
  batchCount = 0;
}

int gxtkGraphics::Cls(float r, float g, float b) {
  batchCount = 0;
  glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  return 0;
}

void gxtkGraphics::PackColor() {
  packedColor = (ChannelByte(alpha * 255) << 24) | (ChannelByte(blue * alpha) << 16) |
                (ChannelByte(green * alpha) << 8) | ChannelByte(red * alpha);
}

int gxtkGraphics::SetAlpha(float value) {
  alpha = value;
  PackColor();
  return 0;
}

int gxtkGraphics::SetColor(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
  PackColor();
  return 0;
}

int gxtkGraphics::SetBlend(int mode) {
  if (batchCount) Flush();
  if (mode == 1) {
    glBlendFunc(GL_ONE, GL_ONE);
  } else {
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }
  return 0;
}

int gxtkGraphics::SetScissor(int x, int y, int w, int h) {
  if (batchCount) Flush();
  if (x == 0 && y == 0 && w == Width() && h == Height()) {
    glDisable(GL_SCISSOR_TEST);
  } else {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, Height() - y - h, w, h);  // OpenGL counts y from the bottom
  }
  return 0;
}

int gxtkGraphics::SetMatrix(float ma, float mb, float mc, float md, float mtx, float mty) {
  a = ma;
  b = mb;
  c = mc;
  d = md;
  tx = mtx;
  ty = mty;
  transformed = !(ma == 1 && mb == 0 && mc == 0 && md == 1 && mtx == 0 && mty == 0);
  return 0;
}
