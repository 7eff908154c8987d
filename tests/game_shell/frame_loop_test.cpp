// The frame loop: the mode machine from the title through a run and back, reloading on a resize, the
// virtual screen, the replay of the draw list, the function keys and pause handling.
#include <cmath>
#include <vector>

#include "audio/audio.h"
#include "game_fixture.h"
#include "input/input.h"

class FrameLoopTest : public GameShellTest {
 protected:
  bool PlayedLast(int effect) {
    int channel = app->m_NoteSounds[app->m_NoteIdx];
    return app->m_Sounds[effect] && rt_audio_device->channels[channel].sample == app->m_Sounds[effect]->m_sample;
  }
  bool HasImageAt(int slot, float x, float y) {
    for (const ImageRecord& r : ImageRecords()) {
      if (r.slot == slot && r.x == x && r.y == y) return true;
    }
    return false;
  }
};

TEST_F(FrameLoopTest, ARunGoesFromTheTitleThroughPlayBackToTheTitle) {
  EXPECT_EQ(app->m_GameMode, 1);
  app->m_GameMode = 11;  // the title menu's play choice
  h->Frame();
  EXPECT_EQ(app->m_GameMode, 10);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(app->m_Lives[i], 1);
  EXPECT_EQ(app->m_Player[1], 64.0f);
  EXPECT_EQ(app->m_Player[21], 500.0f);
  EXPECT_EQ(app->m_Player[65], 150.0f);
  EXPECT_EQ(app->m_MusicOn, 1);
  EXPECT_EQ(app->m_TuneName, String("Linoleum"));

  app->m_Score = 1234;
  app->m_GameOver = 1;
  int frames = 0;
  while (app->m_GameMode == 10 && frames < 200) {
    h->Frame();
    ++frames;
  }
  ASSERT_EQ(app->m_GameMode, 2) << "the overlay hands over to the title";
  EXPECT_EQ(app->m_MusicOn, 0);
  EXPECT_EQ(app->m_GameOverTimer, 71) << "the overlay ran a second time in the update that set mode 2";
  h->Frame();
  EXPECT_EQ(app->m_GameMode, 1);
  EXPECT_TRUE(PlayedLast(96));
  EXPECT_EQ(app->m_HiScores[40], 1234) << "the run is filed into Normal's last ten";
  EXPECT_EQ(app->m_GameOverTimer, 69);
}

TEST_F(FrameLoopTest, ANewGameStartsFromAClearedRecordWithTheDifficultysFireDelays) {
  struct Case {
    int difficulty;
    float lo, hi;
  } cases[] = {{1, 250, 400}, {2, 150, 300}, {3, 90, 180}, {7, 150, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.difficulty);
    app->m_Obj[37] = 5;
    app->m_Grid[4999999] = 1;
    app->m_Score = 99;
    app->m_Paused = 1;
    app->m_Player[511] = 3;
    app->m_Difficulty = c.difficulty;
    app->p_LoadGame();
    EXPECT_EQ(app->m_Obj[37], 0.0f);
    EXPECT_EQ(app->m_Grid[4999999], 0.0f);
    EXPECT_EQ(app->m_Score, 0);
    EXPECT_EQ(app->m_Paused, 0);
    EXPECT_EQ(app->m_Player[511], 3.0f) << "elements 500..511 of the player survive";
    EXPECT_EQ(app->m_Player[65], c.lo);
    EXPECT_EQ(app->m_Player[66], c.hi);
    EXPECT_EQ(app->m_Trail[2 * 75 + 1], -100.0f);
    EXPECT_EQ(app->m_Trail[2 * 75 + 2], 240.0f);
    EXPECT_EQ(app->m_TouchHeld, 1);
  }
}

TEST_F(FrameLoopTest, ResetParticlesKeepsCountsOutsideItsRange) {
  struct Case {
    int n, count;
  } cases[] = {{1, 1}, {499, 499}, {0, 499}, {500, 499}, {250, 250}, {-4, 250}};
  for (const Case& c : cases) {
    app->m_Particles[c.count * 10] = 1;
    app->p_ResetParticles(c.n);
    EXPECT_EQ(app->m_ParticleCount, c.count) << c.n;
    EXPECT_EQ(app->m_Particles[c.count * 10], 0.0f);
  }
}

TEST_F(FrameLoopTest, AResizeReloadsOnceAndTheNextUpdateOnlyLoads) {
  h->StartGame();
  h->Frames(3);
  h->Resize(800, 600);
  h->Render();
  EXPECT_EQ(app->m_ReloadPending, 1);
  h->Render();
  EXPECT_EQ(app->m_ReloadPending, 1) << "the same size again is no new change";

  const float phase = app->m_Player[91], x = app->m_Player[1];
  h->Update();
  EXPECT_EQ(app->m_ReloadPending, 2);
  EXPECT_EQ(app->m_Player[91], phase) << "no frame of play ran";
  EXPECT_EQ(app->m_Player[1], x);
  bool loadingText = false;
  for (const ImageRecord& r : ImageRecords()) loadingText |= r.slot == 90 && r.frame == 'L' - 32;
  EXPECT_TRUE(loadingText) << "the loading screen is drawn instead";

  ASSERT_TRUE(h->FinishLoading());
  h->Frame();
  EXPECT_NE(app->m_Player[91], phase) << "play resumes after the load";
}

TEST_F(FrameLoopTest, TheVirtualScreenKeepsTheDesignSizeAlongOneAxis) {
  struct Case {
    int W, H;
    float overscan;
    float jscrw, jscrh, scale;
    int axis, landscape;
  } cases[] = {
      {640, 480, 0, 640, 480, 1, 1, 1},
      {1280, 480, 0, 640, 240, 2, 1, 1},      // wider: the width stays
      {800, 800, 0, 480, 480, 800.0f / 480, 2, 1},  // narrower than 4:3: the height stays
      {640, 960, 0, 480, 720, 960.0f / 720, 2, 0},  // portrait: 1.5 times the design height
      {640, 480, 10, 640, 480, 620.0f / 640, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.W << "x" << c.H);
    rt_Quorva_overscan = c.overscan;
    h->Resize(c.W, c.H);
    h->Render();
    EXPECT_FLOAT_EQ(rt_Quorva_jscrw, c.jscrw);
    EXPECT_FLOAT_EQ(rt_Quorva_jscrh, c.jscrh);
    EXPECT_FLOAT_EQ(app->m_ScaleX, c.scale);
    EXPECT_FLOAT_EQ(app->m_ScaleY, c.scale);
    EXPECT_EQ(app->m_Tmp, c.axis);
    EXPECT_EQ(app->m_Landscape, c.landscape);
  }
}

// The kept axis exactly, not within a few units in the last place: the score lists and the debug block
// truncate the virtual size, so 479.99997 would lose a line and read 479.
TEST_F(FrameLoopTest, FullScreenOnCommonDesktopsKeepsTheDesignSizeExactly) {
  struct Case {
    int W, H;
    float jscrw, jscrh;
  } cases[] = {
      {640, 480, 640, 480},   {1280, 1024, 600, 480}, {1366, 768, 640, 359.82430f},
      {1920, 1080, 640, 360}, {2560, 1440, 640, 360}, {3840, 2160, 640, 360},
      {1024, 1280, 576, 720},  // portrait: 1.5 times the design height
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.W << "x" << c.H);
    h->Resize(c.W, c.H);
    h->Render();
    const bool widthKept = app->m_Tmp == 1;
    EXPECT_EQ(widthKept ? rt_Quorva_jscrw : rt_Quorva_jscrh, widthKept ? c.jscrw : c.jscrh);
    EXPECT_FLOAT_EQ(rt_Quorva_jscrw, c.jscrw);
    EXPECT_FLOAT_EQ(rt_Quorva_jscrh, c.jscrh);
  }
}

TEST_F(FrameLoopTest, AWindowOfNoSizeKeepsTheLastVirtualScreen) {
  h->Resize(0, 0);
  h->Render();
  EXPECT_FLOAT_EQ(rt_Quorva_jscrw, 640);
  EXPECT_FLOAT_EQ(app->m_ScaleX, 1);
  h->Frame();
}

TEST_F(FrameLoopTest, TheReplayScalesEveryRecordToTheDevice) {
  h->Resize(1280, 960);
  h->Render();  // scale 2 from now on; the images stay at level 2 until an update reloads them
  app->m_ClsR = 10;
  app->m_ClsA = 0.5f;
  app->p_CLS2D(kNoValue, 0, 0, 0);
  app->p_SetCol(10, 20, 30, 0.25f);
  app->m_Blend = 3;
  app->p_Rect(10, 20, 30, 40);
  app->m_Blend = 1;
  app->p_Oval(50, 60, 5, 6);
  app->p_Line(1, 2, 3, 4);
  app->p_DrawImg(55, 5, 5, 0);   // an empty slot
  app->p_DrawImg(1, 100, 50, 16);  // a frame the ships image does not have
  app->p_SetCol(255, 255, 255, 1);
  app->p_DrawImg(1, 100, 50, 4);
  h->Render();

  const auto& d = h->gfx->draws;
  ASSERT_EQ(d.size(), 5u);
  EXPECT_EQ(d[0].kind, RecordedDraw::Rect);  // the clear
  EXPECT_FLOAT_EQ(d[0].w, 1282);
  EXPECT_FLOAT_EQ(d[0].r, 10);
  EXPECT_FLOAT_EQ(d[0].alpha, 0.5f);

  EXPECT_EQ(d[1].kind, RecordedDraw::Rect);
  EXPECT_FLOAT_EQ(d[1].x, 20);
  EXPECT_FLOAT_EQ(d[1].y, 40);
  EXPECT_FLOAT_EQ(d[1].w, 60);
  EXPECT_FLOAT_EQ(d[1].h, 80);
  EXPECT_FLOAT_EQ(d[1].g, 20);
  EXPECT_FLOAT_EQ(d[1].alpha, 0.25f);
  EXPECT_EQ(d[1].blend, 1) << "blend 3 replays as additive";

  EXPECT_EQ(d[2].kind, RecordedDraw::Oval);
  EXPECT_FLOAT_EQ(d[2].x, 90);
  EXPECT_FLOAT_EQ(d[2].y, 108);
  EXPECT_FLOAT_EQ(d[2].w, 20);
  EXPECT_FLOAT_EQ(d[2].h, 24);
  EXPECT_EQ(d[2].blend, 0);

  EXPECT_EQ(d[3].kind, RecordedDraw::Line);
  EXPECT_FLOAT_EQ(d[3].w, 6);
  EXPECT_FLOAT_EQ(d[3].h, 8);

  // The ship frame: 128-pixel frames at level 2 brought back to logical size, then doubled by the scale.
  EXPECT_EQ(d[4].kind, RecordedDraw::Surface);
  EXPECT_FLOAT_EQ(d[4].w, 128);
  EXPECT_FLOAT_EQ(d[4].m[0], 1);
  EXPECT_FLOAT_EQ(d[4].m[4], 200 - 64);
  EXPECT_FLOAT_EQ(d[4].m[5], 100 - 64);
  EXPECT_EQ(d[4].srcx, 0);
  EXPECT_EQ(d[4].srcy, 128);
}

TEST_F(FrameLoopTest, FunctionKeysAndTiming) {
  h->KeyDown(112);
  h->KeyDown(113);
  h->SetMillis(20000);
  h->Update();
  EXPECT_EQ(rt_Quorva_DebugMode, 1);
  EXPECT_EQ(app->m_HideHud, 1);
  bool debugLine = false;
  for (const ImageRecord& r : ImageRecords()) debugLine |= r.slot == 90 && r.y == 480 - 16 + 5;
  EXPECT_TRUE(debugLine);
  h->KeyUp(112);
  h->KeyUp(113);
  h->KeyDown(112);
  h->SetMillis(20016);
  h->Update();
  EXPECT_EQ(rt_Quorva_DebugMode, 0) << "F1 toggles back";
  EXPECT_EQ(app->m_HideHud, 1) << "a held key is no new hit";
  EXPECT_EQ(app->m_UpdFps, 62);
  EXPECT_EQ(app->m_UpdLastMs, 20016);
  h->Update();  // the clock did not move: nothing to measure
  EXPECT_EQ(app->m_UpdFps, 62);
}

TEST_F(FrameLoopTest, F4EndsTheProgramAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        h->KeyDown(115);
        h->Update();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FrameLoopTest, ThePauseKeyPausesAndTheButtonOnlyWithTheHud) {
  struct Case {
    int hideHud;
    bool touch;  // press the pause button instead of the key
    bool paused, buttonDrawn;
  } cases[] = {
      {0, false, true, true},
      {1, false, true, false},
      {0, true, true, true},
      {1, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "hud hidden " << c.hideHud << ", touch " << c.touch);
    h->StartGame();
    h->Frames(2);
    app->m_HideHud = c.hideHud;
    h->Frame();
    EXPECT_EQ(HasImageAt(97, 16, 16), c.buttonDrawn);
    if (c.touch) {
      h->MouseDown(17, 15);
    } else {
      h->KeyDown(27);
    }
    h->Update();
    EXPECT_EQ(app->m_Paused == 1, c.paused);
    if (c.paused) {
      EXPECT_EQ(c.touch ? app->m_TouchHeld : app->m_KeyHeld, 1);
    }
    if (c.touch) {
      h->MouseUp(17, 15);
    } else {
      h->KeyUp(27);
    }
    h->Update();
  }
}

TEST_F(FrameLoopTest, WhilePausedNoFrameOfPlayRuns) {
  h->StartGame();
  h->Frames(3);
  h->KeyDown(27);
  h->Frame();
  ASSERT_EQ(app->m_Paused, 1);
  const float phase = app->m_Player[91];
  const float star = app->m_Stars[1];
  h->Frames(3);
  EXPECT_EQ(app->m_Player[91], phase);
  EXPECT_EQ(app->m_Stars[1], star);
  EXPECT_EQ(app->m_MenuSlide, -32) << "p_InGame still runs";
}

TEST_F(FrameLoopTest, OptionsSlideAndPanelWidenInEveryMode) {
  app->m_OptionsOpen = 1;
  h->Frames(40);
  EXPECT_EQ(app->m_OptSlide, 30);
  app->m_OptionsOpen = 0;
  h->Frames(10);
  EXPECT_EQ(app->m_OptSlide, 20);
  h->Frames(30);
  EXPECT_EQ(app->m_OptSlide, 0);

  app->m_ShowCredits = 1;
  h->Update();
  EXPECT_FLOAT_EQ(app->m_PanelGrow, 500.0f / 8);
  h->Frames(40);
  EXPECT_FLOAT_EQ(app->m_PanelGrow, 500) << "snaps to W - 140 once close";
  app->m_ShowCredits = 0;
  h->Update();
  EXPECT_FLOAT_EQ(app->m_PanelGrow, 500 - 500.0f / 8);
  h->Frames(40);
  EXPECT_EQ(app->m_PanelGrow, 0.0f);
}
