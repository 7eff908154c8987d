// The graphics module: image frame layouts and flags, their runtime errors, the matrix composition and
// stack, the lazily sent matrix, the render pass reset and the default font.
#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "gl_fixture.h"

namespace {

// A surface of the given size with no pixels or texture: enough for frame layout.
gxtkSurface* BareSurface(int w, int h) {
  gxtkSurface* s = new gxtkSurface;
  s->width = w;
  s->height = h;
  return s;
}

std::vector<std::pair<int, int>> FramePositions(c_Image* image) {
  std::vector<std::pair<int, int>> out;
  for (int i = 0; i < image->m_frames.Length(); ++i) out.push_back({image->m_frames[i]->m_x, image->m_frames[i]->m_y});
  return out;
}

using ImageTest = ModuleTest;

TEST_F(ImageTest, StripLayoutsAndFlags) {
  struct Case {
    int sw, sh, frames, flags;
    int width, height, firstX, step, resultFlags;
    float handleX, handleY;
  } cases[] = {
      {320, 32, 10, 0, 32, 32, 0, 32, 0, 0, 0},
      {320, 32, 10, c_Image::PadX, 30, 32, 1, 32, c_Image::PadX, 0, 0},
      {320, 32, 10, c_Image::PadY, 32, 30, 0, 32, c_Image::PadY, 0, 0},
      {64, 64, 1, 0, 64, 64, 0, 0, c_Image::WholeSurface, 0, 0},
      {64, 64, 1, c_Image::PadX, 62, 64, 1, 0, c_Image::PadX, 0, 0},
      {30, 20, 1, c_Image::HandleCentre, 30, 20, 0, 0, c_Image::WholeSurface, 15, 10},
      {60, 20, 2, c_Image::HandleCentre | c_Image::PadX, 28, 20, 1, 30, c_Image::PadX, 14, 10},
      {64, 64, 1, c_Image::WholeSurface | c_Image::PadY, 64, 62, 0, 0, c_Image::PadY, 0, 0},
  };
  for (const Case& k : cases) {
    c_Image* image = (new c_Image)->m_new()->p_Init(BareSurface(k.sw, k.sh), k.frames, k.flags);
    SCOPED_TRACE(testing::Message() << k.sw << "x" << k.sh << " frames " << k.frames << " flags " << k.flags);
    EXPECT_EQ(image->m_width, k.width);
    EXPECT_EQ(image->m_height, k.height);
    EXPECT_EQ(image->m_flags, k.resultFlags);
    EXPECT_FLOAT_EQ(image->m_handleX, k.handleX);
    EXPECT_FLOAT_EQ(image->m_handleY, k.handleY);
    ASSERT_EQ(image->m_frames.Length(), k.frames);
    for (int i = 0; i < k.frames; ++i) EXPECT_EQ(image->m_frames[i]->m_x, k.firstX + i * k.step);
    EXPECT_EQ(image->m_frames[k.frames - 1]->m_y, (k.flags & c_Image::PadY) ? 1 : 0);
  }
}

TEST_F(ImageTest, GridFillsRowsAndFailsWhenAFrameDoesNotFit) {
  c_Image* image = (new c_Image)->m_new()->p_Init2(BareSurface(100, 200), 0, 0, 48, 48, 5, 0, nullptr, 0, 0, 100, 200);
  std::vector<std::pair<int, int>> expected = {{0, 0}, {48, 0}, {0, 48}, {48, 48}, {0, 96}};
  EXPECT_EQ(FramePositions(image), expected);
  EXPECT_EQ(image->m_flags, 0);  // several frames: never the whole surface

  // The area's offset moves every frame; the layout itself stays within the area.
  image = (new c_Image)->m_new()->p_Init2(BareSurface(100, 200), 0, 0, 48, 48, 3, 0, nullptr, 2, 3, 96, 96);
  expected = {{2, 3}, {50, 3}, {2, 51}};
  EXPECT_EQ(FramePositions(image), expected);

  EXPECT_RUNTIME_ERROR(
      (new c_Image)->m_new()->p_Init2(BareSurface(100, 200), 0, 0, 48, 48, 9, 0, nullptr, 0, 0, 100, 200),
      "Trazel Runtime Error : Image frame outside surface");
  EXPECT_RUNTIME_ERROR(
      (new c_Image)->m_new()->p_Init2(BareSurface(100, 200), 0, 0, 120, 48, 1, 0, nullptr, 0, 0, 100, 200),
      "Image frame outside surface");
}

TEST_F(ImageTest, InitialisingTwiceIsARuntimeError) {
  c_Image* image = (new c_Image)->m_new()->p_Init(BareSurface(8, 8), 1, 0);
  EXPECT_RUNTIME_ERROR(image->p_Init(BareSurface(8, 8), 1, 0), "Trazel Runtime Error : Image already initialized");
  EXPECT_RUNTIME_ERROR(image->p_Init2(BareSurface(8, 8), 0, 0, 8, 8, 1, 0, nullptr, 0, 0, 8, 8),
                       "Image already initialized");
}

using MatrixTest = ModuleTest;

// Where the context's matrix maps (x, y).
std::pair<float, float> Apply(float x, float y) {
  c_GraphicsContext* m = rt_graphics_context;
  return {m->m_a * x + m->m_c * y + m->m_tx, m->m_b * x + m->m_d * y + m->m_ty};
}

TEST_F(MatrixTest, LaterTransformsActOnThePointFirst) {
  rt_graphics_Translate(10, 0);
  rt_graphics_Rotate(90);
  auto p = Apply(1, 0);
  EXPECT_NEAR(p.first, 10, 1e-5);
  EXPECT_NEAR(p.second, -1, 1e-5);
  rt_graphics_Scale(2, 3);
  p = Apply(1, 1);  // scaled to (2, 3), turned to (3, -2), moved to (13, -2)
  EXPECT_NEAR(p.first, 13, 1e-5);
  EXPECT_NEAR(p.second, -2, 1e-5);
  EXPECT_EQ(rt_graphics_context->m_transformed, 1);
  rt_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
  EXPECT_EQ(rt_graphics_context->m_transformed, 0);
}

TEST_F(MatrixTest, StackGrowsAtThe33rdPushAndKeepsEarlierMatrices) {
  c_GraphicsContext* ctx = rt_graphics_context;
  ASSERT_EQ(ctx->m_matrixStack.Length(), 192);
  for (int i = 0; i < 33; ++i) {
    rt_graphics_SetMatrix(1, 0, 0, 1, float(i), float(-i));
    rt_graphics_PushMatrix();
    EXPECT_EQ(ctx->m_matrixStack.Length(), i < 32 ? 192 : 384) << "push " << i + 1;
  }
  for (int i = 32; i >= 0; --i) {
    rt_graphics_PopMatrix();
    EXPECT_EQ(ctx->m_tx, float(i));
    EXPECT_EQ(ctx->m_ty, float(-i));
  }
  // A pop with nothing saved leaves the matrix alone.
  rt_graphics_PopMatrix();
  EXPECT_EQ(ctx->m_tx, 0);
  EXPECT_EQ(ctx->m_matrixSp, 0);
}

using RenderPassTest = GlTest;

TEST_F(RenderPassTest, MatrixReachesTheDeviceOnlyWithTheNextDraw) {
  BeginFrame();
  rt_graphics_Translate(5, 7);
  EXPECT_FALSE(g->transformed);
  EXPECT_EQ(rt_graphics_context->m_matrixDirty, 1);
  rt_graphics_DrawEllipse(100, 100, 10, 5);
  EXPECT_TRUE(g->transformed);
  EXPECT_EQ(g->tx, 5);
  EXPECT_EQ(g->ty, 7);
  EXPECT_EQ(rt_graphics_context->m_matrixDirty, 0);
  // The ellipse's rectangle is (90, 95, 20, 10): its first vertex is the right end, moved by (5, 7).
  EXPECT_EQ(g->batchKind, gxtkGraphics::kFans);
  EXPECT_EQ(g->batchCount, 12);
  EXPECT_FLOAT_EQ(g->vertexBuffer[0].x, 115);
  EXPECT_FLOAT_EQ(g->vertexBuffer[0].y, 107);
  EndFrame();
  // Outside a render pass drawing does nothing.
  int pending = g->batchCount;
  rt_graphics_DrawRect(0, 0, 5, 5);
  EXPECT_EQ(g->batchCount, pending);
}

// A rotated, scaled sprite lands on exactly the vertices that the matrix stack's steps give (push,
// translate, rotate, scale, translate by the handle, draw, pop), under a transformed current matrix, and
// leaves the matrix and the stack as they were.
TEST_F(RenderPassTest, ASpriteLandsWhereTheMatrixStepsPutIt) {
  c_Image* image = rt_graphics_CreateImage(24, 16, 2, c_Image::HandleCentre);
  struct Case {
    float x, y, rotation, sx, sy;
  } cases[] = {{100, 80, 0, 1, 1},    {100.25f, 80.5f, 37.5f, 1.5f, 0.75f}, {3, 200, -90, 2, 2},
               {64, 64, 359.9f, -1, 1}, {0.1f, 0.2f, 1e-3f, 0.01f, 40},     {50, 50, 720, 1, 1}};
  for (const Case& k : cases) {
    BeginFrame();
    rt_graphics_Translate(7.5f, -3);
    rt_graphics_Rotate(12);
    rt_graphics_Scale(1.25f, 0.8f);
    rt_graphics_PushMatrix();
    rt_graphics_Translate(k.x, k.y);
    rt_graphics_Rotate(k.rotation);
    rt_graphics_Scale(k.sx, k.sy);
    rt_graphics_Translate(-image->m_handleX, -image->m_handleY);
    rt_graphics_DrawImage(image, image->m_handleX, image->m_handleY, 1);
    rt_graphics_PopMatrix();
    gxtkVertex expected[4];
    std::copy_n(g->vertexBuffer + g->batchCount - 4, 4, expected);
    const float before[6] = {rt_graphics_context->m_a, rt_graphics_context->m_b, rt_graphics_context->m_c,
                             rt_graphics_context->m_d, rt_graphics_context->m_tx, rt_graphics_context->m_ty};
    const int sp = rt_graphics_context->m_matrixSp;

    rt_graphics_DrawImage2(image, k.x, k.y, k.rotation, k.sx, k.sy, 1);
    const gxtkVertex* got = g->vertexBuffer + g->batchCount - 4;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(std::memcmp(&got[i], &expected[i], sizeof(gxtkVertex)), 0)
          << "vertex " << i << " at rotation " << k.rotation << ": " << got[i].x << "," << got[i].y << " against "
          << expected[i].x << "," << expected[i].y;
    }
    const float after[6] = {rt_graphics_context->m_a, rt_graphics_context->m_b, rt_graphics_context->m_c,
                            rt_graphics_context->m_d, rt_graphics_context->m_tx, rt_graphics_context->m_ty};
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    EXPECT_EQ(rt_graphics_context->m_matrixSp, sp);
    EndFrame();
  }
}

TEST_F(RenderPassTest, BeginRenderResetsStateButKeepsTheFont) {
  c_Image* font = rt_graphics_CreateImage(8, 8, 4, 0);
  BeginFrame();
  rt_graphics_SetFont(font, 48);
  rt_graphics_SetColor(10, 20, 30);
  rt_graphics_SetAlpha(0.25f);
  rt_graphics_SetBlend(1);
  rt_graphics_SetScissor(1.9f, 2, 3, 4);
  rt_graphics_Translate(3, 3);
  rt_graphics_PushMatrix();
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  EndFrame();
  BeginFrame();
  c_GraphicsContext* ctx = rt_graphics_context;
  EXPECT_EQ(ctx->m_matrixSp, 0);
  EXPECT_EQ(ctx->m_tx, 0);
  EXPECT_EQ(ctx->m_red, 255);
  EXPECT_EQ(ctx->m_alpha, 1);
  EXPECT_EQ(ctx->m_blend, 0);
  EXPECT_EQ(ctx->m_scissorW, kWindowSize);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_EQ(g->packedColor, 0xffffffffu);
  EXPECT_EQ(ctx->m_font, font);
  EXPECT_EQ(ctx->m_firstChar, 48);
  EndFrame();
}

TEST_F(RenderPassTest, DefaultFontIsLoadedOnFirstNeed) {
  // Without the file the font stays absent.
  rt_graphics_SetFont(nullptr, 65);
  EXPECT_EQ(rt_graphics_context->m_font, nullptr);
  EXPECT_EQ(rt_graphics_context->m_firstChar, 32);

  // 96 glyphs of 8 pixels plus a 1-pixel border on each side, in one row.
  std::vector<unsigned char> grey(960 * 12, 255);
  WritePng("vorn_font.png", 960, 12, 1, grey.data());
  rt_graphics_SetFont(nullptr, 65);
  c_Image* font = rt_graphics_context->m_font;
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font, rt_graphics_context->m_defaultFont);
  EXPECT_EQ(font->m_frames.Length(), 96);
  EXPECT_EQ(font->m_width, 8);
  EXPECT_EQ(font->m_frames[0]->m_x, 1);
  EXPECT_EQ(font->m_frames[95]->m_x, 951);
  std::remove((TestHost::Get().dataDir + "/vorn_font.png").c_str());
}

}  // namespace
