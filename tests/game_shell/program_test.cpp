// Start-up: the game's globals and tables as rtInit leaves them, and the game record as construction and
// p_OnCreate leave it.
#include <algorithm>
#include <chrono>
#include <thread>

#include "game_fixture.h"
#include "support/test_server.h"

TEST(ProgramStart, GlobalsAndTablesHaveTheirFirstValues) {
  GameHarness h;
  EXPECT_EQ(rt_Quorva_GameNum, 415);
  EXPECT_EQ(rt_Quorva_J_On_Allow, 0);
  EXPECT_EQ(rt_Quorva_UseHDImages, 1);
  EXPECT_EQ(rt_Quorva_HasMusicStream, 1);
  EXPECT_EQ(rt_Quorva_rawscrw, 640.0f);
  EXPECT_EQ(rt_Quorva_rawscrh, 480.0f);
  EXPECT_EQ(rt_Quorva_overscan, 0.0f);
  EXPECT_EQ(rt_random_Seed, 1234u) << "nothing has drawn a random number before play";

  ASSERT_EQ(rt_Quorva_MenuSet.Length(), 6);
  EXPECT_EQ(rt_Quorva_MenuSet[0], String("Easy"));
  EXPECT_EQ(rt_Quorva_MenuSet[3], String("Just right!\nTough, but not hard."));
  EXPECT_EQ(rt_Quorva_MenuSet[5], String("Maybe TOO hard!\nIf you like it like that"));

  ASSERT_EQ(rt_Quorva_CreditText.Length(), 57);
  struct Line {
    int index;
    const char* text;
  } fixed[] = {{0, ""},          {1, "A Game by"},   {5, "-=-=-"},           {7, "Developed using"},
               {13, "Graphics"}, {18, "Font : Pelmar"}, {26, "Audio"},       {34, "or whatever else"},
               {35, "was handy!"}, {40, "Hello to"}, {43, "Thanks to"},    {52, "And everyone Else"},
               {56, "End"}};
  for (const Line& l : fixed) EXPECT_EQ(rt_Quorva_CreditText[l.index], String(l.text)) << l.index;
  for (int i : {2, 3, 8, 9, 16, 19, 21, 29, 30, 33, 41, 44, 51, 53}) {
    EXPECT_GT(rt_Quorva_CreditText[i].Length(), 0) << "credit line " << i << " names something";
  }
}

TEST(ProgramStart, TheRecordAfterConstructionAndCreate) {
  GameHarness h;
  c_MyApp* app = h.app;
  EXPECT_EQ(app->m_Grid.Length(), 5000000);
  EXPECT_EQ(app->m_DrawList.Length(), 37500);
  EXPECT_EQ(app->m_Obj.Length(), 5100);
  EXPECT_EQ(app->m_Lines.Length(), 26000);
  EXPECT_EQ(app->m_NetReply, String("N/A"));
  EXPECT_EQ(app->m_StarCount, 100);
  EXPECT_EQ(app->m_LineCount, 1500);
  EXPECT_EQ(app->m_TrailLen, 75);
  EXPECT_EQ(app->m_ParticleCount, 250);
  EXPECT_EQ(app->m_PauseSpin, 25.0f);
  EXPECT_EQ(app->m_PauseArm, 25.0f);

  EXPECT_EQ(app->m_GameMode, 1);
  EXPECT_EQ(rt_app__updateRate, 60);
  EXPECT_EQ(app->m_MenuSel, 1);
  EXPECT_EQ(app->m_WheelAngle, -32.0f);
  EXPECT_EQ(app->m_Difficulty, 2);
  EXPECT_EQ(app->m_MenuSlide, -32);
  EXPECT_EQ(app->m_PauseDir, -1);
  EXPECT_EQ(app->m_PauseY, -64);
  EXPECT_EQ(app->m_Options[5], 1);
  EXPECT_EQ(app->m_Options[10], 64) << "the limits of the load apply to the defaults";
  EXPECT_EQ(app->m_NoteSounds[7], 7);
  EXPECT_EQ(app->m_LastDevWidth, 640);
  EXPECT_EQ(app->m_ReloadPending, 1);
  EXPECT_EQ(app->m_HttpRequest, nullptr) << "no start-up request in this configuration";
}

TEST(ProgramStart, TheLoadingScreenArtLoadsAfterTheFirstFrame) {
  GameHarness h;
  c_MyApp* app = h.app;
  // Nothing is loaded before the first frame, which shows only the clear.
  EXPECT_EQ(app->m_Images[93], nullptr);
  EXPECT_EQ(app->m_Images[90], nullptr);
  for (const std::string& p : h.host->paths) EXPECT_EQ(p.find("ZOLKLogo"), std::string::npos) << p;
  h.Render();
  EXPECT_EQ(app->m_DrawCount, 0) << "the first frame replays no draw list";
  // The first update loads the logo and font, and its loading screen draws with them.
  h.Update();
  EXPECT_NE(app->m_Images[93], nullptr);
  EXPECT_NE(app->m_Images[90], nullptr);
  EXPECT_EQ(app->m_FontSlot, 90);
  EXPECT_EQ(app->m_ReloadPending, 2);
  EXPECT_GT(app->m_DrawCount, 0);
}

TEST(ProgramStart, EveryReloadLoadsTheLoadingScreenArtOnce) {
  GameHarness h;
  c_MyApp* app = h.app;
  // Paths asked for that start with `stem` (the picture's size variant follows it).
  auto times = [&](const std::string& stem) {
    return std::count_if(h.host->paths.begin(), h.host->paths.end(),
                         [&](const std::string& p) { return p.compare(0, stem.size(), stem) == 0; });
  };
  // The first load, then a reload for a new window size: each loads the logo and the font once.
  for (int round = 1; round <= 2; ++round) {
    for (int i = 0; i < 40 && (i == 0 || app->m_ReloadPending != 0); ++i) {
      h.Update();
      h.Render();
    }
    EXPECT_EQ(app->m_ReloadPending, 0) << "round " << round;
    EXPECT_EQ(times("trazel://data/common/ZOLKLogo"), 1) << "round " << round;
    EXPECT_EQ(times("trazel://data/fonts/shadow_pelmar"), 1) << "round " << round;
    h.host->paths.clear();
    app->m_LastDevWidth = -1;  // the next render sees a new size
    h.Render();
  }
}

TEST(ProgramStart, TheStartUpRequestPathCompletesOnceWhenSwitchedOn) {
  GameHarness h;
  c_MyApp* app = h.app;
  testing::internal::CaptureStdout();
  // Nothing listens on port 1: the connect fails and the request completes with no status.
  app->p_GetURL(String("http://127.0.0.1:1/housecall.php"), String("hello=1&gameID=415"));
  EXPECT_EQ(app->m_NetReply, String("N/A"));
  EXPECT_EQ(app->m_HttpDone, 0);
  for (int i = 0; i < 300 && app->m_HttpDone == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    h.Update();
  }
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(app->m_HttpDone, 1);
  EXPECT_NE(out.find("Requesting URL\n"), std::string::npos);
  EXPECT_NE(out.find("Http GET complete! -1\n"), std::string::npos) << out;
}

TEST(ProgramStart, TheStartUpRequestReachesAServerAndKeepsItsReply) {
  TestServer server({Send("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nwelcome back")});
  GameHarness h;
  c_MyApp* app = h.app;
  testing::internal::CaptureStdout();
  std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/housecall.php";
  app->p_GetURL(String(url.c_str()), String("hello=1&gameID=") + String(rt_Quorva_GameNum));
  for (int i = 0; i < 300 && app->m_HttpDone == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    h.Update();
  }
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(app->m_HttpDone, 1);
  EXPECT_NE(out.find("Http GET complete! 200\n"), std::string::npos) << out;
  EXPECT_EQ(app->m_NetReply, String("welcome back"));
  std::string request = server.Request();
  EXPECT_EQ(request.rfind("GET /housecall.php?hello=1&gameID=415 HTTP/1.0\r\n", 0), 0u) << request;
}
