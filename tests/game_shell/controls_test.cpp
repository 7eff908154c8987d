// Controls: game buttons from keys, joysticks and the iCade adapter, the pointer snapshot and the area
// tests, and the steering pair with its keyboard ramps.
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
