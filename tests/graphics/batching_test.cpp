// The renderer's batching rule, counted inside the renderer: when primitives share one draw call, when a
// change of kind, texture or a full buffer flushes, and how many segments an oval gets.
#include <GL/gl.h>

#include "gl_fixture.h"

namespace {

using BatchingTest = GlTest;

TEST_F(BatchingTest, LikePrimitivesShareOneDrawCallAndAChangeOfKindFlushes) {
  g->BeginRender();
  g->DrawRect(0, 0, 10, 10);
  g->DrawRect(20, 0, 10, 10);
  EXPECT_EQ(g->flushCount, 0);
  g->EndRender();
  EXPECT_EQ(g->flushCount, 1);
  EXPECT_EQ(g->drawCalls, 1);
  EXPECT_EQ(g->lastFlushVertices, 8);

  g->BeginRender();
  g->DrawRect(0, 0, 10, 10);
  g->DrawLine(0, 0, 10, 10);
  g->DrawRect(20, 0, 10, 10);
  g->EndRender();
  EXPECT_EQ(g->flushCount, 1 + 3);
}

// The counters only grow over a session (about 30 hours of play pass 2^31 draw calls); they keep counting
// past the 32-bit signed range.
TEST_F(BatchingTest, TheCountersKeepCountingPastTwoToThe31) {
  g->flushCount = 2147483647;
  g->drawCalls = 2147483647;
  g->BeginRender();
  g->DrawRect(0, 0, 10, 10);
  g->EndRender();
  EXPECT_EQ(int64_t(g->flushCount), 2147483648LL);
  EXPECT_EQ(int64_t(g->drawCalls), 2147483648LL);
}

TEST_F(BatchingTest, AFullBufferFlushesBeforeTheQuadThatDoesNotFit) {
  g->BeginRender();
  for (int i = 0; i < 300; ++i) g->DrawRect(float(i % 200), float(i / 200), 1, 1);
  EXPECT_EQ(g->flushCount, 1);
  EXPECT_EQ(g->lastFlushVertices, 1024);
  EXPECT_EQ(g->batchCount, 176);
  g->EndRender();
  EXPECT_EQ(g->flushCount, 2);
  EXPECT_EQ(g->lastFlushVertices, 176);
}

TEST_F(BatchingTest, OneImageSharesABatchAndTwoImagesAlternate) {
  c_Image* a = rt_graphics_CreateImage(8, 8, 1, 0);
  c_Image* b = rt_graphics_CreateImage(8, 8, 1, 0);
  BeginFrame();
  int before = g->flushCount;
  rt_graphics_DrawImage(a, 0, 0, 0);
  rt_graphics_DrawImage(a, 10, 0, 0);
  EndFrame();
  EXPECT_EQ(g->flushCount - before, 1);
  EXPECT_EQ(g->lastFlushVertices, 8);

  BeginFrame();
  before = g->flushCount;
  rt_graphics_DrawImage(a, 0, 0, 0);
  rt_graphics_DrawImage(b, 10, 0, 0);
  rt_graphics_DrawImage(a, 20, 0, 0);
  EndFrame();
  EXPECT_EQ(g->flushCount - before, 3);
}

TEST_F(BatchingTest, ClsDropsThePendingVertices) {
  g->BeginRender();
  g->SetColor(255, 255, 255);
  g->DrawRect(0, 0, 50, 50);
  g->Cls(0, 0, 0);
  g->EndRender();
  EXPECT_EQ(g->flushCount, 0);
  EXPECT_RGB(Pixel(10, 10), 0, 0, 0);
}

TEST_F(BatchingTest, ColourAndMatrixChangesDoNotFlush) {
  g->BeginRender();
  g->DrawRect(0, 0, 10, 10);
  g->SetColor(255, 128, 0);
  g->SetAlpha(0.5f);
  g->SetMatrix(2, 0, 0, 2, 5, 5);
  g->DrawRect(0, 0, 10, 10);
  EXPECT_EQ(g->flushCount, 0);
  // Premultiplied bytes R, G, B, A in memory; the first quad keeps the colour it was given.
  const unsigned char* c = reinterpret_cast<const unsigned char*>(&g->vertexBuffer[4].color);
  EXPECT_EQ(c[0], 127);
  EXPECT_EQ(c[1], 64);
  EXPECT_EQ(c[2], 0);
  EXPECT_EQ(c[3], 127);
  EXPECT_EQ(g->vertexBuffer[0].color, 0xffffffffu);
  // Transformed on the CPU: (10, 10) under 2x plus (5, 5).
  EXPECT_FLOAT_EQ(g->vertexBuffer[6].x, 25);
  EXPECT_FLOAT_EQ(g->vertexBuffer[6].y, 25);
  EXPECT_FLOAT_EQ(g->vertexBuffer[2].x, 10);
  g->EndRender();
  EXPECT_EQ(g->flushCount, 1);
}

TEST_F(BatchingTest, OvalSegmentCounts) {
  struct Case {
    float w, h, scale;
    int segments;
  } cases[] = {
      {4, 4, 1, 12}, {1000, 1000, 1, 1000}, {3000, 3000, 1, 1024}, {10, 7.9f, 1, 12}, {100, 50, 2, 148},
  };
  for (const Case& k : cases) {
    g->BeginRender();
    g->SetMatrix(k.scale, 0, 0, k.scale, 0, 0);
    g->DrawOval(0, 0, k.w, k.h);
    EXPECT_EQ(g->batchKind, gxtkGraphics::kFans);
    EXPECT_EQ(g->batchCount, k.segments) << k.w << " x " << k.h << " at scale " << k.scale;
    g->EndRender();
  }
}

// Ovals and polygons of any size are fans and share one batch, drawn by one call in the order drawn: the
// later fan covers the earlier one where they overlap. A full buffer still flushes before the fan that
// does not fit.
TEST_F(BatchingTest, FansOfAnySizeShareOneBatchInDrawingOrder) {
  BeginFrame();
  uint64_t calls = g->drawCalls, flushes = g->flushCount;
  g->SetColor(255, 0, 0);
  g->DrawOval(20, 20, 100, 100);  // 100 segments
  g->SetColor(0, 255, 0);
  g->DrawOval(60, 60, 40, 40);  // 40 segments, over the red one
  g->SetColor(0, 0, 255);
  Array<float> pentagon(10);
  const float pts[10] = {150, 150, 200, 150, 210, 190, 175, 220, 140, 190};
  for (int i = 0; i < 10; ++i) pentagon[i] = pts[i];
  g->DrawPoly(pentagon);
  EXPECT_EQ(g->flushCount, flushes);
  EXPECT_EQ(g->fanCount, 3);
  EXPECT_EQ(g->batchCount, 100 + 40 + 5);
  EndFrame();
  EXPECT_EQ(g->flushCount - flushes, 1u);
  EXPECT_EQ(g->drawCalls - calls, 1u);
  EXPECT_RGB(Pixel(35, 70), 255, 0, 0);
  EXPECT_RGB(Pixel(80, 80), 0, 255, 0);
  EXPECT_RGB(Pixel(175, 180), 0, 0, 255);
  EXPECT_RGB(Pixel(130, 130), 0, 0, 0);

  g->BeginRender();
  for (int i = 0; i < 10; ++i) g->DrawOval(0, 0, 100, 100);
  EXPECT_EQ(g->batchCount, 1000);
  g->DrawOval(0, 0, 50, 50);
  EXPECT_EQ(g->lastFlushVertices, 1000) << "the eleventh oval does not fit";
  EXPECT_EQ(g->fanCount, 1);
  EXPECT_EQ(g->fanFirst[0], 0);
  EXPECT_EQ(g->fanSize[0], 48);
  g->EndRender();
}

// Texturing is switched on for the first textured batch and off again only for an untextured one, and
// each frame ends with it off; the untextured shapes between sprites keep their plain colour.
TEST_F(BatchingTest, TexturingFollowsTheBatchesAndEndsOff) {
  c_Image* a = rt_graphics_CreateImage(8, 8, 1, 0);
  c_Image* b = rt_graphics_CreateImage(8, 8, 1, 0);
  Array<int> blue(64);
  for (int i = 0; i < 64; ++i) blue[i] = int(0xff0000ffu);
  g->WritePixels2(a->m_surface, blue, 0, 0, 8, 8, 0, 8);
  g->WritePixels2(b->m_surface, blue, 0, 0, 8, 8, 0, 8);
  BeginFrame();
  rt_graphics_DrawImage(a, 0, 0, 0);
  rt_graphics_DrawImage(b, 10, 0, 0);
  g->Flush();
  EXPECT_TRUE(g->texturing);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  rt_graphics_SetColor(255, 255, 0);
  rt_graphics_DrawRect(30, 0, 8, 8);
  g->Flush();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  rt_graphics_SetColor(255, 255, 255);
  rt_graphics_DrawImage(a, 50, 0, 0);
  EndFrame();
  EXPECT_FALSE(g->texturing);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_RGB(Pixel(4, 4), 0, 0, 255);
  EXPECT_RGB(Pixel(14, 4), 0, 0, 255);
  EXPECT_RGB(Pixel(34, 4), 255, 255, 0);
  EXPECT_RGB(Pixel(54, 4), 0, 0, 255);
}

TEST_F(BatchingTest, PolygonSizeGivesThePrimitiveKind) {
  struct Case {
    int length, kind;
  } cases[] = {{2, 1}, {6, 3}, {7, 3}, {8, 4}, {10, 5}, {0, 0}, {1, 0}, {2050, 0}};
  for (const Case& k : cases) {
    g->BeginRender();
    g->batchKind = 0;
    Array<float> verts(k.length);
    g->DrawPoly(verts);
    EXPECT_EQ(g->batchKind, k.kind) << k.length << " floats";
    EXPECT_EQ(g->batchCount, k.kind) << k.length << " floats";
    g->EndRender();
  }
}

}  // namespace
