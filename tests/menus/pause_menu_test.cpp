// The pause menu: how long resuming takes, quitting a run, the shade, the pendulum's arm, and the frozen
// frame of play that stays under the menu.
#include <cmath>

#include "menu_fixture.h"

class PauseMenuTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    h->Frames(40);
    StartWithEnter();
    h->Frames(10);
  }
};

TEST_F(PauseMenuTest, ResumingTakesAboutHOver48Plus2Updates) {
  struct Case {
    int deviceW, deviceH;
    int updates;  // of closing, after the update of the press
  } cases[] = {{640, 480, 12}, {800, 480, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deviceW);
    ResizeTo(c.deviceW, c.deviceH);
    PauseFully();
    ASSERT_EQ(app->m_PauseY, int(rt_Quorva_jscrh / 2));
    h->KeyDown(kEscape);
    h->Frame();
    h->KeyUp(kEscape);
    EXPECT_EQ(app->m_PauseDir, -1);
    int updates = 0;
    while (app->m_Paused == 1 && updates < 100) {
      h->Frame();
      ++updates;
    }
    EXPECT_EQ(updates, c.updates);
    EXPECT_EQ(app->m_GameOver, 0);
    h->Frame();
    EXPECT_EQ(app->m_PauseBase, -1);
  }
}

TEST_F(PauseMenuTest, QuittingEndsThePauseAtOnceAndFilesTheRunAsQuit) {
  PauseFully();
  app->m_Score = 4321;
  Press(kUp);
  ASSERT_EQ(app->m_PauseCursor, -1);
  Press(kUp);
  EXPECT_EQ(app->m_PauseCursor, -1) << "quit is the top";
  h->KeyDown(kEnter);
  h->Frame();
  h->KeyUp(kEnter);
  EXPECT_EQ(app->m_Paused, 0) << "in the same update";
  EXPECT_EQ(app->m_GameOver, 1);
  EXPECT_EQ(app->m_QuitRun, -1);
  EXPECT_EQ(app->m_PauseY, -64);

  bool sawWords = false;
  for (int i = 0; i < 120 && app->m_GameMode != 1; ++i) {
    h->Frame();
    sawWords = sawWords || (Shows("|Quit|") && Shows("|Game|"));
  }
  EXPECT_TRUE(sawWords);
  EXPECT_EQ(app->m_GameMode, 1);
  EXPECT_EQ(app->m_HiScores[40], 4321) << "the last ten of Normal";
  EXPECT_EQ(app->m_HiScores[10], 4321) << "and its top ten";
}

TEST_F(PauseMenuTest, TheShadeDeepensWithTheMenusSlide) {
  PauseFully();
  struct Case {
    int y;
    float alpha;
  } cases[] = {{0, 0.0f}, {-64, 64.0f / 384.0f}, {120, 120.0f / 384.0f}, {240, 0.625f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    app->m_PauseY = c.y;
    h->Frame();
    std::vector<const float*> shade = RectsAt(0, 0, 640, 480);
    ASSERT_EQ(shade.size(), 1u);
    EXPECT_FLOAT_EQ(shade[0][7], c.alpha);
    EXPECT_EQ(shade[0][10] + shade[0][11] + shade[0][12], 0.0f) << "black";
  }
}

TEST_F(PauseMenuTest, TheArmReachesRAndTheTipThenCirclesTheCentre) {
  PauseFully();
  const float R = 0.45f * 480.0f;  // the smaller of 0.45 H and 0.45 (W - 96)
  h->KeyDown(kDown);
  h->Frames(250);
  h->KeyUp(kDown);
  EXPECT_EQ(app->m_PauseArm, R);
  const float cx = 640.0f / 2 + 96, cy = 240.0f;
  for (int i = 0; i < 3; ++i) {
    h->Frame();
    const float* tip = app->m_PauseTrail.Data() + 2 * 101;
    const float a2 = app->m_PauseA2 * 0.017453292f;
    EXPECT_NEAR(tip[0], cx + R * std::sin(a2), 0.01f);
    EXPECT_NEAR(tip[1], cy - R * std::cos(a2), 0.01f);
  }
  h->KeyDown(kUp);
  h->Frames(250);
  h->KeyUp(kUp);
  EXPECT_EQ(app->m_PauseArm, 0.0f);

  app->m_PauseSpin = 127.9f;
  h->KeyDown(kRight);
  h->Frames(2);
  h->KeyUp(kRight);
  EXPECT_EQ(app->m_PauseSpin, 128.0f);
  h->Frame();
  EXPECT_TRUE(Shows("|0:128|")) << "arm and speed in the corner";
}

TEST_F(PauseMenuTest, TheLastFrameOfPlayStaysUnderTheMenu) {
  h->KeyDown(kEscape);
  h->Frame();
  h->KeyUp(kEscape);
  ASSERT_EQ(app->m_Paused, 1);
  const int base = app->m_PauseBase;
  ASSERT_GT(base, 15 * 50) << "a frame of play was kept";
  std::vector<float> frozen(app->m_DrawList.Data(), app->m_DrawList.Data() + base);
  for (int i = 0; i < 30; ++i) {
    h->Frame();
    ASSERT_EQ(app->m_PauseBase, base);
    ASSERT_TRUE(std::equal(frozen.begin(), frozen.end(), app->m_DrawList.Data())) << "update " << i;
    ASSERT_GT(app->m_DrawCount, base + 15 * 200) << "the menu and its trail are drawn over it";
  }
  EXPECT_EQ(app->m_DrawList[base], kDrawRect) << "the shade comes first";
  EXPECT_TRUE(Shows("|PAUSED|"));

  // A frame that filled the list is cut short so that the menu still has room.
  Press(kEscape);
  h->Frames(20);
  ASSERT_EQ(app->m_Paused, 0);
  app->m_Paused = 1;
  app->m_PauseDir = 1;
  app->m_DrawCount = kDrawListLast + 1;
  h->Update();
  EXPECT_LT(app->m_PauseBase, kDrawListLast - 15 * 400);
  EXPECT_TRUE(Shows("|PAUSED|"));
}

// A pause taken during the game-over overlay (the on-screen button has no latch check) lasts until the
// overlay hands over to the title; the next game must not start with that pause's frozen frame base.
TEST_F(PauseMenuTest, APauseLeftOverFromTheLastRunDoesNotCarryIntoTheNext) {
  app->m_GameOver = 1;
  h->Frames(5);
  h->MouseDown(16, 16);  // the pause button
  h->Frame();
  h->MouseUp(16, 16);
  ASSERT_EQ(app->m_Paused, 1);
  ASSERT_GE(app->m_PauseBase, 0);
  for (int i = 0; i < 200 && app->m_GameMode != 1; ++i) h->Frame();
  ASSERT_EQ(app->m_GameMode, 1);

  h->StartGame();
  EXPECT_EQ(app->m_Paused, 0);
  EXPECT_EQ(app->m_PauseBase, -1);
  EXPECT_EQ(app->m_PauseY, -64) << "the menu opens from its start again";
  EXPECT_EQ(app->m_PauseDir, -1);
}
