// The score front end: the following score and the rank line, places and ordinal words, filing into the
// score tables, the game-over overlay frame by frame, and a whole run lost with no input.
#include <string>

#include "gameplay_fixture.h"

class ScoreTest : public GameplayTest {
 protected:
  // Normal's top ten: 1000, 900, ... 100.
  void FillNormalTopTen() {
    app->m_Difficulty = 2;
    for (int i = 0; i < 10; ++i) app->m_HiScores[10 + i] = 1000 - 100 * i;
  }
};

TEST_F(ScoreTest, TheRankLineShowsThePlaceToTakeAndTheScoreToBeat) {
  struct Case {
    bool empty;
    int score;
    const char* text;  // the shown score's eight digits, then the rank line (its space draws nothing)
  } cases[] = {
      {false, 50, "0000005011th00000100"},   // below all ten
      {false, 150, "000001509th00000200"},   // past only the tenth: place 10 is never shown
      {false, 950, "000009501st00001000"},   // past the second: first place and the top score
      {false, 2000, "000020001st00001000"},  // and it stays so past the top
      {true, 0, "000000001st00000000"},      // an empty table from the first frame
      {true, 123456789, "234567891st00000000"},  // only the last eight digits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    app->m_Difficulty = 2;
    for (int i = 0; i < 10; ++i) app->m_HiScores[10 + i] = c.empty ? 0 : 1000 - 100 * i;
    app->m_Score = app->m_ShownScore = c.score;
    app->m_DrawCount = 0;
    app->p_ScoreDisplay();
    EXPECT_EQ(GlyphText(), c.text);
  }
  EXPECT_EQ(app->m_Alpha, 1) << "the drawing state is reset afterwards";
  EXPECT_EQ(app->m_SizeX, 1);
}

TEST_F(ScoreTest, TheShownScoreFollowsEvenWithTheDisplayHidden) {
  for (int hidden = 0; hidden <= 1; ++hidden) {
    SCOPED_TRACE(hidden);
    app->m_HideHud = hidden;
    app->m_ShownScore = 0;
    app->m_Score = 600;
    std::vector<int> shown;
    app->m_DrawCount = 0;
    while (app->m_ShownScore != 600 && shown.size() < 100) {
      app->p_ScoreDisplay();
      shown.push_back(app->m_ShownScore);
    }
    EXPECT_EQ(shown.size(), 29u);
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0], 100);
    EXPECT_EQ(shown[1], 183);
    EXPECT_EQ(shown[2], 252);
    EXPECT_EQ(shown[3], 310);
    EXPECT_EQ(shown[shown.size() - 2], 594) << "a final jump of 6";
    EXPECT_EQ(app->m_DrawCount == 0, hidden == 1);
  }
}

TEST_F(ScoreTest, MyNthAnnouncesEqualScoresAtTheirEntrysPlace) {
  struct Case {
    bool empty;
    int score;
    const char* text;
    int place;
  } cases[] = {
      {false, 1000, "1st!", 1}, {false, 1001, "1st!", 1}, {false, 900, "2nd", 2}, {false, 899, "3rd", 3},
      {false, 100, "10th", 10}, {false, 99, "", 0},      {true, 0, "1st!", 1},   {true, -5, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    FillNormalTopTen();
    if (c.empty) {
      for (int i = 0; i < 10; ++i) app->m_HiScores[10 + i] = 0;
    }
    app->m_Score = c.score;
    EXPECT_EQ(Str(app->p_MyNth()), c.text);
    EXPECT_EQ(app->m_NthPlace, c.place);
  }
}

TEST_F(ScoreTest, OrdinalWords) {
  struct Case {
    int n;
    const char* word;
  } cases[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"}, {12, "12th"}, {13, "13th"},
               {21, "21st"}, {22, "22nd"}, {23, "23rd"}, {30, "30th"}, {0, ""},      {31, ""},     {-1, ""}};
  for (const Case& c : cases) EXPECT_EQ(Str(app->p_Nth(c.n)), c.word) << c.n;
}

TEST_F(ScoreTest, FilingNeedsAStrictlyGreaterScoreForTheTopTenButAlwaysEntersTheLastTen) {
  struct Case {
    int difficulty;
    bool empty;
    int score;
    int pos;  // where it enters the top ten, or -1
  } cases[] = {
      {2, false, 950, 1}, {2, false, 1000, 1},  // equal to the top: filed below it
      {2, false, 5000, 0}, {2, false, 100, -1}, {2, true, 0, -1}, {2, true, 7, 0},
      {3, false, 20, 0},  // Hard's own, empty tables
      {0, false, 950, 1},  // an unknown difficulty files as Normal
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.difficulty << " " << c.score);
    for (int i = 0; i < 150; ++i) app->m_HiScores[i] = 0;
    FillNormalTopTen();
    if (c.empty) {
      for (int i = 0; i < 10; ++i) app->m_HiScores[10 + i] = 0;
    }
    for (int i = 0; i < 10; ++i) app->m_HiScores[40 + i] = i + 1;  // Normal's last ten, newest first
    int before[150];
    for (int i = 0; i < 150; ++i) before[i] = app->m_HiScores[i];
    app->m_Difficulty = c.difficulty;
    app->m_Score = c.score;
    app->p_LoadMenu();

    const int base = c.difficulty == 3 ? 20 : 10;
    for (int i = 0; i < 10; ++i) {
      int expected = before[base + i];
      if (c.pos >= 0 && i == c.pos) expected = c.score;
      if (c.pos >= 0 && i > c.pos) expected = before[base + i - 1];
      EXPECT_EQ(app->m_HiScores[base + i], expected) << "top ten " << i;
      EXPECT_EQ(app->m_HiScores[30 + base + i], i == 0 ? c.score : before[30 + base + i - 1])
          << "last ten " << i;
    }
    for (int i = 0; i < 150; ++i) {
      bool mine = (i >= base && i < base + 10) || (i >= 30 + base && i < 40 + base);
      if (!mine) {
        ASSERT_EQ(app->m_HiScores[i], before[i]) << "other tables stay: " << i;
      }
    }
  }
  EXPECT_NE(h->StateFile(), "") << "filing saves";
}

TEST_F(ScoreTest, TheOverlayDrawsShadeBarsAndWords) {
  struct Case {
    int t, quit, score;
    float shade, bar;
    const char* words;
  } cases[] = {
      {1, 0, 0, 0.025f, 12, "GAMEOVER"},
      {10, 0, 0, 0.25f, 120, "GAMEOVER"},
      {28, 0, 0, 0.7f, 216, "GAMEOVER"},  // the shade tops out at 0.7, the bars at 0.45 of the height
      {50, -1, 0, 0.7f, 216, "QuitGame"},
      {50, 0, 2000, 0.7f, 216, "GAMEOVERNewHighscore1st!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    FillNormalTopTen();
    app->m_Score = c.score;
    app->m_QuitRun = c.quit;
    app->m_GameOverTimer = c.t;
    app->m_GameMode = 1;
    app->m_KeyHeld = app->m_TouchHeld = 0;
    app->m_DrawCount = 0;
    app->p_GameOver();
    std::vector<const float*> rects = Records(kDrawRect);
    ASSERT_GE(rects.size(), 3u);
    EXPECT_FLOAT_EQ(rects[0][7], c.shade);
    EXPECT_EQ(rects[0][10], 0);
    EXPECT_EQ(rects[1][4], 2 * c.bar) << "the yellow bar from the left";
    EXPECT_EQ(rects[1][11], 255);
    EXPECT_EQ(rects[2][1], 640 - 2 * c.bar) << "the orange bar from the right";
    EXPECT_EQ(rects[2][11], 128);
    EXPECT_EQ(rects.size(), c.score > 0 ? 4u : 3u) << "the banner's box only with a place";
    EXPECT_EQ(GlyphText(), c.words);
    EXPECT_EQ(app->m_KeyHeld, 1);
    EXPECT_EQ(app->m_TouchHeld, 1);
    EXPECT_EQ(app->m_GameOverTimer, c.t > 2 ? c.t - 2 : 0) << "shrinking under the menu, to 0";
  }
  app->m_GameOverTimer = 0;
  app->m_DrawCount = 0;
  app->p_GameOver();
  EXPECT_EQ(app->m_DrawCount, 0) << "nothing is drawn at 0";
  EXPECT_EQ(app->m_GameOverTimer, 0) << "and it stays there";
}

TEST_F(ScoreTest, TheEndOfARunFrameByFrame) {
  h->StartGame(2);
  app->m_Score = 77;
  app->m_GameOver = 1;
  for (int t = 1; t <= 89; ++t) {
    h->Frame();
    ASSERT_EQ(app->m_GameMode, 10);
    ASSERT_EQ(app->m_GameOverTimer, t);
  }
  EXPECT_EQ(app->m_MusicOn, 1) << "the tune plays on under the growing overlay";
  h->Frame();  // t reaches 90: hand-over, and the overlay runs again in mode 2
  EXPECT_EQ(app->m_GameMode, 2);
  EXPECT_EQ(app->m_GameOverTimer, 71);
  EXPECT_EQ(app->m_MusicOn, 0);
  EXPECT_NE(app->m_HiScores[40], 77) << "not filed yet";
  h->Frame();
  EXPECT_EQ(app->m_GameMode, 1);
  EXPECT_EQ(app->m_HiScores[40], 77);
  EXPECT_EQ(LastEffect(), 96);
  EXPECT_EQ(app->m_GameOverTimer, 69);
  int frames = 0;
  while (app->m_GameOverTimer > 0 && frames < 100) {
    int t = app->m_GameOverTimer;
    h->Frame();
    ASSERT_EQ(app->m_GameOverTimer, t > 2 ? t - 2 : 0);
    ++frames;
  }
  EXPECT_EQ(frames, 35);
}

TEST_F(ScoreTest, AWholeRunWithNoInputIsLostFiledAndSaved) {
  h->StartGame(2);
  int frames = 0, maxTimer = 0, lowestLives = 8, deaths = 0;
  bool wasDead = false;
  while (app->m_GameMode != 1 && frames < 200000) {
    h->Frame();
    ++frames;
    if (app->m_GameOverTimer > maxTimer) maxTimer = app->m_GameOverTimer;
    int lives = 0;
    for (int i = 0; i < 8; ++i) lives += app->m_Lives[i];
    if (lives < lowestLives) lowestLives = lives;
    const bool dead = app->m_Player[89] > 0;
    deaths += dead && !wasDead;
    wasDead = dead;
  }
  ASSERT_EQ(app->m_GameMode, 1) << "the run ended within " << frames << " frames";
  EXPECT_EQ(lowestLives, 0);
  EXPECT_GE(deaths, 1);
  EXPECT_EQ(maxTimer, 89) << "the overlay grew to its hand-over";
  EXPECT_EQ(app->m_HiScores[40], app->m_Score) << "filed into Normal's last ten";
  const std::string state = h->StateFile();
  EXPECT_NE(state, "") << "and saved";
  EXPECT_NE(state.find("|" + std::to_string(app->m_Score) + "|"), std::string::npos);
  RecordProperty("frames", frames);
  RecordProperty("score", app->m_Score);
}
