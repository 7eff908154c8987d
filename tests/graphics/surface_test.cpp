// Surfaces: pixels kept for the surface's life and re-uploaded into a new GL context, the power-of-two
// fallback, premultiplication of decoded pixels and writes that do not fit.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app.h"  // rt_data_FixDataPath
#include "gl_fixture.h"

namespace {

using SurfaceTest = GlTest;

TEST_F(SurfaceTest, ImageComesBackFromRetainedPixelsAfterTheWindowIsReopened) {
  unsigned char rgb[4 * 4 * 3];
  for (int i = 0; i < 16; ++i) {
    rgb[i * 3] = 200;
    rgb[i * 3 + 1] = 100;
    rgb[i * 3 + 2] = 50;
  }
  std::string path = WritePng("reopen.png", 4, 4, 3, rgb);
  c_Image* image = rt_graphics_LoadImage(String("reopen.png"), 1, 0);
  ASSERT_NE(image, nullptr);
  int seqBefore = image->m_surface->seq;
  std::remove(path.c_str());  // a reload from disk would now fail

  ASSERT_TRUE(vxgl::Reopen(kWindowSize, kWindowSize));
  EXPECT_NE(image->m_surface->seq, glfwGraphicsSeq);
  BeginFrame();
  rt_graphics_DrawImage(image, 10, 10, 0);
  EndFrame();
  EXPECT_EQ(image->m_surface->seq, glfwGraphicsSeq);
  EXPECT_NE(seqBefore, glfwGraphicsSeq);
  EXPECT_RGB(Pixel(11, 11), 200, 100, 50);
  EXPECT_RGB(Pixel(14, 11), 0, 0, 0);
}

TEST_F(SurfaceTest, RejectedSizeFallsBackToPowersOfTwoAndStillDrawsTheWholeImage) {
  gxtkSurface::rejectNonPowerOfTwo = true;
  // 100 x 60, green with a red last column and a blue last row.
  c_Image* image = rt_graphics_CreateImage(100, 60, 1, 0);
  gxtkSurface* s = image->m_surface;
  Array<int> pixels(100 * 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x)
      pixels[y * 100 + x] = int(x == 99 ? 0xffff0000u : y == 59 ? 0xff0000ffu : 0xff00ff00u);
  g->WritePixels2(s, pixels, 0, 0, 100, 60, 0, 100);

  GLint tw = 0, th = 0;
  s->Bind();
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tw);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &th);
  EXPECT_EQ(tw, 128);
  EXPECT_EQ(th, 64);
  EXPECT_FLOAT_EQ(s->uScale, 1.0f / 128);
  EXPECT_FLOAT_EQ(s->vScale, 1.0f / 64);

  BeginFrame();
  rt_graphics_DrawImage(image, 0, 0, 0);
  EndFrame();
  EXPECT_FLOAT_EQ(g->vertexBuffer[1].u, 100.0f / 128);
  EXPECT_RGB(Pixel(0, 0), 0, 255, 0);
  EXPECT_RGB(Pixel(98, 30), 0, 255, 0);
  EXPECT_RGB(Pixel(99, 30), 255, 0, 0);
  EXPECT_RGB(Pixel(50, 59), 0, 0, 255);
  EXPECT_RGB(Pixel(100, 30), 0, 0, 0);
  EXPECT_RGB(Pixel(50, 60), 0, 0, 0);
}

// The width of the storage of the surface's texture; 0 while it has none.
GLint StorageWidth(gxtkSurface* s) {
  glBindTexture(GL_TEXTURE_2D, s->texture);
  GLint w = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  return w;
}

TEST_F(SurfaceTest, ABlankSurfaceTakesTextureStorageOnlyOnceItIsDrawnOrWritten) {
  // Drawn: a blank 2048 x 2048 surface (16 MB of texture) reserves nothing until then.
  c_Image* drawn = rt_graphics_CreateImage(2048, 2048, 1, 0);
  gxtkSurface* s = drawn->m_surface;
  ASSERT_NE(s->texture, 0u);
  EXPECT_EQ(StorageWidth(s), 0);
  EXPECT_FLOAT_EQ(s->uScale, 1.0f / 2048) << "its scales are known before the first draw";
  BeginFrame({0, 0, 255});
  rt_graphics_DrawImage(drawn, 0, 0, 0);
  EndFrame();
  EXPECT_EQ(StorageWidth(s), 2048);
  EXPECT_RGB(Pixel(5, 5), 0, 0, 255) << "a blank surface is transparent";

  // Written: with sizes that must be powers of two, the first write makes the larger texture.
  gxtkSurface::rejectNonPowerOfTwo = true;
  c_Image* written = rt_graphics_CreateImage(100, 60, 1, 0);
  s = written->m_surface;
  EXPECT_EQ(StorageWidth(s), 0);
  EXPECT_FLOAT_EQ(s->uScale, 1.0f / 128);
  Array<int> pixels(4);
  for (int i = 0; i < 4; ++i) pixels[i] = int(0xffff0000u);
  g->WritePixels2(s, pixels, 0, 0, 2, 2, 0, 2);
  gxtkSurface::rejectNonPowerOfTwo = false;
  EXPECT_EQ(StorageWidth(s), 128);
  BeginFrame();
  rt_graphics_DrawImage(written, 0, 0, 0);
  EndFrame();
  EXPECT_RGB(Pixel(1, 1), 255, 0, 0);
  EXPECT_RGB(Pixel(3, 3), 0, 0, 0);
}

TEST_F(SurfaceTest, DecodedPixelsKeepTheirChannelsAndArePremultiplied) {
  struct Case {
    int channels;
    unsigned char in[4], out[4];
  } cases[] = {
      {1, {90}, {90}},
      {2, {200, 128}, {100, 128}},
      {3, {200, 100, 50}, {200, 100, 50}},
      {4, {200, 100, 50, 128}, {100, 50, 25, 128}},
  };
  for (const Case& k : cases) {
    std::string name = "depth" + std::to_string(k.channels) + ".png";
    WritePng(name, 1, 1, k.channels, k.in);
    int64_t before = gc_ext_new_bytes.load();
    gxtkSurface* s = g->LoadSurface(rt_data_FixDataPath(String(name.c_str())));
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ(gc_ext_new_bytes.load() - before, k.channels) << name;
    EXPECT_EQ(s->depth, k.channels);
    EXPECT_EQ(std::memcmp(s->pixels, k.out, size_t(k.channels)), 0) << name;
  }
}

TEST_F(SurfaceTest, MissingOrCorruptImageFilesGiveNoImage) {
  WriteFile("empty.png", "");
  WriteFile("garbage.png", std::string(300, '\x5a'));
  // A real PNG cut off in the middle of its data.
  unsigned char rgba[16 * 16 * 4];
  for (int i = 0; i < int(sizeof rgba); ++i) rgba[i] = (unsigned char)(i * 37);
  std::string full = WritePng("full.png", 16, 16, 4, rgba);
  FILE* f = fopen(full.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::string bytes(4096, '\0');
  bytes.resize(fread(&bytes[0], 1, bytes.size(), f));
  fclose(f);
  WriteFile("truncated.png", bytes.substr(0, bytes.size() / 2));
  // A well-formed picture of another format: only PNG files are decoded.
  WriteFile("picture.png", std::string("P5 2 2 255\n", 11) + std::string(4, '\x80'));
  for (const char* name : {"absent.png", "empty.png", "garbage.png", "truncated.png", "picture.png"}) {
    EXPECT_EQ(rt_graphics_LoadImage(String(name), 1, 0), nullptr) << name;
    EXPECT_EQ(rt_graphics_LoadImage2(String(name), 4, 4, 1, 0), nullptr) << name;
  }
  EXPECT_NE(rt_graphics_LoadImage(String("full.png"), 1, 0), nullptr);
}

TEST_F(SurfaceTest, PixelWritesOutsideTheSurfaceOrTheArrayAreRefused) {
  gxtkSurface* s = g->CreateSurface(4, 4);
  Array<int> pixels(16);
  for (int i = 0; i < 16; ++i) pixels[i] = -1;
  struct Case {
    int x, y, w, h, offset, pitch;
  } refused[] = {{-1, 0, 2, 2, 0, 4}, {3, 0, 2, 2, 0, 4}, {0, 3, 2, 2, 0, 4},
                 {0, 0, 4, 4, 1, 4},  {0, 0, 2, 2, -1, 4}, {0, 0, 4, 4, 0, 5}};
  for (const Case& k : refused) {
    g->WritePixels2(s, pixels, k.x, k.y, k.w, k.h, k.offset, k.pitch);
    EXPECT_EQ(s->pixels, nullptr) << k.x << "," << k.y << " " << k.w << "x" << k.h << " @" << k.offset;
  }
  // A fitting block: the rest of a never-written surface reads as transparent black, not heap garbage.
  g->WritePixels2(s, pixels, 1, 1, 2, 2, 0, 2);
  ASSERT_NE(s->pixels, nullptr);
  EXPECT_EQ(s->pixels[0], 0);
  EXPECT_EQ(s->pixels[3], 0);
  EXPECT_EQ(s->pixels[(1 * 4 + 1) * 4 + 3], 255);
  s->Discard();
  EXPECT_EQ(s->pixels, nullptr);
  EXPECT_EQ(s->seq, -1);
}

}  // namespace
