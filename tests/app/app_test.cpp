// The app framework: registration, the delegate's event routing and update bracket, ending the app,
// display modes, data paths and the state string through the host.
#include <gmock/gmock.h>

#include <chrono>
#include <thread>

#include "app_fixture.h"
#include "audio/audio.h"
#include "audio/music_decoder.h"
#include "host/platform.h"
#include "input/input.h"
#include "support/sound_files.h"
#include "support/test_os.h"
#include "../host/temp_dir.h"

int CountingApp::p_OnUpdate() {
  ++updates;
  hitsSeen.push_back(rt_app__delegate->m__input->p_KeyHit(65));
  return 0;
}

namespace {

// Registers a counting app and gives its delegate an input device (the other devices are not needed).
CountingApp* RegisterApp() {
  CountingApp* app = new CountingApp;
  app->m_new();
  gc_assign(rt_app__delegate->m__input, (new c_InputDevice)->m_new());
  return app;
}

TEST_F(AppTest, RegistrationHandsTheDelegateToTheHost) {
  CountingApp* app = RegisterApp();
  EXPECT_EQ(rt_app__app, app);
  ASSERT_NE(rt_app__delegate, nullptr);
  EXPECT_EQ(host->Delegate(), rt_app__delegate);
}

TEST_F(AppTest, SecondAppIsARuntimeError) {
  RegisterApp();
  EXPECT_EXIT(
      {
        vxtest::StdoutToStderr();
        (new CountingApp)->m_new();
      },
      ::testing::ExitedWithCode(255), "Trazel Runtime Error : App has already been created");
}

TEST_F(AppTest, KeyHitIsSeenByExactlyTheNextUpdate) {
  CountingApp* app = RegisterApp();
  c_GameDelegate* d = rt_app__delegate;
  d->KeyEvent(kEventKeyDown, 65);
  d->KeyEvent(kEventKeyUp, 65);
  d->UpdateGame();
  d->UpdateGame();
  EXPECT_EQ(app->hitsSeen, (std::vector<int>{1, 0}));
  d->MouseEvent(kEventMouseDown, 1, 5, 6);  // right button: key code 2
  EXPECT_TRUE(d->m__input->p_KeyDown(2));
  EXPECT_EQ(d->m__input->p_MouseX(), 5);
  d->TouchEvent(kEventTouchDown, 3, 7, 8);  // touch 3: key code 387
  EXPECT_TRUE(d->m__input->p_KeyDown(387));
}

TEST_F(AppTest, CloseAndBackKeysEndTheApp) {
  for (int key : {kKeyCloseRequest, kKeyBack}) {
    RegisterApp();
    EXPECT_EXIT(rt_app__delegate->KeyEvent(kEventKeyDown, key), ::testing::ExitedWithCode(0), "") << key;
    rt_app__app = nullptr;
  }
  // Only the KeyDown ends the app: after the other events the process is still running.
  RegisterApp();
  EXPECT_EXIT(
      {
        rt_app__delegate->KeyEvent(kEventKeyUp, kKeyCloseRequest);
        rt_app__delegate->KeyEvent(kEventKeyChar, kKeyBack);
        rt_app__delegate->KeyEvent(kEventKeyUp, kKeyBack);
        fputs("still running", stderr);
        exit(3);
      },
      ::testing::ExitedWithCode(3), "still running");
}

// The app handles a suspend while its sound still plays, and a resume once its sound is back.
TEST_F(AppTest, SuspendReachesTheAppBeforeTheSoundAndResumeAfterIt) {
  static std::vector<std::string> order;
  order.clear();
  struct OrderApp : CountingApp {
    int p_OnSuspend() override { order.push_back("app suspend"); return 0; }
    int p_OnResume() override { order.push_back("app resume"); return 0; }
  };
  struct OrderAudio : gxtkAudio {
    void Suspend() override { order.push_back("sound suspend"); }
    void Resume() override { order.push_back("sound resume"); }
  };
  host_SetEnvironment("ALSOFT_DRIVERS", "null");  // no sound hardware is needed for the order
  (new OrderApp)->m_new();
  gc_assign(rt_app__delegate->m__audio, static_cast<gxtkAudio*>(new OrderAudio));
  rt_app__delegate->SuspendGame();
  rt_app__delegate->ResumeGame();
  EXPECT_EQ(order, (std::vector<std::string>{"app suspend", "sound suspend", "sound resume", "app resume"}));
}

TEST_F(AppTest, ClosingTheWindowEndsInsideTheEventPoll) {
  struct NoisyApp : CountingApp {
    int p_OnUpdate() override {
      fputs("updated after the close\n", stderr);
      return 0;
    }
  };
  (new NoisyApp)->m_new();
  gc_assign(rt_app__delegate->m__input, (new c_InputDevice)->m_new());
  host->MarkStarted();
  glfw2null_PushWindowClose();
  EXPECT_EXIT(
      {
        host->UpdateEvents();
        host->UpdateGame();
      },
      ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr("updated after the close")));
}

TEST_F(AppTest, EndAppExitsWithZero) { EXPECT_EXIT(rt_app_EndApp(), ::testing::ExitedWithCode(0), ""); }

TEST_F(AppTest, DuplicateDisplayModesCollapseKeepingFirstPositions) {
  const GLFWvidmode modes[] = {{800, 600, 5, 6, 5},   {640, 480, 8, 8, 8}, {800, 600, 8, 8, 8},
                               {1024, 768, 8, 8, 8}, {640, 480, 5, 6, 5}, {1280, 720, 8, 8, 8}};
  world().modeCount = 6;
  for (int i = 0; i < 6; ++i) world().modes[i] = modes[i];
  world().desktop = {1280, 720, 8, 8, 8};
  rt_app_EnumDisplayModes();
  const int expected[][2] = {{800, 600}, {640, 480}, {1024, 768}, {1280, 720}};
  ASSERT_EQ(rt_app__displayModes.Length(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rt_app__displayModes[i]->p_Width(), expected[i][0]) << i;
    EXPECT_EQ(rt_app__displayModes[i]->p_Height(), expected[i][1]) << i;
  }
  EXPECT_EQ(rt_app__desktopMode->p_Width(), 1280);
  EXPECT_EQ(rt_app__desktopMode->p_Height(), 720);

  // Without a desktop mode, the window's size stands in.
  world().desktop = {0, 0, 0, 0, 0};
  rt_app_ValidateDeviceWindow(false);
  rt_app_EnumDisplayModes();
  EXPECT_EQ(rt_app__desktopMode->p_Width(), 640);
  EXPECT_EQ(rt_app__desktopMode->p_Height(), 480);
}

TEST_F(AppTest, ValidateDeviceWindowFollowsTheWindow) {
  world().width = 800;
  world().height = 500;
  rt_app_ValidateDeviceWindow(true);
  EXPECT_EQ(rt_app_DeviceWidth(), 800);
  EXPECT_EQ(rt_app_DeviceHeight(), 500);
}

TEST_F(AppTest, SetUpdateRateReachesTheHost) {
  rt_app_SetUpdateRate(60);
  EXPECT_EQ(rt_app__updateRate, 60);
  EXPECT_EQ(host->UpdateRate(), 60);
}

TEST(DataPath, FixDataPath) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"fonts/a.png", "trazel://data/fonts/a.png"},
      {"C:/x.png", "C:/x.png"},
      {"trazel://data/x.png", "trazel://data/x.png"},
      {"./x.png", "./x.png"},
      {"/x.png", "/x.png"},
      {"x/y:/z.png", "trazel://data/x/y:/z.png"},  // its first "/" does not follow the ":"
      {"", "trazel://data/"},
  };
  for (const auto& c : cases) EXPECT_TRUE(rt_data_FixDataPath(String(c.in)) == String(c.out)) << c.in;
}

TEST_F(AppTest, StateStringRoundTripsThroughTheFile) {
  TempWorkingDir tmp;
  EXPECT_EQ(rt_app_LoadState().Length(), 0);  // no state file yet
  // ASCII, two-byte, three-byte (above U+07FF) and a surrogate pair.
  const Char units[] = {'S', '1', 0xE9, 0x0800, 0x20AC, 0xFFFD, 0xD83D, 0xDE00, '|'};
  String state(units, 9);
  EXPECT_EQ(rt_app_SaveState(state), 0);
  EXPECT_TRUE(rt_app_LoadState() == state);
}

}  // namespace

// A tune decoded on the worker starts at the next update on its own, with an app that never touches the
// music after asking for it.
TEST_F(AppTest, ATuneDecodedMeanwhileStartsAtTheNextUpdate) {
  host_SetEnvironment("ALSOFT_DRIVERS", "null");
  RegisterApp();
  gxtkAudio* audio = new gxtkAudio;
  gc_assign(rt_app__delegate->m__audio, audio);
  ASSERT_EQ(audio->PlayMusic(String(sound_files::OggFixture().c_str()), 0), 0);
  for (int i = 0; i < 300 && !(audio->musicDecoder && audio->musicDecoder->Done()); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(audio->musicDecoder && audio->musicDecoder->Done()) << "the tune was not decoded within 3 s";
  rt_app__delegate->UpdateGame();
  EXPECT_EQ(audio->musicDecoder, nullptr) << "the update did not take the decoded tune";
  EXPECT_EQ(audio->MusicState(), 1);
}
