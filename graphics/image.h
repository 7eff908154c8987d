// c_Image and c_Frame: a surface cut into equal frames, with a drawing handle and layout flags.
#pragma once
#include "graphics/gxtk_surface.h"
#include "runtime/runtime.h"

// Top-left pixel of one frame in its image's surface.
class c_Frame : public Object {
 public:
  int m_x = 0, m_y = 0;
  c_Frame* m_new(int x, int y);
};

class c_Image : public Object {
 public:
  // Image flags, applied once when the image is made.
  enum {
    HandleCentre = 1,      // handle at the frame's centre (the bit is then cleared)
    PadX = 2,              // frames carry a one-pixel border left and right
    PadY = 4,              // frames carry a one-pixel border top and bottom
    WholeSurface = 65536,  // set by the image itself: one frame covering the whole surface
  };

  gxtkSurface* m_surface = nullptr;
  int m_width = 0, m_height = 0;  // size of one frame, padding taken off
  Array<c_Frame*> m_frames;
  int m_flags = 0;
  float m_handleX = 0, m_handleY = 0;  // the frame point placed at the drawing position; the pivot
  c_Image* m_source = nullptr;         // an image whose surface this one shares

  c_Image* m_new();
  // Frames side by side in one row across the whole surface. A second initialisation is the runtime
  // error "Image already initialized"; a count below 1 is taken as 1.
  c_Image* p_Init(gxtkSurface* surface, int frameCount, int flags);
  // Frames of w x h filling the area (srcx, srcy, srcw, srch) left to right, then top to bottom, from
  // (x, y) on; a frame that does not fit is the runtime error "Image frame outside surface".
  c_Image* p_Init2(gxtkSurface* surface, int x, int y, int w, int h, int frameCount, int flags, c_Image* source,
                   int srcx, int srcy, int srcw, int srch);
  int p_ApplyFlags(int flags);
  int p_SetHandle(float x, float y);
  void mark() override;
};
