// The audio device on real OpenAL Soft, headless: the wave driver captures what plays into a file.
// Channels and their sources, channel states, pan, suspend and resume, deferred buffer deletion, music,
// and what the capture holds while sounds play and while the device is suspended.
#include <gtest/gtest.h>

#include <AL/al.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>
#include <thread>

#include "audio/audio.h"
#include "host/host.h"
#include "host/platform.h"
#include "support/sound_files.h"

namespace {

using namespace sound_files;

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

ALint SourceState(int ch) {
  ALint st = 0;
  alGetSourcei(gxtkAudio::audio->channels[ch].source, AL_SOURCE_STATE, &st);
  return st;
}

// Waits (at most 3 s) until OpenAL has finished the channel's sound, without asking the device.
void WaitUntilEnded(int ch) {
  for (int i = 0; i < 300 && SourceState(ch) != AL_STOPPED; ++i) SleepMs(10);
}

// Waits (at most 3 s) until the worker has decoded the tune being started; the music functions take it.
void WaitForTune(gxtkAudio* device) {
  for (int i = 0; i < 300 && device->musicDecoder; ++i) {
    SleepMs(10);
    device->FinishMusicDecode();
  }
}

// Objects the test holds on to, marked as roots during collections.
std::vector<gc_object*> g_held;
void MarkHeld() {
  for (gc_object* o : g_held) gc_mark(o);
}

class OpenAL : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    capture = TheScratch().Path("capture.wav");
    std::string conf = "[general]\ndrivers=wave\nfrequency=22050\nchannels=stereo\nsample-type=int16\n"
                       "[wave]\nfile=" + capture + "\n";
    std::string confPath = WriteFile("alsoft.conf", Bytes(conf.begin(), conf.end()));
    host_SetEnvironment("ALSOFT_CONF", confPath.c_str());
    host = new RtGlfwGame;
    device = new gxtkAudio;
    rt_audio_SetAudioDevice(device);
    gc_mark_roots = MarkHeld;
    // A short blip (0.05 s) and a long tone (2 s) to loop.
    shortPath = WriteFile("blip.wav", MakeWav({1, 1, 22050, 16, 0, {}, 1100, 0.8}));
    longPath = WriteFile("tone.wav", MakeWav({1, 2, 22050, 16, 0, {}, 44100, 0.8}));
  }
  void SetUp() override {
    RtGame::_game = host;
    ASSERT_TRUE(device->live) << "the wave driver did not open";
  }
  void TearDown() override {
    for (int ch = 0; ch < gxtkAudio::kChannels; ++ch) device->StopChannel(ch);
    g_held.clear();
  }
  gxtkSample* Load(const std::string& path) {
    gxtkSample* s = device->LoadSample(String(path.c_str()));
    if (s) g_held.push_back(s);
    return s;
  }
  // Ends two collection cycles and destroys the garbage; the device is the delegate, marked first.
  void Collect() {
    for (int i = 0; i < 2; ++i) {
      MarkHeld();
      gc_ext_malloced(0x800001);
      gc_collect_step(device);
    }
    gc_destroy_garbage(0x7fffffff);
  }
  static std::string capture, shortPath, longPath;
  static RtGlfwGame* host;
  static gxtkAudio* device;
};
std::string OpenAL::capture, OpenAL::shortPath, OpenAL::longPath;
RtGlfwGame* OpenAL::host = nullptr;
gxtkAudio* OpenAL::device = nullptr;

TEST_F(OpenAL, ThirtyThreeChannelsKeepThirtyThreeSources) {
  EXPECT_NE(device->channels[32].source, 0u);  // the music channel's source exists from the start
  std::vector<gxtkSample*> samples;
  for (int i = 0; i < gxtkAudio::kChannels; ++i) {
    samples.push_back(Load(WriteFile("s" + std::to_string(i) + ".wav", MakeWav({1, 1, 22050, 16, 0, {}, 200}))));
    ASSERT_NE(samples.back(), nullptr);
  }
  std::vector<gxtkALuint> first;
  for (int round = 0; round < 2; ++round) {
    for (int ch = 0; ch < gxtkAudio::kChannels; ++ch) {
      ASSERT_EQ(device->PlaySample(samples[(ch + round) % gxtkAudio::kChannels], ch, 0), 0) << ch;
      if (round == 0) first.push_back(device->channels[ch].source);
      EXPECT_EQ(device->channels[ch].source, first[ch]) << "channel " << ch << " changed its source";
    }
  }
  std::set<gxtkALuint> distinct(first.begin(), first.end());
  EXPECT_EQ(distinct.size(), 33u);
  EXPECT_EQ(distinct.count(0), 0u);
}

TEST_F(OpenAL, OneShotStateIsNoticedWhenAsked) {
  gxtkSample* blip = Load(shortPath);
  ASSERT_NE(blip, nullptr);
  ASSERT_EQ(device->PlaySample(blip, 4, 0), 0);
  EXPECT_EQ(device->ChannelState(4), 1);
  WaitUntilEnded(4);
  EXPECT_EQ(device->channels[4].state, 1);  // nobody asked yet
  EXPECT_EQ(device->ChannelState(4), 0);
}

TEST_F(OpenAL, PauseAndResume) {
  gxtkSample* blip = Load(shortPath);
  gxtkSample* tone = Load(longPath);
  ASSERT_NE(tone, nullptr);
  // A channel whose sound has just ended stays stopped.
  device->PlaySample(blip, 3, 0);
  WaitUntilEnded(3);
  device->PauseChannel(3);
  EXPECT_EQ(device->channels[3].state, 0);
  device->ResumeChannel(3);
  EXPECT_EQ(device->ChannelState(3), 0);
  EXPECT_EQ(SourceState(3), AL_STOPPED);
  // A playing channel pauses and resumes.
  device->PlaySample(tone, 5, 1);
  device->PauseChannel(5);
  EXPECT_EQ(device->ChannelState(5), 2);
  EXPECT_EQ(SourceState(5), AL_PAUSED);
  device->ResumeChannel(5);
  EXPECT_EQ(device->ChannelState(5), 1);
  EXPECT_EQ(SourceState(5), AL_PLAYING);
  device->StopChannel(5);
  EXPECT_EQ(device->ChannelState(5), 0);
  EXPECT_EQ(SourceState(5), AL_STOPPED);
}

TEST_F(OpenAL, PanVolumeAndRateSetTheSource) {
  gxtkSample* tone = Load(longPath);
  const struct {
    float pan, x, z;
  } cases[] = {{0, 0, -1}, {1, 0.841471f, -0.540302f}, {-1, -0.841471f, -0.540302f}, {float(kPi / 2), 1, 0}};
  for (const auto& c : cases) {
    device->SetPan(7, c.pan);
    ALfloat x = 9, y = 9, z = 9;
    alGetSource3f(device->channels[7].source, AL_POSITION, &x, &y, &z);
    EXPECT_NEAR(x, c.x, 1e-5) << c.pan;
    EXPECT_NEAR(y, 0, 1e-6) << c.pan;
    EXPECT_NEAR(z, c.z, 1e-5) << c.pan;
  }
  device->SetVolume(7, 0.25f);
  device->SetRate(7, 2.0f);
  device->PlaySample(tone, 7, 1);  // the settings stay for later sounds
  ALfloat gain = 0, pitch = 0;
  alGetSourcef(device->channels[7].source, AL_GAIN, &gain);
  alGetSourcef(device->channels[7].source, AL_PITCH, &pitch);
  EXPECT_FLOAT_EQ(gain, 0.25f);
  EXPECT_FLOAT_EQ(pitch, 2.0f);
  EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_NONE);
  device->SetVolume(7, 1.0f);
  device->SetRate(7, 1.0f);
  device->SetPan(7, 0.0f);
}

TEST_F(OpenAL, SuspendPausesOnlyWhatPlaysAndResumeRestartsExactlyThat) {
  gxtkSample* blip = Load(shortPath);
  gxtkSample* tone = Load(longPath);
  device->PlaySample(blip, 2, 0);
  WaitUntilEnded(2);  // channel 2 ended, but its state still says playing
  device->PlaySample(tone, 0, 1);
  device->PlaySample(tone, 1, 1);
  device->PauseChannel(1);  // paused by the game
  device->Suspend();
  EXPECT_EQ(SourceState(0), AL_PAUSED);
  EXPECT_EQ(device->channels[0].state, 1);
  EXPECT_EQ(SourceState(1), AL_PAUSED);
  EXPECT_EQ(SourceState(2), AL_STOPPED);
  device->Resume();
  EXPECT_EQ(SourceState(0), AL_PLAYING);
  EXPECT_EQ(SourceState(1), AL_PAUSED);
  EXPECT_EQ(device->channels[1].state, 2);
  EXPECT_EQ(SourceState(2), AL_STOPPED);
}

TEST_F(OpenAL, CollectedSampleBufferIsDeletedOnceDetached) {
  gxtkSample* blip = device->LoadSample(String(shortPath.c_str()));  // not held: garbage once it ends
  gxtkSample* loop = device->LoadSample(String(longPath.c_str()));   // not held, but it keeps sounding
  gxtkSample* other = Load(shortPath);
  ASSERT_TRUE(blip && loop && other);
  gxtkALuint blipBuffer = blip->buffer, loopBuffer = loop->buffer;
  device->PlaySample(blip, 5, 0);
  device->PlaySample(loop, 6, 1);
  WaitUntilEnded(5);
  Collect();
  // The blip's sample is gone; its buffer waits, still attached to the finished channel 5.
  ASSERT_EQ(std::count(device->discarded.begin(), device->discarded.end(), blipBuffer), 1);
  EXPECT_TRUE(alIsBuffer(blipBuffer));
  // The looping sample was kept alive by the device.
  EXPECT_EQ(std::count(device->discarded.begin(), device->discarded.end(), loopBuffer), 0);
  EXPECT_EQ(loop->buffer, loopBuffer);
  EXPECT_EQ(SourceState(6), AL_PLAYING);

  device->PlaySample(other, 8, 0);
  EXPECT_FALSE(alIsBuffer(blipBuffer));
  EXPECT_EQ(std::count(device->discarded.begin(), device->discarded.end(), blipBuffer), 0);
  EXPECT_EQ(SourceState(6), AL_PLAYING);

  // An explicit discard of a sounding sample waits until its channel is stopped and flushed.
  loop->Discard();
  device->PlaySample(other, 8, 0);
  EXPECT_TRUE(alIsBuffer(loopBuffer));
  device->StopChannel(6);
  device->ChannelState(6);
  device->PlaySample(loop, 6, 0);  // a discarded sample plays nothing
  device->PlaySample(other, 8, 0);
  EXPECT_FALSE(alIsBuffer(loopBuffer));
  EXPECT_EQ(std::count(device->discarded.begin(), device->discarded.end(), loopBuffer), 0);
}

TEST_F(OpenAL, MusicIsAWholeSampleOnTheLastChannel) {
  ASSERT_EQ(device->PlayMusic(String(OggFixture().c_str()), 1), 0);
  EXPECT_EQ(device->MusicState(), 1);
  WaitForTune(device);
  EXPECT_EQ(SourceState(32), AL_PLAYING);
  ALint looping = 0;
  alGetSourcei(device->channels[32].source, AL_LOOPING, &looping);
  EXPECT_EQ(looping, AL_TRUE);
  device->PauseMusic();
  EXPECT_EQ(device->MusicState(), 2);
  device->ResumeMusic();
  EXPECT_EQ(device->MusicState(), 1);
  device->SetMusicVolume(0.5f);
  ALfloat gain = 0;
  alGetSourcef(device->channels[32].source, AL_GAIN, &gain);
  EXPECT_FLOAT_EQ(gain, 0.5f);
  // A tune that cannot be loaded leaves the music channel stopped.
  EXPECT_EQ(device->PlayMusic(String((TheScratch().dir + "/none.ogg").c_str()), 1), -1);
  EXPECT_EQ(device->MusicState(), 0);
  EXPECT_EQ(SourceState(32), AL_STOPPED);
  device->SetMusicVolume(1.0f);
}

TEST_F(OpenAL, ATuneDecodedMeanwhileStartsAsThePausesStopsAndSuspendsAskedBeforeSay) {
  const String tune(OggFixture().c_str());
  struct Case {
    const char* name;
    void (*meanwhile)(gxtkAudio*);
    int state;  // MusicState once decoded
    ALint al;   // the source's state once decoded
  } cases[] = {
      {"nothing", [](gxtkAudio*) {}, 1, AL_PLAYING},
      {"paused", [](gxtkAudio* d) { d->PauseMusic(); }, 2, AL_PAUSED},
      {"paused and resumed", [](gxtkAudio* d) { d->PauseMusic(); d->ResumeMusic(); }, 1, AL_PLAYING},
      {"stopped", [](gxtkAudio* d) { d->StopMusic(); }, 0, AL_STOPPED},
      {"suspended", [](gxtkAudio* d) { d->Suspend(); }, 1, AL_PAUSED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    device->StopMusic();
    gc_assign(device->music, static_cast<gxtkSample*>(nullptr));  // as if never decoded
    device->musicPath = String();
    ASSERT_EQ(device->PlayMusic(tune, 1), 0);
    ASSERT_NE(device->musicDecoder, nullptr) << "a new tune is decoded off the main thread";
    c.meanwhile(device);
    WaitForTune(device);
    EXPECT_EQ(device->MusicState(), c.state);
    EXPECT_EQ(SourceState(32), c.al);
    device->Resume();
    device->ResumeMusic();
    if (c.state != 0) {
      EXPECT_EQ(SourceState(32), AL_PLAYING) << "a resume starts it";
    }
  }
  // Started again, the decoded tune plays at once.
  device->StopMusic();
  ASSERT_EQ(device->PlayMusic(tune, 1), 0);
  EXPECT_EQ(device->musicDecoder, nullptr);
  EXPECT_EQ(SourceState(32), AL_PLAYING);
  device->StopMusic();
}

TEST_F(OpenAL, ModuleFunctionsAndBadArguments) {
  c_Sound* sound = rt_audio_LoadSound(String(shortPath.c_str()));
  ASSERT_NE(sound, nullptr);
  g_held.push_back(sound);
  EXPECT_EQ(rt_audio_LoadSound(String((TheScratch().dir + "/none.wav").c_str())), nullptr);
  // 24-bit and six-channel data are not something OpenAL takes: the sound is absent.
  EXPECT_EQ(rt_audio_LoadSound(String(WriteFile("b24.wav", MakeWav({1, 1, 22050, 24, 0, {}})).c_str())), nullptr);
  EXPECT_EQ(rt_audio_LoadSound(String(WriteFile("c6.wav", MakeWav({1, 6, 22050, 16, 0, {}})).c_str())), nullptr);
  rt_audio_PlaySound(sound, 9, 0);
  EXPECT_EQ(device->ChannelState(9), 1);
  rt_audio_SetChannelRate(9, 0.5f);
  rt_audio_SetChannelVolume(9, 0.5f);
  rt_audio_SetChannelPan(9, 1.0f);
  rt_audio_StopChannel(9);
  EXPECT_EQ(device->ChannelState(9), 0);
  rt_audio_PlaySound(nullptr, 9, 0);
  rt_audio_PlaySound((new c_Sound)->m_new(), 9, 0);
  EXPECT_EQ(device->ChannelState(9), 0);
  // Channels outside the bank do nothing, and touch none of the bank's channels.
  gxtkSample* tone = Load(longPath);
  device->PlaySample(tone, 0, 1);
  device->PlaySample(tone, 32, 1);
  auto bank = [&] {
    std::vector<float> v;
    for (int ch = 0; ch < gxtkAudio::kChannels; ++ch) {
      ALfloat x = 0, y = 0, z = 0, gain = 0;
      alGetSource3f(device->channels[ch].source, AL_POSITION, &x, &y, &z);
      alGetSourcef(device->channels[ch].source, AL_GAIN, &gain);
      v.insert(v.end(), {float(device->channels[ch].state), float(SourceState(ch)), x, z, gain});
    }
    return v;
  };
  const std::vector<float> before = bank();
  EXPECT_EQ(device->PlaySample(sound->m_sample, 33, 0), -1);
  EXPECT_EQ(device->PlaySample(sound->m_sample, -1, 0), -1);
  EXPECT_EQ(device->ChannelState(99), 0);
  device->SetPan(-5, 1.0f);
  device->StopChannel(33);
  device->PauseChannel(40);
  device->ResumeChannel(-2);
  rt_audio_SetChannelVolume(1000, 0.1f);
  rt_audio_SetChannelPan(-1, 1.0f);
  EXPECT_EQ(bank(), before);
  rt_audio_SetChannelVolume(9, 1.0f);
  rt_audio_SetChannelRate(9, 1.0f);
  rt_audio_SetChannelPan(9, 0.0f);
}

// The 16-bit stereo frames (left, right) of the capture file written so far, from `fromByte` on.
std::vector<std::pair<short, short>> CapturedStereo(const std::string& path, size_t fromByte) {
  Bytes b = ReadFile(path);
  size_t data = 0;
  for (size_t i = 12; i + 8 <= b.size() && !data; i++) {
    if (memcmp(&b[i], "data", 4) == 0) data = i + 8;
  }
  std::vector<std::pair<short, short>> frames;
  // Whole frames only, so that left stays left.
  const size_t first = fromByte > data ? data + ((fromByte - data) & ~size_t(3)) : data;
  for (size_t i = first; i + 4 <= b.size(); i += 4) {
    frames.push_back({short(b[i] | b[i + 1] << 8), short(b[i + 2] | b[i + 3] << 8)});
  }
  return frames;
}

std::vector<short> CapturedMono(const std::string& path, size_t fromByte) {
  std::vector<short> mono;
  for (auto f : CapturedStereo(path, fromByte)) mono.push_back(short((f.first + f.second) / 2));
  return mono;
}

TEST_F(OpenAL, CaptureHoldsSoundWhilePlayingAndSilenceWhileSuspended) {
  gxtkSample* tone = Load(longPath);
  SleepMs(100);
  size_t start = ReadFile(capture).size();
  device->PlaySample(tone, 0, 1);
  SleepMs(500);
  device->Suspend();
  SleepMs(500);
  device->Resume();
  SleepMs(500);
  device->StopChannel(0);
  SleepMs(300);  // let the driver write out what it mixed
  std::vector<short> mono = CapturedMono(capture, start);
  // Loudness per 10 ms window (220 frames at 22050 Hz), as loud / quiet runs.
  std::vector<std::pair<bool, int>> runs;
  for (size_t w = 0; w + 220 <= mono.size(); w += 220) {
    int peak = 0;
    for (size_t i = w; i < w + 220; ++i) peak = std::max(peak, std::abs(int(mono[i])));
    bool loud = peak > 4000;
    if (runs.empty() || runs.back().first != loud) runs.push_back({loud, 0});
    runs.back().second++;
  }
  // Expect sound, then at least 0.2 s of silence, then sound again.
  std::string shape;
  for (auto& r : runs) {
    if (r.second >= 20) shape += r.first ? 'S' : '_';
  }
  EXPECT_NE(shape.find("S_S"), std::string::npos) << "runs: " << shape << " of " << mono.size() << " frames";
}

// Pan through the module reaches the ears it names: a sound panned right is loud on the right of the
// mix and quiet on the left, and the other way round.
TEST_F(OpenAL, PanPutsTheSoundOnTheSideItNames) {
  // Only a mono sound has a place in the mix.
  gxtkSample* tone = Load(WriteFile("tone_mono.wav", MakeWav({1, 1, 22050, 16, 0, {}, 44100, 0.8})));
  ASSERT_NE(tone, nullptr);
  struct {
    float pan;
    bool right;
  } cases[] = {{float(kPi / 2), true}, {float(-kPi / 2), false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pan);
    rt_audio_SetChannelPan(6, c.pan);
    device->PlaySample(tone, 6, 1);
    SleepMs(150);  // past what was mixed before the change
    size_t start = ReadFile(capture).size();
    SleepMs(300);
    device->StopChannel(6);
    int peakL = 0, peakR = 0;
    for (auto f : CapturedStereo(capture, start)) {
      peakL = std::max(peakL, std::abs(int(f.first)));
      peakR = std::max(peakR, std::abs(int(f.second)));
    }
    const int near = c.right ? peakR : peakL, far = c.right ? peakL : peakR;
    EXPECT_GT(near, 4000) << "left " << peakL << ", right " << peakR;
    EXPECT_LT(far, near / 4) << "left " << peakL << ", right " << peakR;
  }
  rt_audio_SetChannelPan(6, 0.0f);
}

}  // namespace
