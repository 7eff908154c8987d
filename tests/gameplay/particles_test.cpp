// Particles: allocation from the top of the pool, the pop-up's life, the kinds' physics, drawing and
// fading, and a full pool.
#include <cmath>

#include "gameplay_fixture.h"

class ParticlesTest : public GameplayTest {
 protected:
  void SetUp() override {
    GameplayTest::SetUp();
    StartEmptyGame();
  }
  float* Put(int record, std::initializer_list<float> slots) {
    float* q = &app->m_Particles[record * 10];
    for (int s = 0; s < 10; ++s) q[s] = 0;
    int s = 0;
    for (float v : slots) q[s++] = v;
    return q;
  }
};

TEST_F(ParticlesTest, APopUpStartsInTheTopRecordAndLivesAHundredUpdates) {
  app->p_AddParticle(99, 100, 200, 0, -0.25f, 5, 3, 0);
  const float* q = &app->m_Particles[250 * 10];
  EXPECT_EQ(q[0], 99) << "an empty pool is filled from record 250 down";
  EXPECT_EQ(q[7], 1);
  EXPECT_EQ(q[9], 5);
  EXPECT_TRUE(q[5] >= 0 && q[5] <= 360 && q[5] == std::floor(q[5]));
  EXPECT_TRUE(q[6] >= -7 && q[6] < 7);
  app->p_AddParticle(1, 0, 0, 0, 0, 0, 9, 0);
  EXPECT_EQ(app->m_Particles[249 * 10], 1);

  app->m_Particles[2490] = 0;
  int shown = 0;
  while (q[0] != 0 && shown < 200) {
    app->m_DrawCount = 0;
    app->p_DoParticles(1);
    shown += GlyphText() == "5";
  }
  // A hundred fades of 0.01 in single precision leave a hair above zero, so the record is freed on the
  // 101st update, drawn there at an alpha of practically nothing.
  EXPECT_EQ(shown, 101);
  EXPECT_FLOAT_EQ(q[2], 200 - 0.25f * 101);
  EXPECT_NEAR(app->m_DrawList[7], 0, 1e-5) << "the last draw is invisible";
}

TEST_F(ParticlesTest, AFullPoolDropsThePopUpButKeepsTheScore) {
  for (int i = 0; i <= 250; ++i) Put(i, {4, 0, 0, 0, 0, 0, 0, 1, 1, 0});
  app->m_Score = 10;
  app->p_Gimme(175, 50, 60);
  EXPECT_EQ(app->m_Score, 185);
  for (int i = 0; i <= 250; ++i) ASSERT_EQ(app->m_Particles[i * 10], 4);
  EXPECT_EQ(app->p_FreeParticle(), -1);
  app->p_ThrowParticle(0, 0, 1, 9, kNoValue, kNoValue);
  for (int i = 0; i <= 250; ++i) ASSERT_EQ(app->m_Particles[i * 10], 4);

  app->m_ParticleCount = -1;
  EXPECT_EQ(app->p_FreeParticle(), -1);
  app->m_ParticleCount = 250;
}

TEST_F(ParticlesTest, ThrownParticlesTakeTheirDefaultsAndKind3ItsFloor) {
  for (int i = 0; i < 50; ++i) {
    app->p_ThrowParticle(100, 200, 1, 9, kNoValue, kNoValue);
    const float* q = &app->m_Particles[(250 - i) * 10];
    const float speed = std::hypot(q[3], q[4]);
    ASSERT_TRUE(speed >= 3 - 1e-4f && speed < 8 + 1e-4f) << speed;
    ASSERT_TRUE(q[7] >= 0.7f && q[7] < 1.3f);
    ASSERT_TRUE(q[9] >= 0 && q[9] <= 63 && q[9] == std::floor(q[9]));
    ASSERT_TRUE(q[6] >= -8 && q[6] < 8);
  }
  app->p_ThrowParticle(100, 200, 1, 9, 90, 2);  // angle 0 points up, 90 right
  const float* q = &app->m_Particles[200 * 10];
  EXPECT_FLOAT_EQ(q[3], 2);
  EXPECT_NEAR(q[4], 0, 1e-5);
  app->p_ThrowParticle(100, 200, 3, 9, 180, 2);
  q = &app->m_Particles[199 * 10];
  EXPECT_TRUE(q[5] >= 184 && q[5] < 216) << "the floor lies within 16 pixels of the start";
  EXPECT_EQ(q[6], 0) << "a fragment does not spin";
  EXPECT_FLOAT_EQ(q[4], 2) << "thrown downward";
}

TEST_F(ParticlesTest, KindsMoveDrawAndFadeTheirOwnWay) {
  struct Case {
    float kind, vx, vy;       // start velocity
    float afterVx, afterVy;   // after one update
    float alpha;              // after one update, from 0.5
    float drawKind;           // draw record kind, or 0 for none
  } cases[] = {
      {1, 2, 1, 2, 1, 0.49f, 96},
      {2, 2, 1, 1.9f, 1.2f, 0.49f, 96},
      {4, 2, 1, 2, 1, 0.497f, 96},
      {9, 2, 1, 2, 1, 0.49f, 96},
      {16, 2, 1, 2, 1, 0.487f, kDrawRect},
      {12, 2, 1, 2, 1, 0.49f, 0},  // moves and fades, draws nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    for (int i = 0; i <= 250; ++i) app->m_Particles[i * 10] = 0;
    float* q = Put(10, {c.kind, 40, 50, c.vx, c.vy, 30, 5, 0.5f, 4, 7});
    app->m_DrawCount = 0;
    app->p_DoParticles(2);
    EXPECT_FLOAT_EQ(q[1], 40 + c.vx);
    EXPECT_FLOAT_EQ(q[3], c.afterVx);
    EXPECT_FLOAT_EQ(q[4], c.afterVy);
    EXPECT_FLOAT_EQ(q[5], 35) << "turned by its spin";
    EXPECT_FLOAT_EQ(q[7], c.alpha);
    ASSERT_EQ(app->m_DrawCount, c.drawKind == 0 ? 0 : 15);
    if (c.drawKind == 0) continue;
    const float* r = app->m_DrawList.Data();
    EXPECT_EQ(r[0], c.drawKind);
    EXPECT_EQ(r[7], 0.5f);
    EXPECT_FLOAT_EQ(r[10], 25.5f) << "green of the palette";
    EXPECT_FLOAT_EQ(r[11], 255);
    if (c.drawKind == 96) {
      EXPECT_EQ(r[6], 7) << "frame from slot 9";
      EXPECT_EQ(r[3], -35) << "drawn turned by its rotation";
      EXPECT_EQ(r[4], 2) << "at the given scale";
    } else {
      EXPECT_EQ(r[1], 32) << "snapped to the 16-pixel grid";
      EXPECT_EQ(r[2], 48);
      EXPECT_EQ(r[4], 16);
    }
  }
}

TEST_F(ParticlesTest, FragmentsBounceOffTheirFloorUntilTheyFade) {
  float* q = Put(5, {3, 0, 100, 1, 4, 110, 0, 1, 9, 0});
  int bounces = 0;
  float lastVy = q[4];
  while (q[0] != 0) {
    app->p_DoParticles(1);
    if (q[4] < 0 && lastVy > 0) {
      ++bounces;
      EXPECT_TRUE(q[4] >= -3 && q[4] < -1) << q[4];
    }
    lastVy = q[4];
    if (q[0] != 0) {
      ASSERT_LT(q[2], 140) << "never far below its floor";
    }
  }
  EXPECT_GE(bounces, 3);
}

TEST_F(ParticlesTest, APopUpShowsItsNumberUnturnedAndOffsetByTheShake) {
  Put(3, {99, 100, 100, 0, -0.25f, 45, 10, 1, 3, 35});
  app->m_ShakeX = 4;
  app->m_DrawCount = 0;
  app->p_DoParticles(1);
  EXPECT_EQ(GlyphText(), "35");
  const float* r = app->m_DrawList.Data();
  EXPECT_EQ(r[3], 0) << "numbers are not turned";
  EXPECT_FLOAT_EQ(r[10], 255);
  EXPECT_FLOAT_EQ(r[12], 25.5f) << "yellow";
  const float shakenX = r[1];
  app->m_ShakeX = 0;
  app->m_DrawCount = 0;
  app->p_DoParticles(1);
  EXPECT_FLOAT_EQ(r[1], shakenX + 4) << "the shake moves the drawing, not the particle";
}
