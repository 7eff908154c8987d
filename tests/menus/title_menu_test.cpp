// The title menu: the description and score lists as the screen size allows, dragging and the wheel's
// end stops, the key repeat, starting a game by keys, pad and touch, the credit roll, and the back control.
#include <cmath>

#include "menu_fixture.h"

class TitleMenuTest : public MenuTest {
 protected:
  // Lets the slide-in finish so that the wheel and panel stand where a player sees them.
  void Settle() { h->Frames(40); }

  // Where the selected wheel item was drawn (its button is the one at the large size).
  bool SelectedItem(float& x, float& y) const {
    for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (r[0] == 95.0f && r[4] == 1.75f) {
        x = r[1];
        y = r[2];
        return true;
      }
    }
    return false;
  }
};

TEST_F(TitleMenuTest, TheDescriptionNeedsAScreenWiderThan600) {
  struct Case {
    int deviceW, deviceH;
    bool shown;
  } cases[] = {{640, 480, true}, {800, 480, true}, {600, 480, false}, {560, 480, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deviceW);
    ResizeTo(c.deviceW, c.deviceH);
    Settle();
    EXPECT_EQ(Shows("Justright!"), c.shown) << "virtual width " << rt_Quorva_jscrw;
    if (c.shown) {
      EXPECT_TRUE(Shows("Tough,butnothard.")) << "the second line of the description";
    }
  }
}

TEST_F(TitleMenuTest, TheDescriptionBreaksIntoItsTwoLines) {
  Settle();
  float y1 = 0, y2 = 0;
  for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
    const float* r = app->m_DrawList.Data() + at;
    if (int(r[0]) != app->m_FontSlot) continue;
    if (r[6] == float('J' - 32)) y1 = r[2];
    if (r[6] == float('T' - 32) && r[2] > 400) y2 = r[2];
  }
  EXPECT_EQ(y2 - y1, 15.0f) << "one line of the font at size 1.5 lower";
}

TEST_F(TitleMenuTest, ScoreListsFitTheScreenWithOneToTenLines) {
  struct Case {
    int deviceW, deviceH;
    const char* top;   // heading and entries of the top list
    const char* last;  // of the last list
  } cases[] = {
      {640, 480, "Top10100101102103104105106107108109", "Last10200201202203204205206207208209"},
      {800, 480, "Top6100101102103104105", "Last6200201202203204205"},
      {640, 200, "Highscore100", "Last200"},
      {480, 640, "Top10100101102103104105106107108109", "Last10200201202203204205206207208209"},
      // Full screen on common desktops: the height is the design height on 5:4 and room for six lines
      // on the wider ones.
      {1280, 1024, "Top10100101102103104105106107108109", "Last10200201202203204205206207208209"},
      {1366, 768, "Top5100101102103104", "Last5200201202203204"},
      {1920, 1080, "Top6100101102103104105", "Last6200201202203204205"},
      {3840, 2160, "Top6100101102103104105", "Last6200201202203204205"},
  };
  for (int i = 0; i < 10; ++i) {
    app->m_HiScores[10 + i] = 100 + i;  // Normal's top ten
    app->m_HiScores[40 + i] = 200 + i;  // and its last ten
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deviceW * 10000 + c.deviceH);
    ResizeTo(c.deviceW, c.deviceH);
    Settle();
    EXPECT_EQ(GlyphsIn(255, 200, 100), c.top);
    EXPECT_EQ(GlyphsIn(200, 255, 100), c.last);
  }
}

TEST_F(TitleMenuTest, ADragOfMoreThanFourPixelsAStepIsNoTap) {
  struct Case {
    int step;
    int latch;  // both latches after the drag
  } cases[] = {{4, 0}, {5, -1}, {12, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    Start();
    Settle();
    float x = 250, y = 200;
    h->MouseDown(x, y);
    h->Frame();
    for (int i = 0; i < 4; ++i) {
      x -= float(c.step);
      h->MouseMove(x, y);
      h->Frame();
    }
    EXPECT_EQ(app->m_KeyHeld, c.latch);
    EXPECT_EQ(app->m_TouchHeld, c.latch);
    EXPECT_EQ(app->m_MenuFocus, 1);
    EXPECT_LT(app->m_WheelSpin, 0.0f) << "dragging left turns the wheel toward Hard";
    h->MouseUp(x, y);
    h->Frames(2);
  }

  // After a drag the pointer can rest on the selected item and be let go: nothing starts.
  Start();
  Settle();
  h->MouseDown(250, 200);
  h->Frame();
  h->MouseMove(240, 200);
  h->Frame();
  ASSERT_EQ(app->m_TouchHeld, -1);
  for (int i = 0; i < 60; ++i) {
    float ix, iy;
    ASSERT_TRUE(SelectedItem(ix, iy));
    h->MouseMove(ix, iy);
    h->Frame();
    ASSERT_EQ(app->m_GameMode, 1) << "update " << i;
  }
  h->MouseUp(100, 100);
  h->Frames(120);  // the wheel comes to rest
  EXPECT_EQ(app->m_GameMode, 1);

  // A plain press on the selected item does start it.
  float ix, iy;
  ASSERT_TRUE(SelectedItem(ix, iy));
  h->MouseDown(ix, iy);
  h->Frame();
  EXPECT_EQ(app->m_GameMode, 11);
}

TEST_F(TitleMenuTest, TheWheelStopsAtHardAndAtEasy) {
  struct Case {
    float x, y, dx, dy;  // where the drag starts and how far the pointer moves each update
    int sel;
  } cases[] = {{250, 200, -30, 0, 2}, {10, 180, 0, 30, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sel);
    Start();
    Settle();
    float x = c.x, y = c.y;
    h->MouseDown(x, y);
    h->Frame();
    for (int i = 0; i < 6; ++i) {
      x += c.dx;
      y += c.dy;
      h->MouseMove(x, y);
      h->Frame();
    }
    h->MouseUp(x, y);
    float lowest = 1e9f, highest = -1e9f;
    for (int i = 0; i < 240; ++i) {
      h->Frame();
      lowest = std::fmin(lowest, app->m_WheelShown);
      highest = std::fmax(highest, app->m_WheelShown);
    }
    EXPECT_EQ(app->m_MenuSel, c.sel);
    EXPECT_EQ(app->m_WheelSpin, 0.0f);
    // "Hard" reads at -64 and "Easy" at 0. A fast spin swings past, the stop pushes the wheel back, and it
    // comes to rest with the end item beside the reading position (45 degrees).
    EXPECT_GT(lowest, -64.0f - 90.0f);
    EXPECT_LT(highest, 0.0f + 90.0f);
    const float reading = 32.0f * float(c.sel) + 48.0f + app->m_WheelShown;
    EXPECT_NEAR(reading, 45.0f, 30.0f);
    EXPECT_EQ(app->m_Difficulty, c.sel + 1);
  }
}

TEST_F(TitleMenuTest, HeldUpOrDownRepeatsAfter30Then18Then6Then3Updates) {
  Settle();
  app->m_MenuSel = 0;
  h->KeyDown(kDown);
  std::vector<int> steps;
  float last = 0;
  for (int u = 0; u < 70; ++u) {
    h->Frame();
    if (app->m_Player[21] > last) steps.push_back(u);
    last = app->m_Player[21];
    if (u == 0) {
      EXPECT_EQ(app->m_MenuSel, 1) << "the first step comes at once";
    }
  }
  h->KeyUp(kDown);
  ASSERT_GE(steps.size(), 6u);
  std::vector<int> gaps;
  for (size_t i = 1; i < 6; ++i) gaps.push_back(steps[i] - steps[i - 1]);
  EXPECT_EQ(gaps, (std::vector<int>{30, 18, 6, 3, 3}));
  EXPECT_EQ(app->m_MenuSel, 2) << "not beyond Hard";
  EXPECT_EQ(app->m_WheelAngle, -64.0f);
  EXPECT_EQ(app->m_Difficulty, 3);
  h->Frame();
  EXPECT_EQ(app->m_Player[22], 30.0f) << "letting go restores the first delay";
}

TEST_F(TitleMenuTest, TheControlModeFollowsWhatStartedTheGame) {
  struct Case {
    const char* how;
    int mode;
  } cases[] = {{"keyboard", 1}, {"pad", 0}, {"touch", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Start();
    Settle();
    std::string how = c.how;
    if (how == "keyboard") {
      h->KeyDown(kEnter);
    } else if (how == "pad") {
      h->SetJoystick(0, 0.0f, 0.0f);
      h->world().joysticks[0].buttons[0] = 1;
    } else {
      h->MouseDown(rt_Quorva_jscrw - 70.0f, rt_Quorva_jscrh - 48.0f);  // the start icon
    }
    h->Frame();
    EXPECT_EQ(app->m_GameMode, 11);
    EXPECT_EQ(app->m_ControlMode, c.mode);
    h->Frame();
    EXPECT_EQ(app->m_GameMode, 10);
    EXPECT_EQ(app->m_Difficulty, 2);
  }
}

TEST_F(TitleMenuTest, FocusMovesWithLeftAndRightAndTheHubOpensTheOptions) {
  Settle();
  Press(kRight);
  EXPECT_EQ(app->m_MenuFocus, 2);
  Press(kRight);
  EXPECT_EQ(app->m_MenuFocus, 2) << "the panel is the last part";
  Press(kLeft);
  Press(kLeft);
  EXPECT_EQ(app->m_MenuFocus, 0);
  Press(kEnter);
  EXPECT_EQ(app->m_OptionsOpen, 1);
  EXPECT_EQ(app->m_GameMode, 1);
}

TEST_F(TitleMenuTest, TheCreditRollWrapsAfter56LinesAndNeverShowsEnd) {
  Settle();
  Press(kRight);
  Press(kEnter);
  ASSERT_EQ(app->m_ShowCredits, 1);
  h->Frames(40);  // the panel widens

  // Line r of the roll is entry (r + reference line) mod 56.
  struct Case {
    int line;
    const char* shown;  // glyphs of the entry at the reference line
  } cases[] = {{1, "AGameby"}, {57, "AGameby"}, {56 + 52, "AndeveryoneElse"}, {-55, "AGameby"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    app->m_CreditLine = c.line;
    app->m_CreditScroll = 0.0f;
    h->Frame();
    EXPECT_TRUE(Shows(std::string("|") + c.shown + "|")) << Glyphs();
  }

  // Scrolling fast through more than the whole table never reaches the last entry.
  app->m_CreditLine = 0;
  h->KeyDown(kDown);
  int seen = 0;
  for (int u = 0; u < 700; ++u) {
    h->Frame();
    ASSERT_FALSE(Shows("End")) << "line " << app->m_CreditLine;
    seen += Shows("|AGameby|") ? 1 : 0;
  }
  h->KeyUp(kDown);
  EXPECT_GE(app->m_CreditLine, 60);
  EXPECT_GT(seen, 0);
  EXPECT_EQ(app->m_ShowCredits, 1) << "up and down only scroll";

  Press(kEnter);
  EXPECT_EQ(app->m_ShowCredits, 0) << "an action button leaves the roll";
}

TEST_F(TitleMenuTest, TheCreditsShowTheDebugStats) {
  Settle();
  Press(kRight);
  Press(kEnter);
  h->Frames(40);
  EXPECT_TRUE(Shows("|DebugStats|"));
  EXPECT_TRUE(Shows("|640x480|"));
  EXPECT_TRUE(Shows("|Codedin|"));
  int discs = 0;
  for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
    const float* r = app->m_DrawList.Data() + at;
    if (r[0] == kDrawOval && r[4] == 32.0f && r[7] == 0.3f) ++discs;
  }
  EXPECT_EQ(discs, 11);

  ResizeTo(1280, 1024);
  h->Frame();
  EXPECT_TRUE(Shows("|600x480|")) << "the virtual size of a 5:4 full screen, not truncated below";
}

TEST_F(TitleMenuTest, TheBackControlClosesWhatIsOpenAndQuitsFromTheBareMenu) {
  Settle();
  struct Case {
    const char* what;
    int focus;
  } cases[] = {{"credits", 2}, {"options", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    app->m_MenuFocus = c.focus;
    Press(kEnter);
    ASSERT_TRUE(app->m_ShowCredits == 1 || app->m_OptionsOpen == 1);
    h->Frames(40);
    Press(kEscape);
    EXPECT_EQ(app->m_ShowCredits, 0);
    EXPECT_EQ(app->m_OptionsOpen, 0);
    h->Frames(40);  // the options box slides out
  }
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        h->KeyDown(kEscape);
        h->Frame();
        fprintf(stderr, "still running\n");
      },
      ::testing::ExitedWithCode(0), "");
}
