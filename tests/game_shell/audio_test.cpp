// Game audio on OpenAL Soft: effect file names, the 24-channel rotation with rate, volume and pan, the
// tune with its "-1" restart, and what each sound setting lets through.
#include <AL/al.h>

#include <chrono>
#include <thread>

#include "audio/audio.h"
#include "support/sound_files.h"
#include "game_fixture.h"

class GameAudioTest : public GameShellTest {
 protected:
  void SetUp() override {
    GameShellTest::SetUp();
    app->m_NoteIdx = 0;  // as after a start without the jingle
  }
  gxtkChannel& Channel(int c) { return rt_audio_device->channels[c]; }
  // Waits (at most 3 s) until the worker has decoded the tune being started and the device took it.
  void WaitForTune() {
    for (int i = 0; i < 300 && rt_audio_device->musicDecoder; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      rt_audio_device->FinishMusicDecode();
    }
  }
  bool Holds(int channel, int effect) { return Channel(channel).sample == app->m_Sounds[effect]->m_sample; }
  float SourceFloat(int channel, int param) {
    float v = -1;
    alGetSourcef(Channel(channel).source, param, &v);
    return v;
  }
};

TEST_F(GameAudioTest, EffectsAreReadFromThreeDigitFileNames) {
  struct Case {
    int n;
    const char* path;
  } cases[] = {{5, "trazel://data/sfx/005.wav"}, {10, "trazel://data/sfx/010.wav"}, {100, "trazel://data/sfx/100.wav"}};
  for (const Case& c : cases) {
    h->host->paths.clear();
    app->p_LoadSFX(c.n);
    EXPECT_TRUE(h->host->Asked(c.path)) << c.path;
  }
  // Effect 100 has no slot; playing it, or an empty slot, uses no channel.
  app->p_PlaySFX(100, 1.0f);
  app->p_PlaySFX(97, 1.0f);
  EXPECT_EQ(app->m_NoteIdx, 0);
}

TEST_F(GameAudioTest, EffectsRotateOverTwentyFourChannels) {
  app->p_PlaySFX(5, 1.5f, 0.25f, 0.0f);
  EXPECT_TRUE(Holds(1, 5)) << "the first effect plays on channel 1";
  EXPECT_FLOAT_EQ(SourceFloat(1, AL_PITCH), 1.5f);
  EXPECT_FLOAT_EQ(SourceFloat(1, AL_GAIN), 0.25f);
  for (int i = 2; i <= 23; ++i) app->p_PlaySFX(6, 1.0f);
  app->p_PlaySFX(7, 0.5f);
  EXPECT_TRUE(Holds(0, 7)) << "the 24th on channel 0";
  EXPECT_FLOAT_EQ(SourceFloat(0, AL_PITCH), 0.5f);
  EXPECT_FLOAT_EQ(SourceFloat(0, AL_GAIN), 1.0f);
  app->p_PlaySFX(8, 1.0f);
  EXPECT_TRUE(Holds(1, 8)) << "the 25th cuts off the first";
  for (int c = 24; c < 33; ++c) EXPECT_EQ(Channel(c).sample, nullptr) << c;
}

TEST_F(GameAudioTest, TheSoundSettingDecidesWhatIsHeard) {
  struct Case {
    int setting;
    bool effects, music;
  } cases[] = {{0, false, false}, {1, true, true}, {2, true, false}, {3, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    app->p_StopTune();
    app->m_Options[5] = c.setting;
    const int idx = app->m_NoteIdx;
    app->p_PlaySFX(2, 1.0f);
    EXPECT_EQ(app->m_NoteIdx != idx, c.effects) << "the rotation moves only when an effect plays";
    app->p_PlayTune(String("Linoleum"), 1);
    EXPECT_EQ(app->m_TuneName, String("Linoleum")) << "the name is remembered either way";
    EXPECT_EQ(app->m_MusicOn, c.music ? 1 : 0);
    WaitForTune();
    EXPECT_EQ(Channel(gxtkAudio::kMusicChannel).sample != nullptr && rt_audio_device->MusicState() == 1, c.music);
  }
}

TEST_F(GameAudioTest, MinusOneRestartsTheLastTune) {
  app->p_PlayTune(String("-1"), 1);
  EXPECT_EQ(app->m_MusicOn, 0) << "no tune has been started yet";
  EXPECT_EQ(app->m_TuneName.Length(), 0);
  EXPECT_FALSE(h->host->Asked("trazel://data/sfx/-1.ogg"));

  app->p_PlayTune(String("Linoleum"), 1);
  EXPECT_TRUE(h->host->Asked("trazel://data/sfx/Linoleum.ogg"));
  app->m_Options[5] = 0;
  app->p_StopTune();
  EXPECT_EQ(app->m_MusicOn, 0);
  EXPECT_EQ(rt_audio_device->MusicState(), 0);
  app->m_Options[5] = 3;
  app->p_PlayTune(String("-1"), 1);
  EXPECT_EQ(app->m_MusicOn, 1);
  EXPECT_EQ(app->m_TuneName, String("Linoleum"));
  EXPECT_EQ(rt_audio_device->MusicState(), 1);
}

TEST_F(GameAudioTest, MusicPausesWhileTheGameIsPaused) {
  h->StartGame();
  h->Frame();
  ASSERT_EQ(rt_audio_device->MusicState(), 1);
  app->m_Paused = 1;
  h->Update();
  EXPECT_EQ(rt_audio_device->MusicState(), 2);
  app->m_Paused = 0;
  h->Update();
  EXPECT_EQ(rt_audio_device->MusicState(), 1);
}

TEST_F(GameAudioTest, EachNewGameStartsTheTuneDecodedOnceFromTheStartAndLooping) {
  const std::string tune = "trazel://data/sfx/Linoleum.ogg";
  for (int game = 0; game < 3; ++game) {
    SCOPED_TRACE(game);
    h->host->paths.clear();
    app->m_GameMode = 11;
    h->Frame();
    ASSERT_EQ(app->m_GameMode, 10);
    EXPECT_EQ(h->host->Asked(tune), game == 0) << "only the first game reads and decodes the file";
    EXPECT_EQ(rt_audio_device->musicDecoder != nullptr, game == 0) << "and does it off the main thread";
    ASSERT_EQ(rt_audio_device->MusicState(), 1);
    WaitForTune();
    ALint looping = 0, offset = -1;
    alGetSourcei(Channel(gxtkAudio::kMusicChannel).source, AL_LOOPING, &looping);
    alGetSourcei(Channel(gxtkAudio::kMusicChannel).source, AL_SAMPLE_OFFSET, &offset);
    EXPECT_EQ(looping, AL_TRUE);
    EXPECT_LT(offset, 44100) << "the tune starts from its beginning";
    app->m_GameMode = 1;
    app->p_StopTune();
    gc_collect_step(nullptr);  // the stopped tune is no longer held by its channel
  }
  // Another tune replaces the kept one: the game's tune is then read and decoded anew.
  ASSERT_EQ(rt_audio_device->PlayMusic(String(sound_files::OggFixture().c_str()), 1), 0);
  WaitForTune();
  h->host->paths.clear();
  app->p_PlayTune(String("Linoleum"), 1);
  EXPECT_TRUE(h->host->Asked(tune)) << "the kept tune was still the game's";
  EXPECT_NE(rt_audio_device->musicDecoder, nullptr);
}
