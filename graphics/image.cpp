// Images and frames: strip and grid layouts, padding and handle flags, and the whole-surface shortcut.
#include "graphics/image.h"

namespace {

// Frames of a grid go left to right, then top to bottom. Moves (x, y) to the next frame's place, wrapping to
// the next row when the frame would pass the right edge; false when it does not fit in srcw x srch.
bool PlaceFrame(int& x, int& y, int w, int h, int srcw, int srch) {
  if (x + w > srcw) {
    x = 0;
    y += h;
  }
  return x + w <= srcw && y + h <= srch;
}

}  // namespace

bool rt_graphics_FramesFit(int width, int height, int frameWidth, int frameHeight, int frameCount) {
  if (frameWidth <= 0 || frameHeight <= 0) return false;
  int x = 0, y = 0;
  for (int i = 0; i < frameCount; ++i, x += frameWidth) {
    if (!PlaceFrame(x, y, frameWidth, frameHeight, width, height)) return false;
  }
  return true;
}

c_Frame* c_Frame::m_new(int x, int y) {
  m_x = x;
  m_y = y;
  return this;
}

c_Image* c_Image::m_new() { return this; }

c_Image* c_Image::p_Init(gxtkSurface* surface, int frameCount, int flags) {
  if (m_surface) rtError(String("Image already initialized"));
  if (frameCount < 1) frameCount = 1;  // avoids a division by zero; the game always asks for >= 1
  gc_assign(m_surface, surface);
  m_width = surface->Width() / frameCount;
  m_height = surface->Height();
  gc_assign(m_frames, Array<c_Frame*>(frameCount));
  for (int i = 0; i < frameCount; ++i) gc_assign(m_frames[i], (new c_Frame)->m_new(i * m_width, 0));
  p_ApplyFlags(flags);
  return this;
}

c_Image* c_Image::p_Init2(gxtkSurface* surface, int x, int y, int w, int h, int frameCount, int flags,
                          c_Image* source, int srcx, int srcy, int srcw, int srch) {
  if (m_surface) rtError(String("Image already initialized"));
  gc_assign(m_surface, surface);
  gc_assign(m_source, source);
  m_width = w;
  m_height = h;
  gc_assign(m_frames, Array<c_Frame*>(frameCount));
  for (int i = 0; i < frameCount; ++i) {
    if (!PlaceFrame(x, y, w, h, srcw, srch)) rtError(String("Image frame outside surface"));
    gc_assign(m_frames[i], (new c_Frame)->m_new(x + srcx, y + srcy));
    x += w;
  }
  p_ApplyFlags(flags);
  return this;
}

int c_Image::p_ApplyFlags(int flags) {
  m_flags = flags & ~WholeSurface;  // only the image itself decides that it covers its whole surface
  int n = m_frames.Length();
  if (m_flags & PadX) {
    for (int i = 0; i < n; ++i) m_frames[i]->m_x += 1;
    m_width -= 2;
  }
  if (m_flags & PadY) {
    for (int i = 0; i < n; ++i) m_frames[i]->m_y += 1;
    m_height -= 2;
  }
  if (m_flags & HandleCentre) p_SetHandle(float(m_width) * 0.5f, float(m_height) * 0.5f);
  if (n == 1 && m_frames[0]->m_x == 0 && m_frames[0]->m_y == 0 && m_width == m_surface->Width() &&
      m_height == m_surface->Height()) {
    m_flags |= WholeSurface;
  }
  return 0;
}

int c_Image::p_SetHandle(float x, float y) {
  m_handleX = x;
  m_handleY = y;
  m_flags &= ~HandleCentre;
  return 0;
}

void c_Image::mark() {
  gc_mark(m_surface);
  gc_mark(m_frames);
  gc_mark(m_source);
}
