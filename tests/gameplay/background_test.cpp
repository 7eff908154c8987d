// The random generator and the backdrop: seeding, integer ranges, the star field, the ground grid, the
// drifting shapes and the pool of fading lines.
#include <cmath>

#include "gameplay_fixture.h"

class BackgroundTest : public GameplayTest {};

TEST_F(BackgroundTest, AFixedSeedGivesAFixedSequence) {
  // The first values after seeding 1234, worked out by hand from the generator's constants.
  const float expected[3] = {0.07249045372009277f, 0.46745437383651733f, 0.7365918755531311f};
  for (int run = 0; run < 2; ++run) {
    app->p_SeedRnd(1234);
    for (float e : expected) EXPECT_EQ(rt_random_Rnd(), e) << "run " << run;
  }
  EXPECT_EQ(rt_random_Seed, 3163638154u);

  app->p_SeedRnd(5);
  const float r = rt_random_Rnd();
  app->p_SeedRnd(5);
  EXPECT_EQ(rt_random_Rnd2(10, 20), 10 + 10 * r);
  app->p_SeedRnd(5);
  EXPECT_EQ(rt_random_Rnd3(8), 8 * r);
}

TEST_F(BackgroundTest, TheClockSeedTakesTheMilliseconds) {
  h->SetMillis(123456);
  app->p_SeedRnd(-37171650);
  const float fromClock = rt_random_Rnd();
  app->p_SeedRnd(123456);
  EXPECT_EQ(rt_random_Rnd(), fromClock);

  // The star field reseeds from the clock every frame, so the same clock reading repeats a frame's draws.
  app->p_DoStars(0, 0);
  const float afterStars = rt_random_Rnd();
  app->p_DoStars(0, 0);
  EXPECT_EQ(rt_random_Rnd(), afterStars);
}

TEST_F(BackgroundTest, RandIntegersCoverTheirRangeAndNoMore) {
  app->p_SeedRnd(99);
  int count8 = 0, lowest = 0, highest = 0;
  bool saw[129] = {};
  const int n = 200000;
  for (int i = 0; i < n; ++i) {
    int v = app->p_Rand(1, 8);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 8) << "the top value is inclusive, one above it never comes";
    count8 += v == 8;
    int w = app->p_Rand(-64, 64);
    ASSERT_GE(w, -64);
    ASSERT_LE(w, 64);
    saw[w + 64] = true;
    lowest += w == -64;
    highest += w == 64;
  }
  EXPECT_TRUE(saw[0]);
  EXPECT_TRUE(saw[128]);
  EXPECT_NEAR(double(count8) / n, 0.99 / 7.99, 0.004) << "the top value has 0.99 of the others' weight";
  EXPECT_GT(lowest, 0);
  EXPECT_GT(highest, 0);
}

TEST_F(BackgroundTest, ResetStarsTakesOnlyCountsInItsRange) {
  struct Case {
    int n, count;
    bool rebuilt;
  } cases[] = {{1, 1, true}, {499, 499, true}, {-1, 499, false}, {0, 499, true}, {500, 499, true}, {100, 100, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    app->m_Stars[0] = 1000;  // a frame no rebuild gives
    app->p_ResetStars(c.n);
    EXPECT_EQ(app->m_StarCount, c.count);
    EXPECT_EQ(app->m_Stars[0] != 1000, c.rebuilt);
  }
  for (int i = 0; i <= app->m_StarCount; ++i) {
    const float* s = &app->m_Stars[i * 10];
    ASSERT_TRUE(s[0] >= 0 && s[0] <= 63 && s[0] == std::floor(s[0]));
    ASSERT_TRUE(s[1] >= -8 && s[1] < 648 && s[2] >= -8 && s[2] < 488);
    ASSERT_TRUE(s[3] >= 0.2f && s[3] < 0.8f);
  }
}

TEST_F(BackgroundTest, StarsDriftByDepthAndWrapToTheOppositeEdge) {
  app->p_ResetStars(3);
  struct Case {
    float x, y, dx, dy;
    bool wrapX;  // otherwise y wraps
    float newPos;  // the wrapped coordinate
  } cases[] = {
      {-10, 100, -20, 0, true, 642},  // past the 16-pixel margin: back by the width plus 32
      {650, 100, 20, 0, true, -2},
      {300, -10, 0, -20, false, 482},
      {300, 490, 0, 20, false, -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    for (int i = 0; i <= 3; ++i) {
      float* s = &app->m_Stars[i * 10];
      s[0] = 70;  // a frame and depth that no wrap produces
      s[1] = i == 0 ? c.x : 300;
      s[2] = i == 0 ? c.y : 200;
      s[3] = 1.0f;
    }
    app->m_DrawCount = 0;
    app->p_DoStars(c.dx, c.dy);
    const float* s = &app->m_Stars[0];
    EXPECT_FLOAT_EQ(c.wrapX ? s[1] : s[2], c.newPos);
    const float fresh = c.wrapX ? s[2] : s[1];
    EXPECT_TRUE(fresh >= -8 && fresh < (c.wrapX ? 488 : 648)) << fresh;
    EXPECT_TRUE(s[3] >= 0.2f && s[3] < 0.8f) << "a new depth";
    EXPECT_LE(s[0], 63) << "a new frame";
    // The others moved by depth and kept their look.
    EXPECT_FLOAT_EQ(app->m_Stars[11], 300 + c.dx);
    EXPECT_EQ(app->m_Stars[10], 70);
  }
  // Each star is drawn with its frame and an alpha of its depth.
  std::vector<const float*> stars = Records(96);
  ASSERT_EQ(stars.size(), 4u);
  EXPECT_EQ(stars[1][7], 1.0f);
  EXPECT_EQ(stars[1][6], 70);
}

TEST_F(BackgroundTest, TheGridHasEightLevelLinesAndElevenConvergingOnes) {
  app->m_Player[91] = -63;
  app->p_ScrollGrid();
  EXPECT_FLOAT_EQ(app->m_Player[91], -64.5f + 128) << "below -64 the phase gains one cell";
  app->p_ScrollGrid();
  EXPECT_FLOAT_EQ(app->m_Player[91], 62);

  app->m_DrawCount = 0;
  app->p_DrawGrid();
  std::vector<const float*> lines = Records(kDrawLine);
  ASSERT_EQ(lines.size(), 19u);
  const float levels[8] = {352, 353, 357, 366, 382, 407, 443, 492};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(lines[i][1], -128);
    EXPECT_EQ(lines[i][4], 768);
    EXPECT_EQ(lines[i][2], levels[i]);
    EXPECT_EQ(lines[i][5], levels[i]);
    EXPECT_EQ(lines[i][11], 40);
    EXPECT_EQ(lines[i][12], 120);
    EXPECT_EQ(lines[i][7], 1);
  }
  for (int j = 0; j < 11; ++j) {
    const float x = -640 + 128 * j + 62;
    EXPECT_FLOAT_EQ(lines[8 + j][1], x + 320);
    EXPECT_FLOAT_EQ(lines[8 + j][2], 352);
    EXPECT_FLOAT_EQ(lines[8 + j][4], 2.5f * x + 320);
    EXPECT_FLOAT_EQ(lines[8 + j][5], 608);
  }

  // The grid respects the draw list's room like every other drawing.
  app->m_DrawCount = kDrawListLast - 15 * 3;
  app->p_DrawGrid();
  EXPECT_EQ(app->m_DrawCount, kDrawListLast + 15);
}

TEST_F(BackgroundTest, BoxesStartSpreadOutAndRenewPastTheLeftEdge) {
  app->p_LayoutBGBoxes();
  const float xs[5] = {-480, 0, 480, 960, 1440};
  for (int i = 0; i < 5; ++i) {
    const float* b = &app->m_BgBoxes[i * 10];
    EXPECT_EQ(b[1], xs[i]);
    EXPECT_TRUE(b[0] >= 0 && b[0] <= 3 && b[0] == std::floor(b[0]));
    EXPECT_TRUE(b[2] >= -96 && b[2] < 96);
    EXPECT_TRUE(b[5] >= 0 && b[5] < 360);
  }
  app->m_BgBoxes[1] = -1023.6f;
  app->m_DrawCount = 0;
  app->p_BGBoxes();
  EXPECT_EQ(app->m_BgBoxes[1], 1440) << "renewed at the right";
  EXPECT_EQ(app->m_BgBoxes[11], -0.5f);
  std::vector<const float*> boxes = Records(99);
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[1][3], -app->m_BgBoxes[15]);
  EXPECT_EQ(boxes[1][2], 240 + app->m_BgBoxes[12]);
  EXPECT_EQ(boxes[1][4], 2);
  EXPECT_EQ(boxes[1][7], 0.5f);
  EXPECT_EQ(app->m_Alpha, 1) << "the drawing state is reset afterwards";
}

TEST_F(BackgroundTest, BackgroundColourEasesAndSetsTheClearColour) {
  struct Case {
    int r, g, b;
    float alpha, toR, clsA;
  } cases[] = {
      {80, 0, 0, 0.5f, 80, 0.5f},
      {-123, -123, -123, -123, 80, 1},  // keeps the target, forces alpha 1
      {-122, 0, 0, -1, -122, 0},        // -122 is still a colour; a negative alpha is 0
      {0, 0, 0, 3, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.r);
    float before = app->m_BgR;
    app->m_DrawCount = 30;
    app->p_DoBG(c.r, c.g, c.b, c.alpha);
    EXPECT_EQ(app->m_BgToR, c.toR);
    EXPECT_FLOAT_EQ(app->m_BgR, before + (c.toR - before) / 8);
    EXPECT_EQ(app->m_ClsR, app->m_BgR);
    EXPECT_EQ(app->m_ClsA, c.clsA);
    EXPECT_EQ(app->m_DrawCount, 0);
    EXPECT_EQ(app->m_BgW, rt_Quorva_jscrw);
  }
}

TEST_F(BackgroundTest, FadingLinesDriftFadeAndFillTheirPoolFromTheTop) {
  for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 0;
  app->p_ALine(10, 20, 30, 40, 1, 2, 3, 0.35f, 1);
  const float* top = &app->m_Lines[1500 * 10];
  EXPECT_EQ(top[0], 0.35f) << "the highest free record is taken";
  EXPECT_EQ(top[3], 25) << "the second end sits 5 pixels left";
  app->p_ALine(10, 20, 30, 40, 1, 2, 3, 0.75f, 2);
  const float* slow = &app->m_Lines[1499 * 10];
  EXPECT_EQ(slow[6], 2);

  struct Life {
    float life;
    int draws;
  } lives[] = {{0.35f, 17}, {0.5f, 24}, {0.75f, 37}};
  for (const Life& l : lives) {
    for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 0;
    app->p_ALine(0, 0, 5, 0, 200, 100, 50, l.life, 1);
    int draws = 0;
    while (app->m_Lines[15000] > 0 && draws < 100) {
      app->m_DrawCount = 0;
      app->p_DoLines(-5, 0);
      draws += Records(kDrawLine).size() == 1;
    }
    EXPECT_EQ(draws, l.draws) << l.life;
  }

  // Drift: full for class 1, 0.35 of it for class 2; alpha is 1.5 times the life, at most 1.
  for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 0;
  app->p_ALine(100, 0, 105, 0, 1, 2, 3, 0.5f, 1);
  app->p_ALine(100, 0, 105, 0, 1, 2, 3, 0.5f, 2);
  app->m_DrawCount = 0;
  app->p_DoLines(-10, 4);
  std::vector<const float*> drawn = Records(kDrawLine);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_FLOAT_EQ(drawn[0][1], 96.5f);
  EXPECT_FLOAT_EQ(drawn[0][2], 1.4f);
  EXPECT_FLOAT_EQ(drawn[1][1], 90);
  EXPECT_FLOAT_EQ(drawn[1][5], 4);
  EXPECT_FLOAT_EQ(drawn[0][7], 0.75f);
  EXPECT_EQ(drawn[0][10], 1);

  // With every record alive, new lines are dropped without notice.
  for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 1;
  app->m_Lines[26000 - 1] = 7;  // beyond the last record: untouched
  app->p_ALine(0, 0, 0, 0, 9, 9, 9, 0.3f, 1);
  for (int i = 0; i <= app->m_LineCount; ++i) ASSERT_EQ(app->m_Lines[i * 10], 1);
  EXPECT_EQ(app->m_Lines[26000 - 1], 7);
}
