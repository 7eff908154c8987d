// Controls: game buttons from keys, joysticks and the iCade adapter, the pointer snapshot and the area
// tests, and the steering pair with its keyboard ramps.
#include <string>

#include "game_fixture.h"
#include "input/input.h"

class ControlsTest : public GameShellTest {
 protected:
  // One steering update with the keys as they are now.
  float SteerX() {
    app->p_AnalogueControl();
    return app->m_AnalogX;
  }
};

TEST_F(ControlsTest, HoldingAKeyRampsUpAndReleasingItRampsBack) {
  h->KeyDown(39);  // cursor right
  const float up[] = {0.15f, 0.30f, 0.45f, 0.60f, 0.75f, 0.90f, 1.0f, 1.0f};
  for (float want : up) EXPECT_NEAR(SteerX(), want, 1e-5);
  h->KeyUp(39);
  const float down[] = {0.8f, 0.6f, 0.4f, 0.2f, 0.0f, 0.0f};
  for (float want : down) EXPECT_NEAR(SteerX(), want, 1e-5);
  EXPECT_GE(app->m_KeyRampX, 0.0f);

  h->KeyDown(87);  // W: up
  app->p_AnalogueControl();
  app->p_AnalogueControl();
  EXPECT_NEAR(app->m_AnalogY, -0.30f, 1e-5);
}

TEST_F(ControlsTest, LeftAndRightTogetherCancel) {
  h->KeyDown(37);
  h->KeyDown(39);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(SteerX(), 0.0f, 1e-6);
  EXPECT_NEAR(app->m_KeyRampX, 0.0f, 1e-6);
}

TEST_F(ControlsTest, TheJoystickOverridesTheTouchStickPastItsDeadZone) {
  struct Case {
    float x, y;
    int flipped;
    float wantX, wantY;
  } cases[] = {
      {0.1f, 0.15f, 0, 0.5f, -0.25f},  // inside the dead zone: the touch stick steers
      {0.5f, 0.1f, 0, 0.5f, -0.1f},    // y is negated...
      {0.1f, 0.5f, 1, 0.1f, 0.5f},     // ...unless the left stick is flipped in the settings
      {-0.3f, 0.0f, 0, -0.3f, 0.0f},   // one axis past the zone takes both
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    app->m_Options[15] = c.flipped;
    h->SetJoystick(0, c.x, c.y);
    h->Update();  // polls the joystick
    ASSERT_FLOAT_EQ(rt_input_JoyX(0, 0), c.x);
    // A touch held 36 pixels right of and 18 above its anchor: (0.5, -0.25) on its own.
    app->m_TouchDown = 1;
    app->m_StickAnchorX = 100;
    app->m_StickAnchorY = 100;
    app->m_MouseX = 136;
    app->m_MouseY = 82;
    app->p_AnalogueControl();
    EXPECT_NEAR(app->m_AnalogX, c.wantX, 1e-6);
    EXPECT_NEAR(app->m_AnalogY, c.wantY, 1e-6);
  }
}

TEST_F(ControlsTest, TheStickCountsAsADirectionOnlyWhenAsked) {
  h->SetJoystick(0, -0.5f, 0.0f);
  h->Update();
  EXPECT_NE(app->p_PlayKey(3, 1, 0), 0);
  EXPECT_EQ(app->p_PlayKey(3, 0, 0), 0);
  EXPECT_EQ(app->p_PlayKey(3, 1, -1), 0) << "unit -1 reads no joystick";
  EXPECT_EQ(app->p_PlayKey(5, 1, 0), 0);
}

TEST_F(ControlsTest, ButtonSourcesByUnit) {
  h->KeyDown(256);  // joystick 0, button 0
  EXPECT_EQ(app->p_PlayKey(10, 1, 0), 1);
  EXPECT_EQ(app->p_PlayKey(10, 1, -1), 0) << "unit -1 ignores joysticks";
  EXPECT_EQ(app->p_PlayKey(10, 1, 1), 0);
  h->KeyUp(256);

  h->KeyDown(27);  // escape
  EXPECT_EQ(app->p_PlayKey(98, 0, -1), 0) << "code 98 is never read from the keyboard alone";
  EXPECT_EQ(app->p_PlayKey(99, 0, -1), 1);
  EXPECT_EQ(app->p_PlayKeyAll(99, 1), 4) << "the keyboard counts for every unit";
  EXPECT_EQ(app->p_PlayKey(99, 0, -2), 0);
  EXPECT_EQ(app->p_PlayKey(42, 0, 0), 0);
  h->KeyUp(27);

  app->m_Pad[19] = 1;  // a back-key hit this update
  EXPECT_EQ(app->p_PlayKey(99, 0, -1), 1);
  app->m_Pad[19] = 0;
}

// Every game button against every source, for every unit, with iCade decoding off and on. Sources: kN key
// N, jN joystick button N of the unit, sU/sL/sR/sD stick 0 of the unit past 0.4 that way, pN m_Pad[N].
TEST_F(ControlsTest, EveryButtonReadsExactlyItsSourcesForEachUnit) {
  struct Row {
    int code;
    const char* units;     // units 0..3
    const char* keyboard;  // unit -1
  };
  const Row plain[] = {
      {0, "k38 k87 j9 sU p0", "k38 k87 p0"},
      {3, "k37 k65 j8 sL p3", "k37 k65 p3"},
      {5, "k39 k68 j10 sR p5", "k39 k68 p5"},
      {8, "k40 k83 j11 sD p8", "k40 k83 p8"},
      {10, "k90 k74 k32 k13 j0 p10", "k90 k74 k32 k13 p10"},
      {11, "k88 k75 k17 j1 p11", "k88 k75 k17 p11"},
      {12, "k67 k76 k16 j2 p12", "k67 k76 k16 p12"},
      {13, "k86 k73 j3 p13", "k86 k73 p13"},
      {14, "k66 k85 j4 p14", "k66 k85 p14"},
      {15, "k78 k79 j5 p15", "k78 k79 p15"},
      {98, "k27 k192 k46 k8 j6 j7 j14 p16 p17 p19", ""},
      {99, "k27 k192 k46 k8 j6 j7 j14 p16 p17 p19", "k27 k192 k46 k8 p16 p17 p19"},
  };
  const Row icade[] = {
      {0, "k38 j9 p0", "k38 p0"},
      {3, "k37 j8 p3", "k37 p3"},
      {5, "k39 j10 p5", "k39 p5"},
      {8, "k40 j11 p8", "k40 p8"},
      {10, "k32 k13 j0 p10", "k32 k13 p10"},
      {11, "k17 j1 p11", "k17 p11"},
      {12, "k16 j2 p12", "k16 p12"},
      {13, "j3 p13", "p13"},
      {14, "j4 p14", "p14"},
      {15, "j5 p15", "p15"},
      {98, "", ""},
      {99, "k27 k46 k8 j7 j6 j14 p16 p17 p19", "k27 k46 k8 p16 p17 p19"},
  };
  // Every source of the tables, and a few that belong to no button.
  const char* const sources[] = {
      "sU", "sL", "sR", "sD", "k38", "k87", "k37", "k65", "k39", "k68", "k40", "k83", "k90", "k74", "k32",
      "k13", "k88", "k75", "k17", "k67", "k76", "k16", "k86", "k73", "k66", "k85", "k78", "k79", "k27",
      "k192", "k46", "k8", "k49", "j0", "j1", "j2", "j3", "j4", "j5", "j6", "j7", "j8", "j9", "j10", "j11",
      "j12", "j14", "j15", "p0", "p3", "p5", "p8", "p10", "p11", "p12", "p13", "p14", "p15", "p16", "p17",
      "p18", "p19"};
  const int codes[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 98, 99, 1, 9, 97, 100};
  auto listed = [](const char* list, const std::string& source) {
    return (" " + std::string(list) + " ").find(" " + source + " ") != std::string::npos;
  };
  app->m_Options[15] = 0;

  std::string wrong;
  for (int icadeOn = 0; icadeOn < 2; ++icadeOn) {
    const Row* rows = icadeOn ? icade : plain;
    for (const char* source : sources) {
      const std::string src = source;
      const char kind = src[0];
      const int n = kind == 's' ? 0 : std::stoi(src.substr(1));
      const bool perUnit = kind == 'j' || kind == 's';
      for (int srcUnit = 0; srcUnit < (perUnit ? 4 : 1); ++srcUnit) {
        // Switch the source on (stick positions arrive with the update's joystick poll).
        if (kind == 's') {
          const char dir = src[1];
          h->SetJoystick(srcUnit, dir == 'L' ? -0.9f : (dir == 'R' ? 0.9f : 0.0f),
                         dir == 'U' ? 0.9f : (dir == 'D' ? -0.9f : 0.0f));
          h->Update();
        }
        rt_Quorva_iCadeControls = icadeOn;
        if (kind == 'k') h->KeyDown(n);
        if (kind == 'j') h->KeyDown(256 + 32 * srcUnit + n);
        if (kind == 'p') app->m_Pad[n] = 1;

        for (int code : codes) {
          const Row* row = nullptr;
          for (int r = 0; r < 12; ++r) {
            if (rows[r].code == code) row = &rows[r];
          }
          for (int unit = -2; unit <= 3; ++unit) {
            bool want = row && unit >= -1 && listed(unit == -1 ? row->keyboard : row->units, src);
            if (perUnit && unit != srcUnit) want = false;
            const bool got = app->p_PlayKey(code, 1, unit) != 0;
            const bool gotNoStick = app->p_PlayKey(code, 0, unit) != 0;
            if (got != want || gotNoStick != (want && kind != 's')) {
              wrong += (icadeOn ? " icade:" : " plain:") + src + "@" + std::to_string(srcUnit) + " code " +
                       std::to_string(code) + " unit " + std::to_string(unit) + (got ? " on;" : " off;");
            }
          }
        }

        // And off again.
        if (kind == 's') {
          h->SetJoystick(srcUnit, 0.0f, 0.0f);
          h->Update();
        }
        if (kind == 'k') h->KeyUp(n);
        if (kind == 'j') h->KeyUp(256 + 32 * srcUnit + n);
        if (kind == 'p') app->m_Pad[n] = 0;
      }
    }
  }
  rt_Quorva_iCadeControls = 0;
  EXPECT_EQ(wrong, "");
}

TEST_F(ControlsTest, ICadeLettersPressAndReleaseVirtualKeys) {
  app->p_iCade(1);
  EXPECT_EQ(rt_Quorva_iCadeControls, 1);
  h->KeyDown(87);
  EXPECT_EQ(app->p_PlayKey(0, 0, -1), 0) << "with the adapter the letter keys are not read";
  h->KeyUp(87);

  h->Char('W');
  h->Update();
  EXPECT_EQ(app->m_Pad[0], 2);
  EXPECT_NE(app->p_PlayKey(0, 0, -1), 0);
  h->Update();
  EXPECT_EQ(app->m_Pad[0], 2) << "held from the press letter to the release letter";
  h->Char('e');
  h->Char('h');
  h->Update();
  EXPECT_EQ(app->m_Pad[0], 0);
  EXPECT_EQ(app->m_Pad[10], 2);
  EXPECT_EQ(app->p_PlayKey(13, 0, -1), 0);
  app->m_Pad[13] = 2;
  EXPECT_EQ(app->p_PlayKey(13, 0, -1), 2) << "the pad element's own value";

  app->p_iCade(0);
  EXPECT_EQ(rt_Quorva_iCadeControls, 0);
  EXPECT_EQ(app->m_Pad[10], 0);
}

TEST_F(ControlsTest, OneUpdateVirtualKeysAreCleared) {
  h->StartGame();  // on the bare title the back control would end the program
  app->m_Pad[4] = 1;
  app->m_Pad[5] = 2;
  // The back key would end the app through the framework, so its hit goes to the input device directly.
  rt_input_device->p_KeyEvent(kEventKeyDown, kKeyBack);
  h->Update();
  EXPECT_EQ(app->m_Pad[4], 0);
  EXPECT_EQ(app->m_Pad[5], 2);
  EXPECT_EQ(app->m_Pad[19], 1) << "the back-key hits of the update";
  EXPECT_EQ(app->m_Paused, 1) << "and they count as the pause request";
  h->Update();
  EXPECT_EQ(app->m_Pad[19], 0);
}

TEST_F(ControlsTest, ThePointerSnapshotIsInVirtualPixels) {
  h->Resize(1280, 960);
  h->Render();  // scale 2
  h->MouseDown(200, 100);
  app->p_PointerSnapshot();
  EXPECT_EQ(app->m_MouseX, 100);
  EXPECT_EQ(app->m_MouseY, 50);
  EXPECT_EQ(app->m_PrevMouseX, 100) << "the first update of a press has no movement";
  EXPECT_EQ(app->m_TouchDown, 1);
  EXPECT_EQ(app->m_MouseHit, 1);
  EXPECT_EQ(app->m_TouchOn[0], 1);
  EXPECT_EQ(app->m_TouchX[0], 100);
  EXPECT_EQ(app->m_TouchY[1], -3717);
  h->MouseMove(220, 100);
  app->m_TouchHeld = 1;
  app->p_PointerSnapshot();
  EXPECT_EQ(app->m_PrevMouseX, 100);
  EXPECT_EQ(app->m_MouseX, 110);
  EXPECT_EQ(app->m_TouchHeld, 1);
  h->MouseUp(220, 100);
  app->p_PointerSnapshot();
  EXPECT_EQ(app->m_TouchDown, 0);
  EXPECT_EQ(app->m_TouchOn[0], 0);
  EXPECT_EQ(app->m_TouchX[0], -3717);
  EXPECT_EQ(app->m_TouchHeld, 0) << "the latch clears when nothing is down";
}

TEST_F(ControlsTest, AreaTestsAndTheirMargins) {
  struct Case {
    float x, y;
    int touch, in, centred, radius;
  } cases[] = {
      {93, 120, 0, 0, 0, 0},     // 7 left of the rectangle (100, 100, 50, 50)
      {95, 120, 1, 0, 0, 0},     // 5 left: inside the touch margin
      {161, 120, 1, 0, 0, 0},    // 11 right of it
      {162, 120, 0, 0, 0, 0},
      {125, 125, 1, 1, 0, 0},
      {101, 101, 1, 1, 0, 0},
      {100, 120, 1, 0, 0, 0},    // on the edge: strictly inside fails
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    h->MouseDown(c.x, c.y);
    app->p_PointerSnapshot();
    EXPECT_EQ(app->p_Touch(100, 100, 50, 50), c.touch);
    EXPECT_EQ(app->p_MouseIn(100, 100, 50, 50), c.in);
    h->MouseUp(c.x, c.y);
  }
  h->MouseDown(110, 100);
  app->p_PointerSnapshot();
  EXPECT_EQ(app->p_MouseIn_Centered(100, 100, 20, 20), 0) << "|dx| must be below w/2";
  EXPECT_EQ(app->p_MouseIn_Centered(100, 100, 22, 20), 1);
  EXPECT_EQ(app->p_MouseIn_Radius(100, 100, 20, 0), 1) << "on the circle counts";
  EXPECT_EQ(app->p_MouseIn_Radius(100, 100, 19, 0), 0);
  // Buttons: the icons' 64-pixel frames at level 2 are 32 logical pixels wide; the size scales them.
  EXPECT_EQ(app->p_Button(97, 125, 100, 0), 1);
  EXPECT_EQ(app->p_Button(97, 127, 100, 0), 0);
  EXPECT_EQ(app->m_ButtonHit, 0);
  app->p_SetSize(2);
  EXPECT_EQ(app->p_Button(97, 127, 100, 0), 1);
  EXPECT_EQ(app->m_ButtonHit, 1);
  EXPECT_EQ(app->p_Button0(97, 127, 100, 0), 1);
  EXPECT_EQ(app->p_Button0(97, 150, 100, 0), 0);
}

// The press that started a game is often still down in its first updates: the touch stick must take its
// anchor there and not steer from wherever an earlier anchor (or none at all) was left.
TEST_F(ControlsTest, ThePressThatStartsAGameDoesNotSteer) {
  struct Case {
    const char* name;
    int anchorX, anchorY;  // left over from before the game; the constructed record for the first case
  } cases[] = {{"first game after launch", app->m_StickAnchorX, app->m_StickAnchorY}, {"a later game", 600, 400}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    app->m_StickAnchorX = c.anchorX;
    app->m_StickAnchorY = c.anchorY;
    h->MouseDown(300, 200);
    h->StartGame();
    for (int i = 0; i < 3; ++i) {
      h->Frame();
      EXPECT_EQ(app->m_AnalogX, 0.0f);
      EXPECT_EQ(app->m_AnalogY, 0.0f);
    }
    EXPECT_EQ(app->m_StickAnchorX, 300);
    EXPECT_EQ(app->m_StickAnchorY, 200);
    h->MouseUp(300, 200);
    h->Frame();
  }
}
