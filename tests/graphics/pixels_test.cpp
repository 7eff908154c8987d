// What the renderer and the graphics module put on the screen, read back from a real GL implementation.
#include <GL/gl.h>

#include "gl_fixture.h"

namespace {

// An image of `frames` frames of w x h, each filled with its own colour (ARGB), handle at the centre.
c_Image* SolidFrames(int w, int h, const std::vector<unsigned>& colors, int flags = c_Image::HandleCentre) {
  int frames = int(colors.size());
  c_Image* image = rt_graphics_CreateImage(w, h, frames, flags);
  Array<int> pixels(w * frames * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * frames; ++x) pixels[y * w * frames + x] = int(colors[size_t(x / w)]);
  rt_graphics_device->WritePixels2(image->m_surface, pixels, 0, 0, w * frames, h, 0, w * frames);
  return image;
}

using PixelsTest = GlTest;

TEST_F(PixelsTest, RectanglePointsLinesAndOvalCoverTheirPixels) {
  BeginFrame();
  rt_graphics_SetColor(255, 0, 0);
  rt_graphics_DrawRect(10, 10, 20, 20);
  rt_graphics_SetColor(0, 255, 0);
  rt_graphics_DrawLine(10, 50, 100, 50);
  rt_graphics_DrawLine(120, 60, 120, 90);
  g->DrawPoint(200, 100);
  rt_graphics_SetColor(0, 0, 255);
  rt_graphics_DrawEllipse(150, 150, 20, 20);
  EndFrame();
  EXPECT_RGB(Pixel(10, 10), 255, 0, 0);
  EXPECT_RGB(Pixel(29, 29), 255, 0, 0);
  EXPECT_RGB(Pixel(30, 30), 0, 0, 0);
  EXPECT_RGB(Pixel(9, 20), 0, 0, 0);
  // Lines and points land on the pixels they name, thanks to the half-pixel offset.
  EXPECT_RGB(Pixel(50, 50), 0, 255, 0);
  EXPECT_RGB(Pixel(50, 49), 0, 0, 0);
  EXPECT_RGB(Pixel(50, 51), 0, 0, 0);
  EXPECT_RGB(Pixel(120, 70), 0, 255, 0);
  EXPECT_RGB(Pixel(119, 70), 0, 0, 0);
  EXPECT_RGB(Pixel(200, 100), 0, 255, 0);
  EXPECT_RGB(Pixel(200, 99), 0, 0, 0);
  EXPECT_RGB(Pixel(150, 150), 0, 0, 255);
  EXPECT_RGB(Pixel(150, 133), 0, 0, 255);
  EXPECT_RGB(Pixel(133, 133), 0, 0, 0);  // inside the bounding box, outside the oval
  EXPECT_RGB(Pixel(150, 172), 0, 0, 0);
}

TEST_F(PixelsTest, FrameIsDrawnAtItsHandle) {
  c_Image* image = SolidFrames(8, 8, {0xffff0000u, 0xff00ff00u});
  BeginFrame();
  rt_graphics_DrawImage(image, 50, 50, 1);
  EndFrame();
  EXPECT_RGB(Pixel(46, 46), 0, 255, 0);
  EXPECT_RGB(Pixel(53, 53), 0, 255, 0);
  EXPECT_RGB(Pixel(45, 50), 0, 0, 0);
  EXPECT_RGB(Pixel(54, 50), 0, 0, 0);
}

TEST_F(PixelsTest, RotationAndScaleTurnTheFrameAboutItsHandle) {
  // 8 x 4: left half red, right half green; handle at the centre.
  c_Image* image = rt_graphics_CreateImage(8, 4, 1, c_Image::HandleCentre);
  Array<int> pixels(32);
  for (int i = 0; i < 32; ++i) pixels[i] = int(i % 8 < 4 ? 0xffff0000u : 0xff00ff00u);
  g->WritePixels2(image->m_surface, pixels, 0, 0, 8, 4, 0, 8);
  BeginFrame();
  rt_graphics_DrawImage2(image, 100, 100, 90, 2, 2, 0);
  EndFrame();
  // A quarter turn (counter-clockwise on screen) at twice the size: 8 wide, 16 tall, left half below.
  EXPECT_RGB(Pixel(100, 105), 255, 0, 0);
  EXPECT_RGB(Pixel(97, 107), 255, 0, 0);
  EXPECT_RGB(Pixel(100, 94), 0, 255, 0);
  EXPECT_RGB(Pixel(102, 93), 0, 255, 0);
  EXPECT_RGB(Pixel(106, 100), 0, 0, 0);
  EXPECT_RGB(Pixel(93, 100), 0, 0, 0);
  EXPECT_RGB(Pixel(100, 110), 0, 0, 0);
}

TEST_F(PixelsTest, AlphaAndAdditiveBlending) {
  // Half-transparent red over blue: premultiplied colour plus the background scaled by 1 - alpha.
  BeginFrame({0, 0, 255});
  rt_graphics_SetColor(255, 0, 0);
  rt_graphics_SetAlpha(0.5f);
  rt_graphics_DrawRect(0, 0, 20, 20);
  // Additive: colours add up.
  rt_graphics_SetBlend(1);
  rt_graphics_SetAlpha(1);
  rt_graphics_SetColor(100, 50, 0);
  rt_graphics_DrawRect(40, 0, 20, 20);
  rt_graphics_DrawRect(40, 0, 10, 10);
  EndFrame();
  EXPECT_RGB(Pixel(5, 5), 127, 0, 128);
  EXPECT_RGB(Pixel(55, 15), 100, 50, 255);
  EXPECT_RGB(Pixel(45, 5), 200, 100, 255);
}

TEST_F(PixelsTest, TextureAlphaIsPremultipliedOnLoad) {
  // A 2 x 1 RGBA PNG: opaque white and half-transparent red, drawn over green.
  const unsigned char rgba[] = {255, 255, 255, 255, 255, 0, 0, 128};
  WritePng("half.png", 2, 1, 4, rgba);
  c_Image* image = rt_graphics_LoadImage(String("half.png"), 1, 0);
  ASSERT_NE(image, nullptr);
  BeginFrame({0, 255, 0});
  rt_graphics_Scale(10, 10);
  rt_graphics_DrawImage(image, 0, 0, 0);
  EndFrame();
  EXPECT_RGB(Pixel(5, 5), 255, 255, 255);
  EXPECT_RGB(Pixel(15, 5), 128, 127, 0);
}

TEST_F(PixelsTest, ScissorClipsWithTheOriginAtTheTop) {
  BeginFrame();
  rt_graphics_SetScissor(10, 20, 30, 40);
  rt_graphics_SetColor(255, 255, 0);
  rt_graphics_DrawRect(0, 0, 256, 256);
  EndFrame();
  EXPECT_RGB(Pixel(10, 20), 255, 255, 0);
  EXPECT_RGB(Pixel(39, 59), 255, 255, 0);
  EXPECT_RGB(Pixel(15, 19), 0, 0, 0);
  EXPECT_RGB(Pixel(15, 60), 0, 0, 0);
  EXPECT_RGB(Pixel(40, 30), 0, 0, 0);
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(box[1], kWindowSize - 20 - 40);
  // The whole window switches clipping off again.
  g->SetScissor(0, 0, kWindowSize, kWindowSize);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
}

TEST_F(PixelsTest, ReadPixelsGivesArgbRowsFromTheTop) {
  BeginFrame({0, 0, 0});
  rt_graphics_SetColor(255, 0, 0);
  rt_graphics_DrawRect(0, 0, 4, 1);  // top row red, second row black
  EndFrame();
  Array<int> out(2 * 6 + 1);
  g->ReadPixels(out, 0, 0, 4, 2, 1, 6);
  EXPECT_EQ(unsigned(out[1]), 0xffff0000u);
  EXPECT_EQ(unsigned(out[4]), 0xffff0000u);
  EXPECT_EQ(unsigned(out[7]), 0xff000000u);
  EXPECT_EQ(out[0], 0);  // before `offset`
  EXPECT_EQ(out[5], 0);  // between rows (pitch 6 > width 4)
  // A destination that cannot hold the rows is left alone.
  Array<int> small(4);
  g->ReadPixels(small, 0, 0, 4, 2, 0, 4);
  EXPECT_EQ(small[0], 0);
}

}  // namespace
