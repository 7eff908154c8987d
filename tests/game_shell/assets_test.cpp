// Asset loading: the resolution level and file names by window size, the slots' frame sizes, the stepwise
// loader with its one-time jingle and its restart on a resize, and missing or unusable files.
#include "audio/audio.h"
#include "game_fixture.h"
#include "support/test_os.h"

namespace {

// A data folder holding copies of the build's files, with `replace` swapped for a copy of `with` (or left
// out when `with` is empty). Copies, not links: making links needs a privilege on Windows.
std::string DataWithout(const std::string& dir, const std::string& replace, const std::string& with) {
  const std::string real = GameDataDir();
  EXPECT_TRUE(vxtest::MakeDir(dir)) << dir;
  for (const char* entry : {"common", "fonts", "sfx", "BadgesA-hd.png", "logo-hd.png", "menu-hd.png", "parts-hd.png",
                            "ships-hd.png", "vorn_font.png"}) {
    if (replace == entry) continue;
    EXPECT_TRUE(vxtest::CopyTree(real + "/" + entry, dir + "/" + entry)) << entry;
  }
  if (!with.empty()) {
    EXPECT_TRUE(vxtest::CopyTree(real + "/" + with, dir + "/" + replace)) << with;
  }
  return dir;
}

}  // namespace

TEST(AssetLevels, TheWindowSizeChoosesTheResolution) {
  struct Case {
    int W, H, level;
    const char* ships;
  } cases[] = {
      {600, 400, 1, "trazel://data/ships.png"},
      {640, 480, 2, "trazel://data/ships-hd.png"},
      {1280, 720, 4, "trazel://data/ships-hd2.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ships);
    GameHarnessOptions o;
    o.width = c.W;
    o.height = c.H;
    GameHarness h(o);
    ASSERT_TRUE(h.FinishLoading());
    EXPECT_EQ(h.app->m_HDLevel, c.level);
    EXPECT_FLOAT_EQ(h.app->m_ImageScale, 1.0f / c.level);
    EXPECT_TRUE(h.host->Asked(c.ships));
    ASSERT_NE(h.app->m_Images[1], nullptr);
    EXPECT_EQ(h.app->m_Images[1]->m_width, 64 * c.level);
  }
}

TEST_F(GameShellTest, SlotsHoldPixelFrameSizesAndTheFontItsLogicalAdvance) {
  const int* info = app->m_ImageInfo.Data();
  EXPECT_EQ(info[3 * 1], 128);
  EXPECT_EQ(info[3 * 1 + 1], 128);
  EXPECT_EQ(info[3 * 1 + 2], 16);
  EXPECT_EQ(info[3 * 90], 7);
  EXPECT_EQ(info[3 * 90 + 1], 10);
  EXPECT_EQ(info[3 * 90 + 2], 128);
  EXPECT_EQ(app->m_FontSlot, 90);
  ASSERT_NE(app->m_Images[90], nullptr);
  EXPECT_EQ(app->m_Images[90]->m_width, 32) << "16 x 16 logical glyph cells at level 2";
  EXPECT_EQ(app->m_Images[90]->m_frames.Length(), 128);
  EXPECT_FLOAT_EQ(app->m_Images[90]->m_handleX, 16) << "centred handles";
  // The blank image of step 1 and every loaded slot of the table.
  EXPECT_EQ(info[3 * 81], 2048);
  for (int slot : {1, 80, 81, 85, 86, 90, 93, 94, 95, 96, 97, 98, 99}) EXPECT_NE(app->m_Images[slot], nullptr) << slot;
  for (int sfx : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 95, 96, 98, 99}) EXPECT_NE(app->m_Sounds[sfx], nullptr) << sfx;
}

TEST(AssetLoader, TheJingleSoundsAtTheFirstLoadOnly) {
  GameHarness h;
  c_MyApp* app = h.app;
  h.Frames(3);
  EXPECT_EQ(app->m_NoteIdx, 0) << "steps 1 to 3 play nothing";
  h.Frame();  // step 4
  EXPECT_EQ(app->m_NoteIdx, 1);
  EXPECT_EQ(rt_audio_device->channels[1].sample, app->m_Sounds[96]->m_sample);
  EXPECT_EQ(app->m_LogoSfxDone, 1);
  ASSERT_TRUE(h.FinishLoading());

  h.Resize(800, 600);
  h.Render();
  ASSERT_EQ(app->m_ReloadPending, 1);
  ASSERT_TRUE(h.FinishLoading());
  EXPECT_EQ(app->m_NoteIdx, 1) << "no jingle after a resize";
}

TEST(AssetLoader, AResizeDuringTheLoadRestartsAtStepOne) {
  GameHarness h;
  h.Frames(6);
  EXPECT_EQ(h.app->m_ReloadPending, 7);
  h.Resize(1300, 900);
  h.Render();
  EXPECT_EQ(h.app->m_ReloadPending, 1);
  ASSERT_TRUE(h.FinishLoading());
  EXPECT_EQ(h.app->m_HDLevel, 4);
  EXPECT_TRUE(h.host->Asked("trazel://data/common/icons-hd2.png"));
}

TEST(AssetLoader, TheLoadingScreenSpinsThreeRingsAroundTheLogo) {
  GameHarness h;
  h.Frame();
  int ovals = 0, logo = 0, glyphs = 0;
  const float* list = h.app->m_DrawList.Data();
  for (int at = 0; at < h.app->m_DrawCount; at += 15) {
    ovals += list[at] == kDrawOval;
    logo += list[at] == 93;
    glyphs += list[at] == 90;
  }
  EXPECT_EQ(ovals, 33);
  EXPECT_EQ(logo, 1);
  EXPECT_EQ(glyphs, 10) << "Loading...";
  const float spin = float(h.app->m_SpinAngle);
  h.Frame();
  EXPECT_EQ(float(h.app->m_SpinAngle), spin + 3);
  EXPECT_EQ(h.app->m_ClsA, 1.0f);
}

TEST(AssetLoader, AMissingOrUnusableImageLeavesItsSlotEmpty) {
  struct Case {
    const char* with;  // "": the file is missing; else a picture too small for the ship frames
  } cases[] = {{""}, {"common/light.png"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.with);
    const std::string tmp = vxtest::MakeTempDir("vx-data-");
    ASSERT_FALSE(tmp.empty());
    GameHarnessOptions o;
    o.dataDir = DataWithout(tmp + "/data", "ships-hd.png", c.with);
    {
      GameHarness h(o);
      ASSERT_TRUE(h.FinishLoading());
      EXPECT_EQ(h.app->m_Images[1], nullptr);
      EXPECT_NE(h.app->m_Images[97], nullptr);
      EXPECT_EQ(h.app->m_ImageInfo[3], 128) << "the frame size is still recorded";
      h.StartGame();
      h.Frames(30);  // ships and life icons are drawn from the empty slot: nothing shows, nothing fails
      EXPECT_EQ(h.app->m_GameMode, 10);
    }
    vxtest::RemoveTree(tmp);
  }
}

TEST(AssetLoader, WithoutAnyDataTheGameStillRuns) {
  GameHarnessOptions o;
  o.dataDir = "/nonexistent/vx-data";
  GameHarness h(o);
  ASSERT_TRUE(h.FinishLoading());
  for (int slot = 0; slot < 100; ++slot) EXPECT_EQ(h.app->m_Images[slot] == nullptr, slot != 81) << slot;
  h.StartGame();
  h.Frames(10);
  EXPECT_EQ(h.app->m_GameMode, 10);
}
