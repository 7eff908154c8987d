// The state string: its layout and checksums, reading with each damaged section reset on its own, short
// and broken strings, and saving on suspend.
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/state_fields.h"
#include "game_fixture.h"
#include "support/test_os.h"

namespace {

std::vector<std::string> Pieces(const std::string& s) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == '|') {
      out.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

std::string Join(const std::vector<std::string>& pieces) {
  std::string s;
  for (size_t i = 0; i < pieces.size(); ++i) s += (i ? "|" : "") + pieces[i];
  return s;
}

}  // namespace

class PersistenceTest : public GameShellTest {
 protected:
  void ClearAll() {
    for (int i = 0; i < 25; ++i) app->m_Options[i] = 0;
    for (int i = 0; i < 256; ++i) app->m_Badges[i] = false;
    for (int i = 0; i < 150; ++i) app->m_HiScores[i] = 0;
  }
  // Loads the state file as it is now and returns what the loader printed.
  std::string Load() {
    testing::internal::CaptureStdout();
    app->p_Load();
    return testing::internal::GetCapturedStdout();
  }
  void FillScores() {
    for (int i = 0; i < 60; ++i) app->m_HiScores[i] = 1000 + 37 * i;
  }
};

TEST_F(PersistenceTest, AllZeroRoundTrip) {
  ClearAll();
  app->p_Save();
  std::string zeros;
  for (int i = 0; i < 203; ++i) zeros += "0|";
  EXPECT_EQ(h->StateFile(), zeros);
  EXPECT_EQ(Load(), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n");
  EXPECT_EQ(app->m_Options[10], 64);
  EXPECT_EQ(app->m_Options[11], 64);
  EXPECT_EQ(app->m_Options[12], 10);
  EXPECT_EQ(app->m_Options[14], 1);
  EXPECT_EQ(app->m_Options[5], 0);
}

TEST_F(PersistenceTest, ChecksumsWrapAroundLikeSigned32BitSums) {
  ClearAll();
  app->m_Options[23] = 0x40000000;  // 23 times this overflows
  app->m_Options[3] = -7;
  app->m_HiScores[9] = 2000000000;
  app->m_HiScores[39] = 2000000000;
  app->m_Badges[31] = true;  // a negative badge word
  app->m_Badges[63] = true;
  app->m_Badges[64] = true;
  app->m_Badges[255] = true;
  app->p_Save();
  auto f = Pieces(h->StateFile());
  ASSERT_EQ(f.size(), 204u);
  EXPECT_EQ(f[203], "");
  EXPECT_EQ(f[25], std::to_string(int32_t(uint32_t(23u * 0x40000000u) - 21u)));
  EXPECT_EQ(f[26], "-2147483648");
  EXPECT_EQ(f[27], "-2147483648");
  EXPECT_EQ(f[28], "1");
  EXPECT_EQ(f[34], std::to_string(int32_t(0x80000000u + 0x80000000u + 1u + 0x80000000u)));
  const int32_t h0 = int32_t(uint32_t(13) * 2000000000u + uint32_t(12) * 2000000000u);
  EXPECT_EQ(f[55], std::to_string(h0));

  ClearAll();
  EXPECT_EQ(Load(), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n");
  EXPECT_EQ(app->m_Options[23], 0x40000000);
  EXPECT_EQ(app->m_Options[3], -7);
  EXPECT_TRUE(app->m_Badges[31]);
  EXPECT_TRUE(app->m_Badges[63]);
  EXPECT_TRUE(app->m_Badges[255]);
  EXPECT_FALSE(app->m_Badges[30]);
  EXPECT_EQ(app->m_HiScores[39], 2000000000);
}

TEST_F(PersistenceTest, AnEditedScoreEmptiesOnlyThatDifficulty) {
  FillScores();
  app->p_Save();
  auto f = Pieces(h->StateFile());
  f[35 + 21 + 4] = "999999";  // a top-ten score of Normal
  h->WriteStateFile(Join(f));
  ClearAll();
  EXPECT_EQ(Load(), "Settings Loaded\nBadges Loaded\nHighscores Loaded\n") << "a bad score block prints nothing";
  for (int i = 0; i < 60; ++i) {
    bool normal = (i >= 10 && i < 20) || (i >= 40 && i < 50);
    EXPECT_EQ(app->m_HiScores[i], normal ? 0 : 1000 + 37 * i) << i;
  }
}

TEST_F(PersistenceTest, DamagedSectionsResetOnTheirOwn) {
  FillScores();
  app->m_Options[7] = 5;
  app->m_Badges[3] = true;
  app->p_Save();
  auto f = Pieces(h->StateFile());
  f[7] = "6";    // settings checksum no longer matches
  f[27] = "12";  // nor the badges'
  h->WriteStateFile(Join(f));
  app->m_Options[7] = 1;
  EXPECT_EQ(Load(), "Settings Checksum Invalid\nBadge Checksum Invalid\nHighscores Loaded\n");
  EXPECT_EQ(app->m_Options[7], 0);
  EXPECT_EQ(app->m_Options[5], 1) << "the defaults";
  EXPECT_FALSE(app->m_Badges[3]);
  EXPECT_EQ(app->m_HiScores[15], 1000 + 37 * 15);
}

TEST_F(PersistenceTest, AShortStringKeepsTheCompleteSections) {
  FillScores();
  app->m_Options[7] = 5;
  app->p_Save();
  const auto full = Pieces(h->StateFile());
  struct Case {
    size_t keep;  // pieces kept; the last kept piece is followed by nothing
    bool settings, badges;
    int blocks;
  } cases[] = {
      {57, true, true, 1},   // through block 0's checksum
      {66, true, true, 1},   // half of block 1
      {78, true, true, 2},
      {35, true, true, 0},
      {30, true, false, 0},
      {26, false, false, 0},  // 25 settings and nothing after: no checksum field to compare
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keep);
    std::vector<std::string> f(full.begin(), full.begin() + c.keep);
    f.back() = "";  // a string cut after a "|"
    if (c.keep == 26) f.pop_back();
    h->WriteStateFile(Join(f));
    for (int i = 0; i < 60; ++i) app->m_HiScores[i] = -1;
    app->m_Options[7] = 1;
    std::string out = Load();
    EXPECT_EQ(out.find("Settings Loaded") != std::string::npos, c.settings) << out;
    EXPECT_EQ(out.find("Badges Loaded") != std::string::npos, c.badges) << out;
    EXPECT_EQ(app->m_Options[7], c.settings ? 5 : 0);
    for (int t = 0; t < 3; ++t) {
      EXPECT_EQ(app->m_HiScores[10 * t + 3], t < c.blocks ? 1000 + 37 * (10 * t + 3) : -1) << "block " << t;
    }
  }
}

TEST_F(PersistenceTest, GarbageAndEmptyFilesKeepTheDefaults) {
  const char* inputs[] = {"", "hello world", "1|2|x", "9|9|9|\xff\xfe|", "1|2|3|4|5|6|7|8"};
  for (const char* in : inputs) {
    SCOPED_TRACE(in);
    ClearAll();
    app->m_Options[5] = 1;
    app->m_HiScores[3] = 77;
    h->WriteStateFile(in);
    EXPECT_EQ(Load(), "Highscores Loaded\n");
    EXPECT_EQ(app->m_Options[5], 1);
    EXPECT_EQ(app->m_HiScores[3], 77);
    EXPECT_EQ(app->m_Options[10], 64);
  }
  // Numbers: leading blanks, signs, trailing junk and values beyond 32 bits read as atoi reads them.
  ClearAll();
  std::vector<std::string> f(204, "0");
  f[203] = "";
  f[0] = "  12abc";
  f[1] = "-3";
  f[2] = "99999999999999999999";
  f[25] = std::to_string(0 * 12 + 1 * -3 + 2 * -1);
  h->WriteStateFile(Join(f));
  EXPECT_NE(Load().find("Settings Loaded"), std::string::npos);
  EXPECT_EQ(app->m_Options[0], 12);
  EXPECT_EQ(app->m_Options[1], -3);
  EXPECT_EQ(app->m_Options[2], -1);
}

TEST_F(PersistenceTest, DebugModePrintsTheString) {
  ClearAll();
  rt_Quorva_DebugMode = 1;
  testing::internal::CaptureStdout();
  app->p_Save();
  std::string out = testing::internal::GetCapturedStdout();
  rt_Quorva_DebugMode = 0;
  EXPECT_EQ(out, h->StateFile() + "\n");
}

TEST_F(PersistenceTest, SuspendInAGameOpensThePauseMenuAndSaves) {
  h->StartGame();
  h->Frame();
  ASSERT_EQ(h->StateFile(), "");
  app->p_iCade(1);
  app->m_Pad[3] = 2;
  h->Suspend();
  EXPECT_EQ(app->m_Paused, 1);
  EXPECT_EQ(app->m_PauseDir, 1);
  EXPECT_EQ(app->m_PauseY, 240);
  EXPECT_EQ(rt_app__updateRate, 5);
  EXPECT_EQ(rt_Quorva_iCadeControls, 0);
  EXPECT_EQ(app->m_Pad[3], 0);
  EXPECT_EQ(Pieces(h->StateFile()).size(), 204u);
  h->Resume();
  EXPECT_EQ(rt_app__updateRate, 60);
  EXPECT_EQ(app->m_Paused, 1) << "the game stays paused";
}

TEST_F(PersistenceTest, SuspendOnTheTitleOnlySaves) {
  h->Suspend();
  EXPECT_EQ(app->m_Paused, 0);
  EXPECT_EQ(app->m_GameMode, 1);
  EXPECT_EQ(rt_app__updateRate, 5);
  EXPECT_EQ(Pieces(h->StateFile()).size(), 204u);
  h->Resume();
  EXPECT_EQ(app->m_Paused, 0);
  EXPECT_EQ(rt_app__updateRate, 60);
}

namespace {

// The notice's bar: the one rectangle across the whole screen in the dark blue of the notification bars.
bool NoticeShown(const RecordingGraphics& gfx) {
  for (const RecordedDraw& d : gfx.draws) {
    if (d.kind == RecordedDraw::Rect && d.w >= 600.0f && d.h == 32.0f && d.b == 80.0f && d.r == 0.0f) return true;
  }
  return false;
}

}  // namespace

TEST_F(PersistenceTest, ASaveThatFailsIsToldOnceAndPlayGoesOn) {
  app->p_Save();
  const std::string saved = h->StateFile();
  ASSERT_FALSE(saved.empty());
  h->Frame();
  EXPECT_FALSE(NoticeShown(*h->gfx)) << "a save that worked shows nothing";

  // A folder where the temporary file would go: no save can be written, whoever runs the test.
  ASSERT_TRUE(vxtest::MakeDir(h->workDir + "/.trazelstate.tmp"));
  app->m_HiScores[0] = 4321;
  app->p_Save();
  EXPECT_EQ(h->StateFile(), saved) << "the old state stays";
  h->Frames(30);
  EXPECT_TRUE(NoticeShown(*h->gfx));
  h->StartGame();
  h->Frame();
  EXPECT_EQ(app->m_GameMode, 10) << "play goes on under the notice";
  h->Frames(300);
  EXPECT_FALSE(NoticeShown(*h->gfx)) << "the notice goes after a few seconds";

  // Told once a session: the next failure says nothing more.
  app->p_Save();
  h->Frames(30);
  EXPECT_FALSE(NoticeShown(*h->gfx));
}

TEST(PersistenceStart, AStoredStateIsLoadedAtStart) {
  std::string state;
  {
    GameHarness first;
    ASSERT_TRUE(first.FinishLoading());
    first.app->m_Options[5] = 3;
    first.app->m_HiScores[0] = 4321;
    first.app->p_Save();
    state = first.StateFile();
  }
  // A new start in a folder holding that state.
  GameHarnessOptions o;
  o.state = state;
  testing::internal::CaptureStdout();
  GameHarness second(o);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "opening openal device\nSettings Loaded\nBadges Loaded\nHighscores Loaded\n");
  EXPECT_EQ(second.app->m_Options[5], 3);
  EXPECT_EQ(second.app->m_HiScores[0], 4321);
  EXPECT_EQ(second.app->m_NoteSounds[32], 32);
  EXPECT_EQ(second.app->m_Difficulty, 2);
}

// A field that does not fit ends the text: nothing is written past the buffer, and the text kept ends
// with a whole field, so a reader never takes a cut number for a value.
TEST(StateFieldWriter, TheTextEndsAtTheLastFieldThatFits) {
  char buf[40];
  memset(buf, '#', sizeof buf);
  StateFieldWriter w{buf, 12};  // the rest of buf shows anything written past the 12 bytes
  const int values[] = {7, 123, -2147483647 - 1, 9, 45678};
  for (int v : values) w.Put(v);
  EXPECT_EQ(std::string(buf, size_t(w.at)), "7|123|");
  for (int i = 12; i < int(sizeof buf); ++i) ASSERT_EQ(buf[i], '#') << "written past the buffer at " << i;
}
