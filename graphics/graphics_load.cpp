// The graphics module's image making: loading from the data folder, blank images and the font.
#include "app/app.h"  // rt_data_FixDataPath
#include "graphics/graphics.h"

c_Image* rt_graphics_LoadImage(String path, int frameCount, int flags) {
  if (!rt_graphics_device) return nullptr;
  gxtkSurface* surface = rt_graphics_device->LoadSurface(rt_data_FixDataPath(path));
  if (!surface) return nullptr;
  return (new c_Image)->m_new()->p_Init(surface, frameCount, flags);
}

c_Image* rt_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags) {
  if (!rt_graphics_device) return nullptr;
  gxtkSurface* surface = rt_graphics_device->LoadSurface(rt_data_FixDataPath(path));
  if (!surface) return nullptr;
  return (new c_Image)->m_new()->p_Init2(surface, 0, 0, frameWidth, frameHeight, frameCount, flags, nullptr, 0, 0,
                                         surface->Width(), surface->Height());
}

c_Image* rt_graphics_LoadImageGrid(String path, int frameWidth, int frameHeight, int frameCount, int flags) {
  if (!rt_graphics_device) return nullptr;
  gxtkSurface* surface = rt_graphics_device->LoadSurface(rt_data_FixDataPath(path));
  if (!surface || !rt_graphics_FramesFit(surface->Width(), surface->Height(), frameWidth, frameHeight, frameCount)) {
    return nullptr;
  }
  return (new c_Image)->m_new()->p_Init2(surface, 0, 0, frameWidth, frameHeight, frameCount, flags, nullptr, 0, 0,
                                         surface->Width(), surface->Height());
}

c_Image* rt_graphics_CreateImage(int width, int height, int frameCount, int flags) {
  if (!rt_graphics_device) return nullptr;
  gxtkSurface* surface = rt_graphics_device->CreateSurface(width * frameCount, height);
  if (!surface) return nullptr;
  return (new c_Image)->m_new()->p_Init(surface, frameCount, flags);
}

int rt_graphics_SetFont(c_Image* font, int firstChar) {
  c_GraphicsContext* ctx = rt_graphics_context;
  if (!font) {
    if (!ctx->m_defaultFont) gc_assign(ctx->m_defaultFont, rt_graphics_LoadImage(String("vorn_font.png"), 96, c_Image::PadX));
    font = ctx->m_defaultFont;
    firstChar = 32;
  }
  gc_assign(ctx->m_font, font);
  ctx->m_firstChar = firstChar;
  return 0;
}
