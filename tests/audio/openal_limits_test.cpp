// The audio device when OpenAL cannot help: no device at all (silent, never a crash), and too few
// sources (a quiet channel's source moves over; else the sound is skipped). Each case runs in a fresh
// process, because OpenAL reads its configuration once per process.
#include <gtest/gtest.h>

#include <AL/al.h>

#include <chrono>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "host/host.h"
#include "host/platform.h"
#include "support/sound_files.h"
#include "support/test_os.h"

namespace {

using namespace sound_files;

void UseConfig(const std::string& text) {
  std::string path = WriteFile("limits.conf", Bytes(text.begin(), text.end()));
  host_SetEnvironment("ALSOFT_CONF", path.c_str());
  host_SetEnvironment("ALSOFT_LOGLEVEL", "0");
  vxtest::StdoutToStderr();  // the device's messages go to standard output: let the death-test matcher see them
}

#define CHECK_OR_EXIT(cond, code)                    \
  do {                                               \
    if (!(cond)) {                                   \
      fprintf(stderr, "failed: %s\n", #cond);        \
      exit(code);                                    \
    }                                                \
  } while (0)

class OpenALLimits : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

void NoDeviceIsSilent() {
  UseConfig("[general]\ndrivers=no-such-driver\n");
  new RtGlfwGame;
  gxtkAudio* audio = new gxtkAudio;
  rt_audio_SetAudioDevice(audio);
  CHECK_OR_EXIT(!audio->live && audio->device == nullptr, 2);
  std::string wav = WriteFile("a.wav", MakeWav({}));
  // Loading finds nothing to put the sound into; every operation is harmless.
  c_Sound* sound = rt_audio_LoadSound(String(wav.c_str()));
  CHECK_OR_EXIT(sound == nullptr, 3);
  rt_audio_PlaySound(sound, 0, 0);
  gxtkSample* bare = new gxtkSample;
  CHECK_OR_EXIT(audio->PlaySample(bare, 0, 1) == -1, 4);
  audio->SetPan(0, 1.0f);
  audio->SetVolume(0, 1.0f);
  audio->SetRate(0, 1.0f);
  audio->PauseChannel(0);
  audio->ResumeChannel(0);
  audio->Suspend();
  audio->Resume();
  CHECK_OR_EXIT(audio->ChannelState(0) == 0, 5);
  CHECK_OR_EXIT(rt_audio_PlayMusic(String(OggFixture().c_str()), 1) == -1, 6);
  CHECK_OR_EXIT(audio->MusicState() == 0, 7);
  audio->mark();
  fflush(stdout);
  exit(0);
}

TEST_F(OpenALLimits, NoDeviceMeansSilentPlay) {
  EXPECT_EXIT(NoDeviceIsSilent(), ::testing::ExitedWithCode(0),
              "opening openal device\nOpenAl error: alcOpenDevice failed\n");
}

// Holds every free source but `keep`, so that the device runs out after `keep` more. (The configuration's
// "sources" cannot make the pool that small: OpenAL Soft 1.24, which the Windows build ships, keeps at
// least 16.)
void HoldAllSourcesBut(size_t keep) {
  std::vector<ALuint> held;
  for (;;) {
    ALuint s = 0;
    alGetError();
    alGenSources(1, &s);
    if (alGetError() != AL_NO_ERROR || !s) break;
    held.push_back(s);
  }
  for (size_t i = 0; i < keep && !held.empty(); ++i) {
    alDeleteSources(1, &held.back());
    held.pop_back();
  }
}

void QuietChannelsLendTheirSources() {
  UseConfig("[general]\ndrivers=null\n");
  RtGame::_game = new RtGlfwGame;
  gxtkAudio* audio = new gxtkAudio;  // the music channel takes the first source
  CHECK_OR_EXIT(audio->live && audio->channels[32].source != 0, 2);
  HoldAllSourcesBut(2);
  gxtkSample* blip = audio->LoadSample(String(WriteFile("blip.wav", MakeWav({1, 1, 22050, 16, 0, {}, 1100})).c_str()));
  gxtkSample* tone = audio->LoadSample(String(WriteFile("tone.wav", MakeWav({1, 1, 22050, 16, 0, {}, 22050})).c_str()));
  CHECK_OR_EXIT(blip && tone, 3);
  CHECK_OR_EXIT(audio->PlaySample(blip, 0, 0) == 0, 4);
  CHECK_OR_EXIT(audio->PlaySample(tone, 1, 1) == 0, 5);
  // Both effect sources are busy: the third channel gets none and the sound is skipped.
  CHECK_OR_EXIT(audio->PlaySample(tone, 2, 1) == -1 && audio->channels[2].source == 0, 6);
  gxtkALuint lent = audio->channels[0].source;
  for (int i = 0; i < 300; ++i) {  // until OpenAL has finished the blip (at most 3 s)
    ALint st = 0;
    alGetSourcei(lent, AL_SOURCE_STATE, &st);
    if (st == AL_STOPPED) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Channel 0 has gone quiet: its source moves to channel 2.
  CHECK_OR_EXIT(audio->PlaySample(tone, 2, 1) == 0, 7);
  CHECK_OR_EXIT(audio->channels[2].source == lent && audio->channels[0].source == 0, 8);
  CHECK_OR_EXIT(audio->ChannelState(2) == 1, 9);
  // Now nothing is quiet (the music channel never lends its source).
  CHECK_OR_EXIT(audio->PlaySample(blip, 0, 0) == -1, 10);
  CHECK_OR_EXIT(audio->ChannelState(1) == 1 && audio->ChannelState(2) == 1, 11);
  exit(0);
}

TEST_F(OpenALLimits, QuietChannelsLendTheirSources) {
  EXPECT_EXIT(QuietChannelsLendTheirSources(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
