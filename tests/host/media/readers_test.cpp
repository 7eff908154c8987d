// The WAV and Ogg readers on streams of known bytes, and the host's extension dispatch over real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "host/media/audio_readers.h"
#include "host/host.h"
#include "support/sound_files.h"
#include "support/test_os.h"

namespace {

using namespace sound_files;

struct Decoded {
  unsigned char* data = nullptr;
  int length = -1, channels = -1, format = -1, hertz = -1;
  ~Decoded() { free(data); }
};

typedef unsigned char* (*Reader)(FILE*, int*, int*, int*, int*);

void Decode(Reader reader, const Bytes& bytes, Decoded* out) {
  FILE* f = vxtest::StreamOf(bytes);
  ASSERT_NE(f, nullptr);
  out->data = reader(f, &out->length, &out->channels, &out->format, &out->hertz);
  fclose(f);
}

void SetU32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

TEST(WavReader, AcceptedFiles) {
  const struct {
    const char* name;
    WavShape shape;
  } cases[] = {
      {"mono 16-bit", {1, 1, 22050, 16, 0, {}, 100}},
      {"stereo 8-bit", {1, 2, 8000, 8, 0, {}, 37}},
      {"18-byte fmt and a LIST chunk before data", {1, 1, 44100, 16, 2, {"LIST"}, 50}},
      {"several unknown chunks", {1, 2, 11025, 16, 0, {"fact", "LIST", "cue "}, 10}},
      {"empty data", {1, 1, 22050, 16, 0, {}, 0}},
  };
  for (const auto& c : cases) {
    Bytes file = MakeWav(c.shape);
    Decoded d;
    Decode(LoadWAV, file, &d);
    ASSERT_NE(d.data, nullptr) << c.name;
    EXPECT_EQ(d.length, int(c.shape.frames)) << c.name;
    EXPECT_EQ(d.channels, int(c.shape.channels)) << c.name;
    EXPECT_EQ(d.format, int(c.shape.bits / 8)) << c.name;
    EXPECT_EQ(d.hertz, int(c.shape.hertz)) << c.name;
    size_t bytes = size_t(d.length) * d.channels * d.format;
    // The samples are the file's last bytes.
    EXPECT_EQ(Bytes(d.data, d.data + bytes), Bytes(file.end() - bytes, file.end())) << c.name;
  }
}

TEST(WavReader, StereoSecondAt44100) {
  Decoded d;
  Decode(LoadWAV, MakeWav({1, 2, 44100, 16, 0, {}, 44100}), &d);
  ASSERT_NE(d.data, nullptr);
  EXPECT_EQ(d.length, 44100);
  EXPECT_EQ(d.length * d.channels * d.format, 176400);
}

TEST(WavReader, OddSizedChunkIsFollowedByItsPadByte) {
  Bytes file = MakeWav({1, 1, 22050, 16, 0, {"LIST"}, 4});
  // Make the LIST chunk 5 bytes long: its sixth byte becomes the pad byte.
  size_t list = 12 + 8 + 16;
  SetU32(file, list + 4, 5);
  Decoded d;
  Decode(LoadWAV, file, &d);
  ASSERT_NE(d.data, nullptr);
  EXPECT_EQ(d.length, 4);
}

TEST(WavReader, RejectedFiles) {
  const size_t fmt = 12;  // offset of the fmt chunk
  const struct {
    const char* name;
    WavShape shape;
    size_t patchAt;  // 0: no patch
    uint32_t value;
    int width;
  } cases[] = {
      {"IEEE float", {3, 1, 22050, 32, 0, {}, 10}, 0, 0, 0},
      {"extensible format", {0xFFFE, 2, 22050, 16, 22, {}, 10}, 0, 0, 0},
      {"no channels", {1, 0, 22050, 16, 0, {}, 10}, 0, 0, 0},
      {"4-bit samples", {1, 1, 22050, 4, 0, {}, 10}, 0, 0, 0},
      {"not RIFF", {}, 0, 0x46464952 + 1, 4},
      {"not WAVE", {}, 8, 0x45564157 + 1, 4},
      {"first chunk not fmt", {}, fmt, 0x5453494C, 4},
      {"fmt chunk shorter than 16", {}, fmt + 4, 14, 4},
      {"data larger than the file", {}, 12 + 8 + 16 + 4, 0x7FFFFFF0, 4},
      {"data size beyond any int", {}, 12 + 8 + 16 + 4, 0xFFFFFFF0, 4},
      {"chunk before data larger than the file", {1, 1, 22050, 16, 0, {"LIST"}, 10}, 12 + 8 + 16 + 4, 0xFFFFFFFF, 4},
  };
  for (const auto& c : cases) {
    Bytes file = MakeWav(c.shape);
    if (c.width == 4) SetU32(file, c.patchAt, c.value);
    Decoded d;
    Decode(LoadWAV, file, &d);
    EXPECT_EQ(d.data, nullptr) << c.name;
  }
}

TEST(WavReader, EveryTruncationIsRejected) {
  Bytes file = MakeWav({1, 2, 8000, 16, 2, {"LIST"}, 8});
  for (size_t n = 0; n < file.size(); ++n) {
    Decoded d;
    Decode(LoadWAV, Bytes(file.begin(), file.begin() + n), &d);
    EXPECT_EQ(d.data, nullptr) << "cut at " << n;
  }
  Decoded whole;
  Decode(LoadWAV, file, &whole);
  EXPECT_NE(whole.data, nullptr);
}

TEST(OggReader, FixtureDecodesToItsFrameCount) {
  Decoded d;
  Decode(LoadOGG, ReadFile(OggFixture()), &d);
  ASSERT_NE(d.data, nullptr);
  EXPECT_EQ(d.channels, 2);
  EXPECT_EQ(d.format, 2);
  EXPECT_EQ(d.hertz, 11025);
  EXPECT_EQ(d.length, kOggFixtureFrames);
  // The tone is there: some samples are loud.
  const short* s = reinterpret_cast<const short*>(d.data);
  int peak = 0;
  for (int i = 0; i < d.length * 2; ++i) peak = std::max(peak, std::abs(int(s[i])));
  EXPECT_GT(peak, 8000);
}

TEST(OggReader, BrokenStreamsGiveNone) {
  Bytes ogg = ReadFile(OggFixture());
  ASSERT_GT(ogg.size(), 200u);
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"a WAV file", MakeWav({})},
      {"only the first page's start", Bytes(ogg.begin(), ogg.begin() + 40)},
      {"headers cut short", Bytes(ogg.begin(), ogg.begin() + 200)},
  };
  for (const auto& c : cases) {
    Decoded d;
    Decode(LoadOGG, c.bytes, &d);
    EXPECT_EQ(d.data, nullptr) << c.name;
  }
}

TEST(OggReader, DamagedCommentHeaderGivesNone) {
  Bytes ogg = ReadFile(OggFixture());
  // The first page holds the 30-byte identification packet; the comment packet opens the second page.
  size_t page2 = 27 + 1 + 30;
  ASSERT_EQ(memcmp(&ogg[page2], "OggS", 4), 0);
  size_t body = page2 + 27 + ogg[page2 + 26];
  ASSERT_EQ(ogg[body], 3);
  size_t vendorLen = body + 7;
  uint32_t vendor = ogg[vendorLen] | ogg[vendorLen + 1] << 8 | ogg[vendorLen + 2] << 16 | uint32_t(ogg[vendorLen + 3]) << 24;
  size_t count = vendorLen + 4 + vendor;
  const struct {
    const char* name;
    size_t at;
    uint32_t value;
  } cases[] = {
      {"vendor longer than the packet", vendorLen, 0x00FFFFFF},
      {"vendor length negative", vendorLen, 0xFFFFFFF0},
      {"comment count whose table size overflows", count, 0x20000001},
      {"comment count larger than the packet", count, 0x7FFFFFFF},
      {"comment count negative", count, 0x80000001},
  };
  for (const auto& c : cases) {
    Bytes bad = ogg;
    SetU32(bad, c.at, c.value);
    Decoded d;
    Decode(LoadOGG, bad, &d);
    EXPECT_EQ(d.data, nullptr) << c.name;
  }
}

// The host's loader on real files: the extension picks the reader, in any case.
class AudioData : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!host) host = new RtGlfwGame;
    RtGame::_game = host;
  }
  unsigned char* Load(const std::string& path, Decoded* d) {
    d->data = host->LoadAudioData(String(path.c_str()), &d->length, &d->channels, &d->format, &d->hertz);
    return d->data;
  }
  static RtGlfwGame* host;
};
RtGlfwGame* AudioData::host = nullptr;

TEST_F(AudioData, ExtensionDecidesTheReaderIgnoringCase) {
  Bytes wav = MakeWav({1, 1, 22050, 16, 0, {}, 300});
  Bytes ogg = ReadFile(OggFixture());
  const struct {
    std::string name;
    const Bytes* bytes;
    int frames;  // -1: none
  } cases[] = {
      {"a.wav", &wav, 300},         {"b.WAV", &wav, 300},         {"c.OGG", &ogg, kOggFixtureFrames},
      {"d.Ogg", &ogg, kOggFixtureFrames}, {"e.wave", &wav, -1},   {"f.ogg.txt", &ogg, -1},
      {"g.ogg", &wav, -1},          {"h.wav", &ogg, -1},          {"wav", &wav, -1},
  };
  for (const auto& c : cases) {
    std::string path = WriteFile(c.name, *c.bytes);
    Decoded d;
    int before = gc_ext_new_bytes.load();
    Load(path, &d);
    if (c.frames < 0) {
      EXPECT_EQ(d.data, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(d.data, nullptr) << c.name;
    EXPECT_EQ(d.length, c.frames) << c.name;
    // The decoded size counts towards the collector's pace (loading runs no collection step).
    EXPECT_EQ(gc_ext_new_bytes.load() - before, d.length * d.channels * d.format) << c.name;
  }
  Decoded missing;
  EXPECT_EQ(Load(TheScratch().dir + "/missing.wav", &missing), nullptr);
}

}  // namespace
