// Objects: bullets, debris, enemies and their hits and points, the ship hit, the trail catching bullets,
// bullets breaking life icons, spawning waves and the pool's allocation rules.
#include <algorithm>
#include <cmath>
#include <set>

#include "gameplay_fixture.h"

class ObjectsTest : public GameplayTest {
 protected:
  void SetUp() override {
    GameplayTest::SetUp();
    StartEmptyGame();
    p = &app->m_Player[0];
    // The ship out of harm's way, its trail parked off screen.
    p[1] = 500;
    p[2] = 420;
    ParkTrail();
    // At 0 ms an enemy's bob puts it exactly 24 pixels above its base.
    h->SetMillis(0);
  }
  void ParkTrail() {
    for (int i = 0; i <= 75; ++i) {
      app->m_Trail[2 * i + 1] = -100;
      app->m_Trail[2 * i + 2] = 240;
    }
  }
  // An enemy of the given kind hovering with its drawn position at (x, y) and a fire timer far off.
  float* PutEnemy(int record, int kind, float x, float y, float hp) {
    return PutObj(record, {float(kind), x, y + 24, x, y + 24, 0, 4, hp, 1000});
  }
  float* p = nullptr;
};

TEST_F(ObjectsTest, ARank7EnemyTakesSevenHitsForItsPoints) {
  PutEnemy(150, 16, 300, 240, 7);
  int score = 0;
  for (int hit = 1; hit <= 7; ++hit) {
    SCOPED_TRACE(hit);
    PutObj(0, {1, 300, 240, 0, 0});
    app->p_DoObj();
    score += 35;
    if (hit < 7) {
      EXPECT_EQ(app->m_Obj[150 * 10 + 7], 7 - hit);
      EXPECT_GE(LastEffect(), 6);
      EXPECT_LE(LastEffect(), 9);
    } else {
      score += 175;
      EXPECT_EQ(CountObjects(16), 0) << "destroyed";
      EXPECT_GE(LastEffect(), 2);
      EXPECT_LE(LastEffect(), 4);
    }
    EXPECT_EQ(app->m_Score, score);
    EXPECT_EQ(app->m_Points, 35);
  }
  // The bonus shows as a pop-up, and 32 white sparks fly.
  const float* popup = &app->m_Particles[250 * 10];
  EXPECT_EQ(popup[0], 99);
  EXPECT_EQ(popup[9], 175);
  EXPECT_EQ(popup[8], 3);
  EXPECT_EQ(LiveParticles(), 1 + 32);
}

TEST_F(ObjectsTest, TheSecondBulletPassesThroughTheWreck) {
  PutEnemy(150, 10, 300, 240, 1);
  PutObj(0, {1, 300, 240, 0, 0});
  PutObj(1, {1, 305, 245, 0, 0});
  app->p_DoObj();
  EXPECT_EQ(app->m_Score, 5 + 25);
  EXPECT_EQ(CountObjects(1), 1) << "the second bullet is still flying";
  EXPECT_EQ(app->m_Obj[10], 1);
  EXPECT_EQ(CountObjects(10), 4) << "only the new group is left";
}

TEST_F(ObjectsTest, BulletsAndDebrisMoveDrawAndLeave) {
  struct Case {
    std::vector<float> record;
    float x, y;    // position or head afterwards
    bool freed;
  } cases[] = {
      {{1, 100, 100, 6, 0}, 106, 100, false},
      {{1, 700, 100, 6, 0}, 706, 100, true},   // past the right margin of 64
      {{1, 100, -60, 0, -6}, 100, -66, true},
      {{2, 100, 100, 100, 100, 90, 2, 1, 0, 4}, 101.96f, 100, false},
      {{3, 100, 100, 100, 100, 90, 2, 1, 0, 4}, 100 + 1.96f * 1.2f, 100, false},
      {{2, 100, 100, 100, 100, 90, 2, 0.015f, 0, 4}, 101.96f, 100, true},  // faded
      {{5, -62, 100, -3, 0, 1, 6}, -65, 100, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record[0] << " at " << c.record[1] << "," << c.record[2]);
    PutEnemy(150, 10, 600, 100, 1);
    PutEnemy(149, 10, 600, 200, 1);
    PutEnemy(148, 10, 600, 300, 1);  // three enemies: no spawning
    for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 0;
    float* o = &app->m_Obj[0];
    for (int s = 0; s < 10; ++s) o[s] = s < int(c.record.size()) ? c.record[s] : 0;
    app->m_DrawCount = 0;
    app->p_DoObj();
    EXPECT_FLOAT_EQ(o[1], c.x);
    EXPECT_FLOAT_EQ(o[2], c.y);
    EXPECT_EQ(o[0] == 0, c.freed);
    if (c.record[0] == 2 || c.record[0] == 3) {
      EXPECT_FLOAT_EQ(o[6], 1.96f);
      EXPECT_FLOAT_EQ(o[3], 101.5f) << "the tail moves 1.5 along the direction";
      if (!c.freed) {
        // Green at brightness 3 is (76, 255, 76); plain debris draws it rotated.
        std::vector<const float*> lines = Records(kDrawLine);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0][10], c.record[0] == 3 ? 76 : 255);
        EXPECT_EQ(lines[0][12], 76);
        EXPECT_EQ(lines[0][11], c.record[0] == 3 ? 255 : 76);
        EXPECT_EQ(app->m_Lines[1500 * 10], 0.5f);
        EXPECT_EQ(app->m_Lines[1500 * 10 + 6], 2) << "debris leaves slow-drifting lines";
      }
    }
    if (c.record[0] == 1 && !c.freed) {
      EXPECT_EQ(Records(kDrawOval).size(), 1u);
      EXPECT_EQ(app->m_Lines[1500 * 10], 0.75f);
    }
  }
}

TEST_F(ObjectsTest, EnemiesFireOnlyInsideTheWindowAndWhileTheShipLives) {
  struct Case {
    float x, y, death;
    bool full, fires;
  } cases[] = {
      {300, 240, 0, false, true},
      {630, 240, 0, false, false},  // beyond the right limit of W - 16
      {300, 20, 0, false, false},   // above 32
      {300, 240, 5, false, false},  // the ship is gone: no countdown
      {300, 240, 0, true, false},   // no free record: the timer stays below 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " death " << c.death);
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    p[89] = c.death;
    float* e = PutEnemy(150, 10, c.x, c.y, 1);
    PutEnemy(149, 10, 600, 100, 1);
    PutEnemy(148, 10, 600, 300, 1);
    e[8] = 0.2f;
    if (c.full) FillObjects();
    app->p_DoObj();
    EXPECT_EQ(CountObjects(5), c.fires ? 1 : 0);
    if (c.fires) {
      const float* b = &app->m_Obj[0];
      EXPECT_EQ(b[1], c.x);
      EXPECT_EQ(b[3], -3);
      EXPECT_TRUE(b[5] >= 1 && b[5] <= 4);
      EXPECT_TRUE(e[8] >= 150 && e[8] <= 300) << "a new delay from the current range";
    } else if (c.death != 0) {
      EXPECT_EQ(e[8], 0.2f);
    } else if (c.full) {
      EXPECT_LT(e[8], 0);
    }
  }
}

TEST_F(ObjectsTest, ABulletDestroysTheShipAndTheLastLifeStopsTheMusic) {
  for (int withLives = 1; withLives >= 0; --withLives) {
    SCOPED_TRACE(withLives);
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    for (int i = 0; i < 8; ++i) app->m_Lives[i] = withLives;
    app->m_MusicOn = 1;
    p[89] = 0;
    p[1] = 200;
    p[2] = 200;
    for (int i = 0; i <= 75; ++i) app->m_Trail[2 * i + 1] = 150;
    PutEnemy(150, 10, 600, 100, 1);
    PutObj(100, {5, 205, 210, 0, 0, 1, 6});
    PutObj(10, {1, 50, 50, 0, 0});  // a bullet in the low records is swept away by the explosion
    app->p_DoObj();
    EXPECT_EQ(p[89], 1);
    EXPECT_EQ(p[87], 200);
    EXPECT_EQ(p[88], 200);
    EXPECT_EQ(p[1], -100);
    EXPECT_EQ(p[2], 240);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(app->m_Obj[i * 10], 3) << "explosion record " << i;
    EXPECT_EQ(app->m_Obj[1000], 5) << "the bullet itself stays";
    EXPECT_EQ(app->m_Trail[2 * 75 + 1], -100) << "the trail goes with the ship";
    EXPECT_EQ(LastEffect(), 1);
    EXPECT_EQ(app->m_MusicOn, withLives);
  }
}

TEST_F(ObjectsTest, TheTrailCatchesBulletsOnlyWhileTheShipIsAlive) {
  struct Case {
    float death;
    bool caught;
  } cases[] = {{0, true}, {-10, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.death);
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    app->m_Score = 0;
    p[89] = c.death;
    ParkTrail();
    app->m_Trail[2 * 10 + 1] = 200;
    app->m_Trail[2 * 10 + 2] = 100;
    PutObj(60, {5, 210, 105, -3, 0, 1, 6});
    app->p_DoObj();
    EXPECT_EQ(app->m_Obj[600] == 5, !c.caught);
    EXPECT_EQ(app->m_Score, c.caught ? 5 : 0);
    if (c.caught) {
      EXPECT_EQ(LastEffect(), 10);
      EXPECT_EQ(CountObjects(2), 2) << "two sparks of debris";
      const float* popup = &app->m_Particles[250 * 10];
      EXPECT_EQ(popup[0], 99);
      EXPECT_EQ(popup[9], 5);
      EXPECT_EQ(popup[1], 200);
    } else {
      EXPECT_EQ(app->m_Obj[601], 210) << "not caught: it drops while the ship is not alive";
    }
  }
}

TEST_F(ObjectsTest, ABulletBreaksALifeIconUnlessTheTrailCaughtItFirst) {
  h->SetMillis(1230);
  app->p_LifeIconPos(3);
  const float ix = app->m_Tx, iy = app->m_Ty;
  for (int trailThere = 1; trailThere >= 0; --trailThere) {
    SCOPED_TRACE(trailThere);
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    for (int i = 0; i < 8; ++i) app->m_Lives[i] = 1;
    app->m_Score = 0;
    ParkTrail();
    if (trailThere) {
      app->m_Trail[3] = ix;
      app->m_Trail[4] = iy;
    }
    PutObj(70, {5, ix + 3, iy - 3, 0, 0, 1, 6});
    app->p_DoObj();
    EXPECT_EQ(app->m_Lives[3], trailThere ? 1 : 0);
    EXPECT_EQ(app->m_Score, trailThere ? 5 : 0);
    EXPECT_EQ(app->m_Obj[700] == 5, !trailThere) << "a bullet survives breaking an icon";
    EXPECT_EQ(LastEffect(), trailThere ? 10 : 11);
    if (!trailThere) {
      EXPECT_EQ(CountObjects(2), 16);
    }
  }
}

TEST_F(ObjectsTest, BulletsFallAndEnemiesHoldFireWhileTheShipIsGone) {
  for (float death : {5.0f, -5.0f}) {
    SCOPED_TRACE(death);
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    p[89] = death;
    float* e = PutEnemy(150, 10, 300, 240, 1);
    e[8] = 10;
    float* b = PutObj(20, {5, 300, 200, -3, 0, 1, 6});
    for (int u = 1; u <= 3; ++u) {
      float vy = b[4];
      app->p_DoObj();
      EXPECT_EQ(b[3], 0);
      EXPECT_GE(b[4], vy + 0.05f);
      EXPECT_LT(b[4], vy + 0.2f);
    }
    EXPECT_EQ(b[1], 300);
    EXPECT_EQ(e[8], 10);
    EXPECT_EQ(CountEnemies(), 1) << "no spawning either";
  }
}

TEST_F(ObjectsTest, SpawningByDifficulty) {
  struct Case {
    int difficulty;
    float wave1, wave2;
    int size;
  } cases[] = {{1, 1, 2, 2}, {2, 1, 2, 4}, {3, 2, 4, 6}, {0, 1, 2, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.difficulty);
    StartEmptyGame(c.difficulty);
    app->m_Difficulty = c.difficulty;
    const float lo = p[65], hi = p[66];
    app->p_Spawn();
    EXPECT_EQ(p[92], c.wave1);
    EXPECT_EQ(CountEnemies(), c.size);
    EXPECT_EQ(CountObjects(10), c.size) << "early waves are rank 1";
    std::set<float> targets;
    for (int i = 150; i > 150 - c.size; --i) {
      const float* e = &app->m_Obj[i * 10];
      ASSERT_EQ(e[0], 10) << "enemies fill the pool from the top";
      EXPECT_EQ(e[1], 768);
      EXPECT_TRUE(e[3] >= 416 && e[3] <= 608) << e[3];
      EXPECT_TRUE(e[6] == 4 || e[6] == 6 || e[6] == 8 || e[6] == 10);
      EXPECT_EQ(e[7], 1);
      EXPECT_TRUE(e[8] >= lo && e[8] <= hi);
      targets.insert(e[4]);
    }
    EXPECT_EQ(targets.size(), size_t(c.size)) << "spread over the height";
    EXPECT_EQ(*targets.begin(), std::max(32.0f, 2 * 480.0f / (c.size + 2)));
    EXPECT_EQ(p[65], lo - 5);
    EXPECT_EQ(p[66], hi - 10);
    app->p_Spawn();
    EXPECT_EQ(p[92], c.wave2);
  }
  // Fire delays tighten to a floor; later waves bring groups of one, two or three times the multiplier,
  // all of one rank up to 7.
  std::set<int> sizes, ranks;
  for (int round = 0; round < 40; ++round) {
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    p[65] = 47;
    p[66] = 125;
    p[92] = 20;
    app->p_SeedRnd(round);
    app->p_Spawn();
    EXPECT_EQ(p[65], 45);
    EXPECT_EQ(p[66], 120);
    sizes.insert(CountEnemies());
    const float kind = app->m_Obj[1500];
    ranks.insert(int(kind) - 9);
    EXPECT_EQ(CountObjects(kind), CountEnemies());
  }
  EXPECT_EQ(sizes, (std::set<int>{4, 8, 12}));
  EXPECT_EQ(*ranks.begin(), 1);
  EXPECT_EQ(*ranks.rbegin(), 7);
}

TEST_F(ObjectsTest, SpawningNeedsALiveShipAndAFreeRecord) {
  p[89] = 3;
  app->p_Spawn();
  EXPECT_EQ(p[92], 0);
  EXPECT_EQ(CountEnemies(), 0);

  p[89] = 0;
  FillObjects();
  app->p_Spawn();
  EXPECT_EQ(p[92], 1) << "the wave still counts";
  EXPECT_EQ(CountEnemies(), 0) << "the group is dropped without notice";
}

TEST_F(ObjectsTest, BurstsAndAllocation) {
  app->p_Burst(100, 50, 4, -1);
  ASSERT_EQ(CountObjects(2), 4);
  const float colour = app->m_Obj[9];
  for (int i = 0; i < 4; ++i) {
    const float* d = &app->m_Obj[i * 10];
    EXPECT_EQ(d[1], 100);
    EXPECT_EQ(d[4], 50);
    EXPECT_EQ(d[5], 90 * i);
    EXPECT_TRUE(d[6] >= 1.5f && d[6] < 2.5f);
    EXPECT_EQ(d[7], 1);
    EXPECT_TRUE(d[8] >= -6 && d[8] < 6);
    EXPECT_EQ(d[9], colour) << "one colour for the whole burst";
  }
  EXPECT_TRUE(colour >= 1 && colour <= 8);

  // The ship's explosion takes records 0..63 whatever they hold, each line with its own warm colour.
  PutEnemy(40, 12, 300, 300, 3);
  app->p_Burst(10, 20, 64, -1);
  for (int i = 0; i < 64; ++i) {
    const float* d = &app->m_Obj[i * 10];
    ASSERT_EQ(d[0], 3);
    ASSERT_TRUE(d[9] >= 1 && d[9] <= 3);
  }
  EXPECT_EQ(app->m_Obj[64 * 10], 0);

  // Allocation from the bottom and from the top; both set the scan bound.
  EXPECT_EQ(app->p_FreeObj(150), 640);
  EXPECT_EQ(app->m_NewObj, 640);
  EXPECT_EQ(app->p_FreeObjTop(100), 1000);
  EXPECT_EQ(app->m_ObjCount, 100);
  EXPECT_EQ(app->p_FreeObj(-1), -1);
  EXPECT_EQ(app->p_FreeObj(10), -1) << "records 0..10 are all taken";
  app->m_Obj[1500] = 10;
  app->m_Obj[1505] = 9;
  EXPECT_EQ(app->p_FreeObjTop(150), 1490);
  EXPECT_EQ(app->m_Obj[1505], 9) << "an occupied record is never cleared";
  EXPECT_EQ(app->p_FreeObjTop(100000), 509 * 10) << "a bound beyond the pool stops at its last record";
  EXPECT_EQ(app->m_ObjCount, 509);
}

// After a loss the death timer counts up in p_Game; past 30 the first icon left brings the ship back at
// its place and the timer restarts at -30, so one update uses one icon. With none left, past 90 ends the run.
TEST_F(ObjectsTest, TheRespawnTakesOneIconPast30AndTheRunEndsPast90) {
  for (int i = 0; i < 8; ++i) app->m_Lives[i] = i == 2 || i == 5;
  p[89] = 1;  // the ship was just destroyed
  for (int u = 1; u < 30; ++u) {
    app->p_Game();
    ASSERT_EQ(p[89], 1 + u) << "update " << u;
  }
  EXPECT_EQ(app->m_Lives[2], 1) << "not before the timer passes 30";
  app->p_Game();
  EXPECT_EQ(p[89], -30);
  EXPECT_EQ(app->m_Lives[2], 0) << "the first icon left is used";
  EXPECT_EQ(app->m_Lives[5], 1) << "and only that one";
  app->p_LifeIconPos(2);
  EXPECT_EQ(p[1], app->m_Tx) << "the ship comes back at the icon";
  EXPECT_EQ(p[2], app->m_Ty);
  for (int u = 0; u < 30; ++u) app->p_Game();
  EXPECT_EQ(p[89], 0) << "alive again after 30 updates";
  EXPECT_EQ(app->m_GameOver, 0);

  for (int i = 0; i < 8; ++i) app->m_Lives[i] = 0;
  p[89] = 1;
  for (int u = 1; u < 90; ++u) app->p_Game();
  EXPECT_EQ(p[89], 90);
  EXPECT_EQ(app->m_GameOver, 0) << "90 itself is not past 90";
  app->p_Game();
  EXPECT_EQ(app->m_GameOver, 1);
}
