// The options box: the sound setting and the music during a game, rows that act once per press or hold,
// and saving on every way of closing.
#include <sstream>

#include "audio/audio.h"
#include "menu_fixture.h"

class OptionsBoxTest : public MenuTest {
 protected:
  // Opens the box from the title's hub by keys and waits until it has slid in.
  void OpenFromTitle() {
    h->Frames(40);
    app->m_MenuFocus = 0;
    Press(kEnter);
    ASSERT_EQ(app->m_OptionsOpen, 1);
    h->Frames(31);
    ASSERT_EQ(app->m_OptSlide, 30);
  }

  // The centre of setting row r's bar once the box is in.
  float RowY(int r) const { return 130.0f + 40.0f * float(r - 1) + 10.0f; }

  int RowValue(int r) const {
    switch (r) {
      case 1: return app->m_Options[5];
      case 2: return rt_Quorva_iCadeControls;
      case 4: return app->m_Options[15];
      default: return app->m_Options[16];
    }
  }

  // Field i of the saved state string, or "" when the file or the field is missing.
  std::string SavedField(int i) const {
    std::stringstream s(h->StateFile());
    std::string field;
    for (int k = 0; std::getline(s, field, '|'); ++k) {
      if (k == i) return field;
    }
    return std::string();
  }
};

TEST_F(OptionsBoxTest, TheSoundSettingStopsAndRestartsTheMusicOfAGame) {
  h->Frames(40);
  StartWithEnter();
  ASSERT_EQ(app->m_MusicOn, 1);
  PauseFully();
  Press(kDown);  // the pause cursor to the options
  Press(kEnter);
  ASSERT_EQ(app->m_OptionsOpen, 1);
  h->Frames(31);
  Press(kDown);  // the sound row
  ASSERT_EQ(app->m_OptRow, 1);

  struct Step {
    int setting;
    const char* label;
    int musicOn;
  } steps[] = {{2, "Sound:SFX", 0}, {3, "Sound:Music", 1}, {0, "Sound:Off", 0}, {1, "Sound:SFX+Music", 1}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.setting);
    Press(kEnter);
    EXPECT_EQ(app->m_Options[5], s.setting);
    EXPECT_EQ(app->m_MusicOn, s.musicOn);
    EXPECT_EQ(rt_audio_device->MusicState() != 0, s.musicOn == 1) << "the device's music channel";
    EXPECT_TRUE(Shows(std::string("|") + s.label + "|")) << Glyphs();
  }
  EXPECT_EQ(app->m_TuneName, String("Linoleum"));
  EXPECT_EQ(app->m_Paused, 1) << "the box works over the pause menu";
}

TEST_F(OptionsBoxTest, AHeldButtonOrPressActsOnce) {
  struct Case {
    int row;
    bool touch;
  } cases[] = {{1, false}, {2, false}, {4, false}, {5, false}, {4, true}, {1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row * 10 + c.touch);
    Start();
    OpenFromTitle();
    const int before = RowValue(c.row);
    if (c.touch) {
      h->MouseDown(320, RowY(c.row));
    } else {
      app->m_OptRow = c.row;
      h->KeyDown(kEnter);
    }
    h->Frames(20);
    EXPECT_NE(RowValue(c.row), before);
    EXPECT_EQ(app->m_OptRow, c.row);
    if (c.touch) {
      h->MouseUp(320, RowY(c.row));
    } else {
      h->KeyUp(kEnter);
    }
    h->Frames(2);
    EXPECT_EQ(RowValue(c.row), c.row == 1 ? (before + 1) % 4 : 1 - before) << "acted exactly once";
    if (rt_Quorva_iCadeControls == 1) app->p_iCade(0);
  }
}

TEST_F(OptionsBoxTest, EveryWayOfClosingSaves) {
  struct Case {
    const char* how;
  } cases[] = {{"back key"}, {"action on the back row"}, {"press on the gears"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    Start();
    OpenFromTitle();
    EXPECT_EQ(SavedField(16), "") << "nothing saved yet";
    for (int i = 0; i < 5; ++i) Press(kDown);
    ASSERT_EQ(app->m_OptRow, 5);
    Press(kEnter);
    ASSERT_EQ(app->m_Options[16], 1);

    std::string how = c.how;
    if (how == "back key") {
      Press(kEscape);
    } else if (how == "action on the back row") {
      for (int i = 0; i < 5; ++i) Press(kUp);
      ASSERT_EQ(app->m_OptRow, 0);
      Press(kEnter);
    } else {
      h->MouseDown(100, 60);
      h->Frame();
      h->MouseUp(100, 60);
      h->Frame();
    }
    EXPECT_EQ(app->m_OptionsOpen, 0);
    EXPECT_EQ(SavedField(16), "1");
    EXPECT_EQ(app->m_GameMode, 1) << "closing does not reach the title below";
    h->Frames(31);
    EXPECT_EQ(app->m_OptSlide, 0);
  }
}

TEST_F(OptionsBoxTest, NothingActsWhileTheBoxSlides) {
  h->Frames(40);
  app->m_MenuFocus = 0;
  app->m_OptRow = 4;
  Press(kEnter);
  ASSERT_EQ(app->m_OptionsOpen, 1);
  h->KeyDown(kEnter);
  h->MouseDown(320, RowY(5));
  for (int i = 0; i < 20; ++i) {
    h->Frame();
    ASSERT_EQ(app->m_Options[15], 0);
    ASSERT_EQ(app->m_Options[16], 0);
  }
}
