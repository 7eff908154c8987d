// The graphics module's globals, render pass, state pass-through and drawing calls.
#include "app/app.h"  // rt_app_DeviceWidth, rt_app_DeviceHeight
#include "graphics/graphics.h"

gxtkGraphics* rt_graphics_device = nullptr;
gxtkGraphics* rt_graphics_renderDevice = nullptr;
c_GraphicsContext* rt_graphics_context = nullptr;

namespace {

// The render device with the matrix brought up to date, or null outside a render pass.
inline gxtkGraphics* ValidatedDevice() {
  if (!rt_graphics_renderDevice) return nullptr;
  rt_graphics_context->p_Validate();
  return rt_graphics_renderDevice;
}

// The frame's surface rectangle, drawn at (x, y).
inline void DrawFrame(gxtkGraphics* device, c_Image* image, c_Frame* f, float x, float y) {
  if (image->m_flags & c_Image::WholeSurface) {
    device->DrawSurface(image->m_surface, x, y);
  } else {
    device->DrawSurface2(image->m_surface, x, y, f->m_x, f->m_y, image->m_width, image->m_height);
  }
}

inline c_Frame* FrameOf(c_Image* image, int frame) {
  if (!image || frame < 0 || frame >= image->m_frames.Length()) return nullptr;
  return image->m_frames[frame];
}

}  // namespace

int rt_graphics_SetGraphicsDevice(gxtkGraphics* device) {
  gc_assign(rt_graphics_device, device);
  return 0;
}

int rt_graphics_BeginRender() {
  gc_assign(rt_graphics_renderDevice, rt_graphics_device);
  c_GraphicsContext* ctx = rt_graphics_context;
  ctx->m_matrixSp = 0;
  rt_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  rt_graphics_SetColor(255, 255, 255);
  rt_graphics_SetAlpha(1);
  rt_graphics_SetBlend(0);
  rt_graphics_SetScissor(0, 0, float(rt_app_DeviceWidth()), float(rt_app_DeviceHeight()));
  return 0;
}

int rt_graphics_EndRender() {
  rt_graphics_renderDevice = nullptr;
  return 0;
}

int rt_graphics_SetColor(float r, float g, float b) {
  c_GraphicsContext* ctx = rt_graphics_context;
  ctx->m_red = r;
  ctx->m_green = g;
  ctx->m_blue = b;
  if (rt_graphics_renderDevice) rt_graphics_renderDevice->SetColor(r, g, b);
  return 0;
}

int rt_graphics_SetAlpha(float alpha) {
  rt_graphics_context->m_alpha = alpha;
  if (rt_graphics_renderDevice) rt_graphics_renderDevice->SetAlpha(alpha);
  return 0;
}

int rt_graphics_SetBlend(int blend) {
  rt_graphics_context->m_blend = blend;
  if (rt_graphics_renderDevice) rt_graphics_renderDevice->SetBlend(blend);
  return 0;
}

int rt_graphics_SetScissor(float x, float y, float w, float h) {
  c_GraphicsContext* ctx = rt_graphics_context;
  ctx->m_scissorX = x;
  ctx->m_scissorY = y;
  ctx->m_scissorW = w;
  ctx->m_scissorH = h;
  if (rt_graphics_renderDevice) rt_graphics_renderDevice->SetScissor(int(x), int(y), int(w), int(h));
  return 0;
}

int rt_graphics_DrawRect(float x, float y, float w, float h) {
  if (gxtkGraphics* device = ValidatedDevice()) device->DrawRect(x, y, w, h);
  return 0;
}

int rt_graphics_DrawLine(float x0, float y0, float x1, float y1) {
  if (gxtkGraphics* device = ValidatedDevice()) device->DrawLine(x0, y0, x1, y1);
  return 0;
}

int rt_graphics_DrawEllipse(float x, float y, float rx, float ry) {
  if (gxtkGraphics* device = ValidatedDevice()) device->DrawOval(x - rx, y - ry, rx * 2, ry * 2);
  return 0;
}

int rt_graphics_DrawImage(c_Image* image, float x, float y, int frame) {
  c_Frame* f = FrameOf(image, frame);
  if (!f) return 0;
  if (gxtkGraphics* device = ValidatedDevice()) DrawFrame(device, image, f, x - image->m_handleX, y - image->m_handleY);
  return 0;
}

int rt_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float sx, float sy, int frame) {
  c_Frame* f = FrameOf(image, frame);
  if (!f || !rt_graphics_renderDevice) return 0;
  // The sprite's matrix: the current one, translated to (x, y), rotated, scaled and moved by the handle,
  // composed here in the same steps as Translate, Rotate, Scale and Translate, so with the same result,
  // and restored afterwards, without the matrix stack or a trigonometric call for an unrotated sprite.
  c_GraphicsContext* ctx = rt_graphics_context;
  const float saved[6] = {ctx->m_a, ctx->m_b, ctx->m_c, ctx->m_d, ctx->m_tx, ctx->m_ty};
  float m[6] = {saved[0], saved[1], saved[2], saved[3], saved[4], saved[5]};
  ComposeMatrix(m, 1, 0, 0, 1, x, y);
  float cs = 1, sn = 0;
  if (rotation != 0) RotationCosSin(rotation, &cs, &sn);
  ComposeMatrix(m, cs, -sn, sn, cs, 0, 0);
  ComposeMatrix(m, sx, 0, 0, sy, 0, 0);
  ComposeMatrix(m, 1, 0, 0, 1, -image->m_handleX, -image->m_handleY);
  rt_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
  DrawFrame(ValidatedDevice(), image, f, 0, 0);
  rt_graphics_SetMatrix(saved[0], saved[1], saved[2], saved[3], saved[4], saved[5]);
  return 0;
}
