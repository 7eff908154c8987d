// Helpers for the audio tests: WAV files built byte by byte, a private scratch folder, and the Ogg fixture.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/test_os.h"

namespace sound_files {

typedef std::vector<unsigned char> Bytes;

// M_PI is an extension of the C library, not in every one.
constexpr double kPi = 3.14159265358979323846;

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void PutTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

struct WavShape {
  uint32_t audioFormat = 1;
  uint32_t channels = 1;
  uint32_t hertz = 22050;
  uint32_t bits = 16;
  uint32_t fmtExtra = 0;           // bytes of the fmt chunk beyond 16
  std::vector<std::string> before;  // ids of small chunks placed between fmt and data
  uint32_t frames = 100;
  double amplitude = 0.5;          // a 440 Hz tone; 0 for silence
};

// A complete RIFF WAVE file.
inline Bytes MakeWav(const WavShape& s) {
  Bytes b;
  PutTag(b, "RIFF");
  Put32(b, 0);  // patched below
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16 + s.fmtExtra);
  Put16(b, s.audioFormat);
  Put16(b, s.channels);
  Put32(b, s.hertz);
  Put32(b, s.hertz * s.channels * (s.bits / 8));
  Put16(b, s.channels * (s.bits / 8));
  Put16(b, s.bits);
  for (uint32_t i = 0; i < s.fmtExtra; ++i) b.push_back(0);
  for (const std::string& id : s.before) {
    PutTag(b, id.c_str());
    Put32(b, 6);
    for (int i = 0; i < 6; ++i) b.push_back('x');
  }
  PutTag(b, "data");
  uint32_t bytesPerSample = s.bits / 8;
  Put32(b, s.frames * s.channels * bytesPerSample);
  for (uint32_t f = 0; f < s.frames; ++f) {
    double v = s.amplitude * std::sin(2 * kPi * 440.0 * f / s.hertz);
    for (uint32_t c = 0; c < s.channels; ++c) {
      if (bytesPerSample == 1) b.push_back((unsigned char)(128 + int(v * 127)));
      else for (uint32_t k = 0; k < bytesPerSample; ++k) b.push_back(k == bytesPerSample - 1 ? (unsigned char)(int(v * 127)) : 0);
    }
  }
  uint32_t riff = uint32_t(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + i] = (riff >> (8 * i)) & 0xFF;
  return b;
}

// A private scratch folder for this test process; it and the files written into it go at exit.
struct Scratch {
  std::string dir;
  std::vector<std::string> files;
  Scratch() {
    dir = vxtest::MakeTempDir("vx_audio_test_");
    if (dir.empty()) dir = ".";
  }
  ~Scratch() {
    for (const std::string& f : files) remove(f.c_str());
    if (dir != ".") vxtest::RemoveTree(dir);
  }
  std::string Path(const std::string& name) {
    std::string path = dir + "/" + name;
    files.push_back(path);
    return path;
  }
};
inline Scratch& TheScratch() {
  static Scratch s;
  return s;
}

inline std::string WriteFile(const std::string& name, const Bytes& bytes) {
  std::string path = TheScratch().Path(name);
  FILE* f = fopen(path.c_str(), "wb");
  EXPECT_NE(f, nullptr) << path;
  if (f) {
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  return path;
}

inline Bytes ReadFile(const std::string& path) {
  Bytes b;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return b;
  unsigned char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
  fclose(f);
  return b;
}

// 0.2 s of a stereo tone at 11025 Hz: 2205 frames, encoded with the Vorbis reference encoder.
inline std::string OggFixture() { return std::string(VX_SOURCE_DIR) + "/tests/host/media/tone_stereo_11025.ogg"; }
constexpr int kOggFixtureFrames = 2205;

}  // namespace sound_files
