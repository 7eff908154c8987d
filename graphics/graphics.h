// The graphics layer's public face: the renderer (gxtkGraphics, gxtkSurface) and the graphics module over
// it (rt_graphics_*: render pass, matrix stack, state, drawing, images, loading, font).
#pragma once
#include "graphics/graphics_context.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "graphics/image.h"
#include "runtime/runtime.h"

// Module globals. The program's root marking must mark all three.
extern gxtkGraphics* rt_graphics_device;        // set once by rt_graphics_SetGraphicsDevice
extern gxtkGraphics* rt_graphics_renderDevice;  // the device while a render pass is open, else null
// The drawing state. rtInit creates it before the app exists:
//   gc_assign(rt_graphics_context, (new c_GraphicsContext)->m_new());
extern c_GraphicsContext* rt_graphics_context;

int rt_graphics_SetGraphicsDevice(gxtkGraphics* device);
// Opens a render pass after the device's own BeginRender: empties the matrix stack and resets matrix,
// colour (white), alpha (1), blend (0) and scissor (the framework's device size); the font stays.
int rt_graphics_BeginRender();
int rt_graphics_EndRender();

// Matrix operations change the context only; the render device gets the matrix at the next draw.
// (x, y) maps to (a x + c y + tx, b x + d y + ty).
int rt_graphics_SetMatrix(float a, float b, float c, float d, float tx, float ty);
int rt_graphics_SetMatrix2(Array<float> m);
// m := m composed with (a, b, c, d, tx, ty) applied first: the arithmetic of rt_graphics_Transform.
void ComposeMatrix(float m[6], float a, float b, float c, float d, float tx, float ty);
// Cosine and sine of an angle in degrees, as rt_graphics_Rotate uses them.
void RotationCosSin(float angle, float* cs, float* sn);
// current := current x given: the given transformation acts on a point first.
int rt_graphics_Transform(float a, float b, float c, float d, float tx, float ty);
int rt_graphics_Transform2(Array<float> m);
int rt_graphics_Translate(float x, float y);
int rt_graphics_Rotate(float angle);  // degrees
int rt_graphics_Scale(float sx, float sy);
// Saved matrices last until the next render pass; the stack doubles when full.
int rt_graphics_PushMatrix();
// Restores the last pushed matrix; does nothing when none is saved.
int rt_graphics_PopMatrix();

// State is kept in the context and passed to the render device at once (when a pass is open).
int rt_graphics_SetColor(float r, float g, float b);  // 0..255
int rt_graphics_SetAlpha(float alpha);                 // 0..1
int rt_graphics_SetBlend(int blend);                   // 0 alpha, 1 additive
int rt_graphics_SetScissor(float x, float y, float w, float h);

// Drawing is valid inside a render pass only; outside one it does nothing.
int rt_graphics_DrawRect(float x, float y, float w, float h);
int rt_graphics_DrawLine(float x0, float y0, float x1, float y1);
int rt_graphics_DrawEllipse(float x, float y, float rx, float ry);  // centre and radii
// One frame with its handle at (x, y); nothing for a null image or a frame number outside the image.
int rt_graphics_DrawImage(c_Image* image, float x, float y, int frame);
// One frame rotated (degrees) and scaled about its handle, the handle landing on (x, y).
int rt_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float sx, float sy, int frame);

// Asset names go through rt_data_FixDataPath. Null when the file is missing or cannot be decoded.
c_Image* rt_graphics_LoadImage(String path, int frameCount, int flags);          // frames in one row
c_Image* rt_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags);
// As LoadImage2, but a picture too small for its frame grid counts as a bad file and gives null instead of
// a fatal error.
c_Image* rt_graphics_LoadImageGrid(String path, int frameWidth, int frameHeight, int frameCount, int flags);
// Whether frameCount frames of a grid laid out left to right, then top to bottom, fit width x height.
bool rt_graphics_FramesFit(int width, int height, int frameWidth, int frameHeight, int frameCount);
c_Image* rt_graphics_CreateImage(int width, int height, int frameCount, int flags);  // blank frames in a row
// Null selects the default font "vorn_font.png" (96 glyphs from the space on, loaded on first need)
// and forces firstChar to 32; a missing font file leaves the font null.
int rt_graphics_SetFont(c_Image* font, int firstChar);
