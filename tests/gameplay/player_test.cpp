// The ship: steering with its dead zone and speed limit, the screen margin, tilt and turn, auto-fire with
// its growing gaps, respawning, and the trail.
#include <cmath>

#include "gameplay_fixture.h"

class PlayerTest : public GameplayTest {
 protected:
  void SetUp() override {
    GameplayTest::SetUp();
    StartEmptyGame();
    p = &app->m_Player[0];
    p[1] = 300;
    p[2] = 240;
    p[3] = p[4] = 0;
    p[5] = p[6] = 90;
  }
  // Runs p_DoPlayer n times and gives the update numbers (1-based) on which a bullet appeared.
  std::vector<int> ShotsOver(int n) {
    std::vector<int> shots;
    for (int u = 1; u <= n; ++u) {
      int before = CountObjects(1);
      app->p_DoPlayer();
      if (CountObjects(1) > before) shots.push_back(u);
    }
    return shots;
  }
  float* p = nullptr;
};

TEST_F(PlayerTest, TheDeadZoneAppliesToThePair) {
  struct Case {
    float ax, ay, vx, vy;
  } cases[] = {
      {0.2f, 0.3f, 0.09f, 0.135f},  // y is past the dead zone, so x comes through too
      {0.2f, 0.2f, 0, 0},
      {0.25f, -0.25f, 0, 0},         // the edge itself is inside
      {-0.3f, 0, -0.135f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ax << "," << c.ay);
    p[1] = 300;
    p[2] = 240;
    p[3] = p[4] = 0;
    app->m_AnalogX = c.ax;
    app->m_AnalogY = c.ay;
    app->p_DoPlayer();
    EXPECT_FLOAT_EQ(p[3], c.vx);
    EXPECT_FLOAT_EQ(p[4], c.vy);
    EXPECT_FLOAT_EQ(p[1], 300 + c.vx / 0.9f) << "the move uses the velocity before damping";
    EXPECT_EQ(p[11], 300) << "the position before the move is kept";
  }
}

TEST_F(PlayerTest, FullInputAgainstAnEdgeStops32PixelsShort) {
  struct Case {
    float ax, ay, x, y, v;
  } cases[] = {{1, 1, 608, 448, 3.6f}, {-1, -1, 32, 32, -3.6f}, {1, -1, 608, 32, 3.6f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ax << "," << c.ay);
    app->m_AnalogX = c.ax;
    app->m_AnalogY = c.ay;
    for (int i = 0; i < 200; ++i) app->p_DoPlayer();
    EXPECT_EQ(p[1], c.x);
    EXPECT_EQ(p[2], c.y);
    EXPECT_EQ(p[3], c.v) << "the clamped velocity after damping";
    EXPECT_EQ(std::fabs(p[4]), 3.6f);
  }
}

TEST_F(PlayerTest, TheHeadingTiltsWithClimbAndTurnsByTheShortWay) {
  struct Case {
    float heading, vy, target, after;
  } cases[] = {
      {90, 0, 90, 90},
      {91, 0, 90, 90},      // one above: the 359 rule makes the step 0, so it snaps
      {92, 0, 90, 91},      // two above: one degree
      {89, 0, 90, 90},
      {88, 0, 90, 89.5f},   // more than 1.5 away: 1.5 per update
      {100, 0, 90, 98.5f},
      {90.5f, 0, 90, 90},   // a fraction away truncates to 0 and snaps
      {90, -4, 60, 88.5f},  // climbing: the target clamps at 60
      {90, 4, 120, 91.5f},  // diving: at 120
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.heading << " vy " << c.vy);
    p[3] = 0;
    p[4] = c.vy;
    p[5] = c.heading;
    app->m_AnalogX = app->m_AnalogY = 0;
    app->p_DoPlayer();
    EXPECT_FLOAT_EQ(p[6], c.target);
    EXPECT_FLOAT_EQ(p[5], c.after);
  }
}

TEST_F(PlayerTest, WhichWayTakesTheShorterWayRound) {
  struct Case {
    float from, to;
    int result;
  } cases[] = {{91, 90, 0},  {92, 90, -1},  {90, 92, 2},     {0, 179, 179}, {0, 180, -179},
               {350, 10, 20}, {10, 350, -19}, {-10, 10, 20}, {730, 10, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(c_MyApp::m_WhichWayDoIGo(c.from, c.to, 0, 359), c.result) << c.from << " -> " << c.to;
  }
}

TEST_F(PlayerTest, AutoFireStartsAtOnceAndSlowsWhileHeld) {
  app->p_DoPlayer();  // fire released: reload 3, cooldown 0
  EXPECT_EQ(p[21], 0);
  EXPECT_EQ(p[22], 3);
  h->KeyDown(90);  // Z
  std::vector<int> shots = ShotsOver(23);
  ASSERT_EQ(shots.size(), 6u);
  EXPECT_EQ(shots[0], 1) << "the first shot leaves at once";
  const int gaps[5] = {3, 3, 4, 4, 5};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(shots[i + 1] - shots[i], gaps[i]) << i;

  // The shot's pitch falls as the reload grows: six shots took the reload from 3 to 6.
  EXPECT_EQ(LastEffect(), 5);
  EXPECT_FLOAT_EQ(LastRate(), 2.0f - 6.0f / 20.0f);

  // Releasing resets the reload: the next press fires at once with the short gap again.
  h->KeyUp(90);
  app->p_DoPlayer();
  h->KeyDown(90);
  shots = ShotsOver(5);
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_EQ(shots[0], 1);
  EXPECT_EQ(shots[1], 4);
}

// A bullet leaves the ship along the heading of that update (90 is straight ahead, to the right; smaller
// headings point up the screen), and the shot's pitch follows the reload down to its floor.
TEST_F(PlayerTest, BulletsFlyAlongTheHeadingAndThePitchFallsWithTheReload) {
  struct Case {
    float heading;  // before the update; it turns 1.5 toward the level target of 90
    float reload;   // before the shot, which adds 0.5
    float flown;    // heading the bullet takes
    float vx, vy;
    float rate;
  } cases[] = {
      {90, 3, 90, 6, 0, 1.825f},
      {60, 3, 61.5f, 5.27290f, -2.86295f, 1.825f},   // climbing: up and to the right
      {120, 3, 118.5f, 5.27290f, 2.86295f, 1.825f},  // diving: down and to the right
      {90, 29.5f, 90, 6, 0, 0.5f},
      {90, 40, 90, 6, 0, 0.5f},  // held long: the pitch stays at its floor
  };
  h->KeyDown(90);  // Z: fire
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "heading " << c.heading << " reload " << c.reload);
    app->p_ResetObj();
    p[3] = p[4] = 0;
    p[5] = c.heading;
    p[21] = 0;
    p[22] = c.reload;
    app->p_DoPlayer();
    const float* b = nullptr;
    for (int i = 0; i <= 150 && !b; ++i) {
      if (app->m_Obj[i * 10] == 1) b = &app->m_Obj[i * 10];
    }
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b[1], p[1]);
    EXPECT_EQ(b[2], p[2]);
    EXPECT_FLOAT_EQ(b[5], c.flown);
    EXPECT_NEAR(b[3], c.vx, 1e-4);
    EXPECT_NEAR(b[4], c.vy, 1e-4);
    EXPECT_EQ(LastEffect(), 5);
    EXPECT_FLOAT_EQ(LastRate(), c.rate);
  }
}

TEST_F(PlayerTest, AFullPoolFiresNothingButTheReloadStillGrows) {
  app->p_DoPlayer();
  FillObjects();
  const int channel = app->m_NoteIdx;
  h->KeyDown(90);
  EXPECT_TRUE(ShotsOver(10).empty());
  EXPECT_EQ(app->m_NoteIdx, channel) << "no sound either";
  EXPECT_EQ(p[22], 4.5f) << "shots were due on updates 1, 4 and 7";
}

TEST_F(PlayerTest, ADestroyedOrRespawningShipNeitherMovesNorFires) {
  struct Case {
    float death;
    bool drawn;
  } cases[] = {{0, true}, {-5, true}, {3, false}};
  h->KeyDown(90);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.death);
    p[1] = 300;
    p[2] = 240;
    p[21] = 0;
    p[89] = c.death;
    p[87] = 300;
    p[88] = 240;
    app->m_AnalogX = 1;
    app->m_DrawCount = 0;
    int bullets = CountObjects(1);
    app->p_DoPlayer();
    EXPECT_EQ(Records(1).size(), c.drawn ? 1u : 0u);
    EXPECT_EQ(CountObjects(1) > bullets, c.death == 0);
    EXPECT_EQ(p[1] != 300, c.death == 0) << "only a live ship moves with its velocity";
  }
}

TEST_F(PlayerTest, TheRespawnGlideTakesThirtyUpdates) {
  p[89] = -30;
  p[1] = 32;
  p[2] = 100;
  p[87] = 92;
  p[88] = 400;
  for (int i = 0; i < 29; ++i) app->p_DoPlayer();
  EXPECT_EQ(p[89], -1);
  app->p_DoPlayer();
  EXPECT_EQ(p[89], 0) << "alive again";
  EXPECT_NEAR(p[1], 92 - 60 * std::pow(29.0 / 30, 30), 1e-3) << "each update closes 1/30 of the distance";
  EXPECT_NEAR(p[2], 400 - 300 * std::pow(29.0 / 30, 30), 1e-3);
}

TEST_F(PlayerTest, TheTrailFollowsThePathAndItsOldestSegmentsAreNeverDrawn) {
  EXPECT_EQ(app->m_Trail[2 * 75 + 1], -100.0f) << "a new game's trail starts off screen";
  for (int i = 0; i < 75; ++i) app->p_DoPlayer();
  // One point of path enters per update: after 75, points 0..74 are path and the last is the start.
  for (int i = 0; i < 75; ++i) ASSERT_GT(app->m_Trail[2 * i + 1], 200) << i;
  EXPECT_EQ(app->m_Trail[2 * 75 + 1], -100.0f - 75 * 0.5f);
  EXPECT_EQ(app->m_Trail[1], p[1]);
  EXPECT_EQ(app->m_Trail[3], p[1] - 0.5f) << "points drift left half a pixel per update";

  // Lay the trail out so that after the next shift point i sits at x = 10 i (the ship, point 0, held at
  // x = 0 by a long respawn); the segments drawn over five updates (every phase) then tell which points
  // they start from. Each drawn segment also leaves one fading copy of itself.
  p[89] = -1000;
  p[1] = p[87] = 0;
  int drawnFrom[76] = {};
  for (int u = 0; u < 5; ++u) {
    for (int i = 0; i <= 75; ++i) app->m_Trail[2 * i + 1] = 10.0f * (i + 1) + 0.5f;
    for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 0;
    app->m_DrawCount = 0;
    app->p_DoPlayer();
    std::vector<const float*> lines = Records(kDrawLine);
    for (const float* l : lines) {
      int i = int(l[1] / 10);
      ASSERT_EQ(l[4], 10.0f * (i + 5)) << "a segment spans five points";
      ++drawnFrom[i];
    }
    int copies = 0;
    for (int i = 0; i <= app->m_LineCount; ++i) copies += app->m_Lines[i * 10] == 0.35f;
    EXPECT_EQ(copies, int(lines.size()));
  }
  for (int i = 0; i <= 75; ++i) EXPECT_EQ(drawnFrom[i], i <= 68 ? 1 : 0) << i;
}
