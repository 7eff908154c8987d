// The generated sounds: every effect is a readable 16-bit WAV that is audible and short enough for its
// use, and the tune decodes, lasts a minute or more and joins its end to its start without a jump.
#include <gtest/gtest.h>
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <algorithm>
#include <string>

#include "data_files.h"

namespace {

struct EffectCase {
  int number;
  double maxSeconds;
};

TEST(DataSounds, EffectsAreAudible16BitWavsShorterThanTheirUse) {
  // The jingle plays over the loading screen; everything else must be over in well under 2 s.
  const EffectCase cases[] = {{1, 2}, {2, 2},  {3, 2},  {4, 2},  {5, 2},  {6, 2},  {7, 2}, {8, 2},
                              {9, 2}, {10, 2}, {11, 2}, {95, 2}, {96, 4}, {98, 2}, {99, 2}};
  for (const EffectCase& c : cases) {
    char name[32];
    std::snprintf(name, sizeof name, "/sfx/%03d.wav", c.number);
    SCOPED_TRACE(name);
    vxdata::Wav wav;
    ASSERT_TRUE(vxdata::ParseWav(vxdata::ReadFile(vxdata::DataDir() + name), &wav));
    EXPECT_TRUE(wav.channels == 1 || wav.channels == 2);
    EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100);
    const double seconds = static_cast<double>(wav.samples.size()) / wav.channels / wav.rate;
    EXPECT_GT(seconds, 0.02);
    EXPECT_LT(seconds, c.maxSeconds);
    int peak = 0;
    double energy = 0;
    for (int16_t s : wav.samples) {
      peak = std::max(peak, std::abs(static_cast<int>(s)));
      energy += static_cast<double>(s) * s;
    }
    EXPECT_GT(peak, 8000) << "too quiet";
    EXPECT_GT(std::sqrt(energy / wav.samples.size()), 500.0) << "too quiet";
    // Effects end in silence, so a cut-off at the end never clicks.
    EXPECT_LT(std::abs(static_cast<int>(wav.samples.back())), 200);
  }
}

TEST(DataSounds, WavParserRejectsDamagedHeaders) {
  std::vector<unsigned char> good = vxdata::ReadFile(vxdata::DataDir() + "/sfx/099.wav");
  vxdata::Wav wav;
  ASSERT_TRUE(vxdata::ParseWav(good, &wav));
  std::vector<unsigned char> truncated(good.begin(), good.end() - 10);
  EXPECT_FALSE(vxdata::ParseWav(truncated, &wav));
  std::vector<unsigned char> notRiff = good;
  notRiff[0] = 'X';
  EXPECT_FALSE(vxdata::ParseWav(notRiff, &wav));
}

TEST(DataSounds, TuneLoopsForAMinuteWithoutAJumpAtTheSeam) {
  int channels = 0, rate = 0;
  short* raw = nullptr;
  const std::string path = vxdata::DataDir() + "/sfx/Linoleum.ogg";
  const int frames = stb_vorbis_decode_filename(path.c_str(), &channels, &rate, &raw);
  ASSERT_GT(frames, 0) << path;
  std::unique_ptr<short, void (*)(void*)> samples(raw, std::free);
  ASSERT_GE(channels, 1);
  EXPECT_GE(static_cast<double>(frames) / rate, 60.0);
  for (int ch = 0; ch < channels; ++ch) {
    // The seam (last sample to first) must look like any ordinary step of the waveform.
    double sumSq = 0;
    for (int i = 1; i < frames; ++i) {
      const double d = samples.get()[i * channels + ch] - samples.get()[(i - 1) * channels + ch];
      sumSq += d * d;
    }
    const double rmsStep = std::sqrt(sumSq / (frames - 1));
    const double seam = std::fabs(samples.get()[ch] - samples.get()[(frames - 1) * channels + ch]);
    EXPECT_GT(rmsStep, 50.0) << "channel " << ch << " is silent";
    EXPECT_LE(seam, 3 * rmsStep) << "channel " << ch;
  }
}

}  // namespace
