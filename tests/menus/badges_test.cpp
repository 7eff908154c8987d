// Badges: the catalogue, the notification bars' slide, and badge flags travelling through the state file.
#include <climits>

#include "menu_fixture.h"

using BadgesTest = MenuTest;

TEST_F(BadgesTest, OnlyBadgeZeroIsDefined) {
  EXPECT_EQ(app->p_BadgeName(0), String("Test Badge"));
  EXPECT_EQ(app->p_BadgeDetail(0), String("This is a Test Badge which has no purpose."));
  for (int n : {1, -1, 63, 64, 255, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(app->p_BadgeName(n), String("Odd Badge"));
    EXPECT_EQ(app->p_BadgeDetail(n), String("This badge hasn't been defined!"));
    EXPECT_EQ(app->p_BadgeID(n), String("Odd Badge|This badge hasn't been defined!"));
  }
}

TEST_F(BadgesTest, WithNoBarShowingNothingIsDrawn) {
  h->Frames(5);
  const int before = app->m_DrawCount;
  app->p_ShowBadges();
  EXPECT_EQ(app->m_DrawCount, before);
  EXPECT_EQ(app->m_BadgeNoteW, 160);
}

TEST_F(BadgesTest, ABarSlidesInStaysAndSlidesOut) {
  struct Case {
    int time;    // before the update
    float x;     // where the bar is drawn
    int after;   // its time afterwards
  } cases[] = {{1, -128, 2}, {9, 0, 10}, {229, 0, 230}, {230, -16, 231}, {235, -96, 236}, {240, -176, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    app->m_BadgeNoteTime[3] = c.time;
    app->m_BadgeNoteId[3] = 70;  // no icon beyond 63
    app->m_DrawCount = 0;
    app->p_ShowBadges();
    ASSERT_GE(app->m_DrawCount, 15);
    const float* bar = app->m_DrawList.Data();
    EXPECT_EQ(bar[0], kDrawRect);
    EXPECT_EQ(bar[1], c.x);
    EXPECT_EQ(bar[2], rt_Quorva_jscrh - 34.0f * 4) << "bar 3 stands three bars above the bottom one";
    EXPECT_EQ(app->m_BadgeNoteTime[3], c.after);
    EXPECT_TRUE(Shows("OddBadge"));
  }
  app->m_BadgeNoteTime[3] = 5;
  app->m_BadgeNoteId[3] = 0;
  app->m_DrawCount = 0;
  app->p_ShowBadges();
  EXPECT_TRUE(Shows("TestBadge|"));
  EXPECT_EQ(app->m_DrawList[app->m_DrawCount - 15], 80.0f) << "the badge's icon comes last";
}

TEST_F(BadgesTest, FlagsInTheStateFileSurviveSaveAndLoad) {
  for (int b : {0, 2, 31, 255}) app->m_Badges[b] = true;
  char buf[4096];
  const std::string saved = app->p_StateString().ToUtf8CString(buf, sizeof buf);
  for (int b = 0; b < 256; ++b) app->m_Badges[b] = false;

  h->WriteStateFile(saved);
  app->p_Load();
  app->m_Options[15] = 1;  // a setting changes and everything is written again
  app->p_Save();
  for (int b = 0; b < 256; ++b) app->m_Badges[b] = false;
  app->p_Load();
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(app->m_Badges[b], b == 0 || b == 2 || b == 31 || b == 255) << b;
  }
  const std::string now = h->StateFile();
  EXPECT_NE(now.find("|-2147483643|0|0|0|0|0|0|-2147483648|"), std::string::npos) << now;
}
