// The Vorbis header check on streams whose setup header is written bit by bit: codebooks the decoder
// would leave half-built (and its blocks behind) or size past its arithmetic are refused before it runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "host/media/audio_readers.h"
#include "host/media/vorbis_header_check.h"
#include "support/sound_files.h"
#include "support/test_os.h"

namespace {

using namespace sound_files;

// Packs values least significant bit first, as Vorbis headers are.
class BitWriter {
 public:
  BitWriter& Put(uint32_t value, int bits) {
    for (int i = 0; i < bits; ++i) {
      if (used_ % 8 == 0) bytes_.push_back(0);
      if ((value >> i) & 1) bytes_.back() |= uint8_t(1 << (used_ % 8));
      ++used_;
    }
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
  int used_ = 0;
};

// A setup packet's start and one codebook's header: sync, dimensions, entries.
BitWriter SetupWithCodebook(uint32_t dimensions, uint32_t entries) {
  BitWriter w;
  w.Put(5, 8);
  for (const char* c = "vorbis"; *c; ++c) w.Put(uint8_t(*c), 8);
  w.Put(0, 8);  // one codebook
  w.Put(0x42, 8).Put(0x43, 8).Put(0x56, 8);
  w.Put(dimensions, 16).Put(entries, 24);
  return w;
}

// The fixture's identification page, then a page with an empty comment packet and `setup`.
Bytes StreamWithSetup(const Bytes& setup) {
  Bytes fixture = ReadFile(OggFixture());
  const size_t firstPage = 27 + 1 + 30;
  EXPECT_GE(fixture.size(), firstPage);
  Bytes s(fixture.begin(), fixture.begin() + firstPage);
  Bytes comment = {3, 'v', 'o', 'r', 'b', 'i', 's', 0, 0, 0, 0, 0, 0, 0, 0, 1};
  Bytes segments = {uint8_t(comment.size())};
  size_t left = setup.size();
  for (; left >= 255; left -= 255) segments.push_back(255);
  segments.push_back(uint8_t(left));
  EXPECT_LE(segments.size(), 255u);
  const uint8_t header[] = {'O', 'g', 'g', 'S', 0, 0};
  s.insert(s.end(), header, header + 6);
  s.insert(s.end(), 20, 0);  // granule, serial, sequence and checksum: the reader does not look
  s.push_back(uint8_t(segments.size()));
  s.insert(s.end(), segments.begin(), segments.end());
  s.insert(s.end(), comment.begin(), comment.end());
  s.insert(s.end(), setup.begin(), setup.end());
  return s;
}

bool Sane(const Bytes& stream) {
  FILE* f = vxtest::StreamOf(stream);
  EXPECT_NE(f, nullptr);
  bool sane = VorbisHeadersSane(f);
  fclose(f);
  return sane;
}

TEST(VorbisHeaderCheck, RefusesCodebooksTheDecoderCannotBuild) {
  const struct {
    const char* name;
    BitWriter setup;
  } cases[] = {
      // Three one-bit code words do not fit a binary tree: the decoder stops after taking its
      // sparse table and keeps it.
      {"sparse codebook with an over-full code tree",
       SetupWithCodebook(1, 3).Put(0, 1).Put(1, 1).Put(1, 1).Put(0, 5).Put(1, 1).Put(0, 5).Put(1, 1).Put(0, 5)},
      {"sparse codebook with a 32-bit code length", SetupWithCodebook(1, 2).Put(0, 1).Put(1, 1).Put(1, 1).Put(31, 5)},
      {"ordered lengths running past the entries", SetupWithCodebook(1, 4).Put(1, 1).Put(1, 5).Put(7, 3)},
      {"ordered lengths over-filling the code tree", SetupWithCodebook(1, 3).Put(1, 1).Put(0, 5).Put(3, 2)},
      // 2^24-1 entries of 65 values each: the decoder's byte count wraps and it writes past its block.
      {"lattice codebook too large for the decoder's sizes",
       SetupWithCodebook(65, 0xFFFFFF).Put(1, 1).Put(23, 5).Put(0xFFFFFF, 24).Put(1, 4)},
      {"lattice codebook with no entries", SetupWithCodebook(0, 0).Put(0, 1).Put(0, 1).Put(1, 4)},
      {"unknown lookup type", SetupWithCodebook(1, 2).Put(0, 1).Put(0, 1).Put(0, 5).Put(0, 5).Put(3, 4)},
      {"setup packet of the wrong type", BitWriter().Put(4, 8)},
      {"no setup packet", BitWriter()},
  };
  for (const auto& c : cases) {
    Bytes stream = StreamWithSetup(c.setup.bytes());
    EXPECT_FALSE(Sane(stream)) << c.name;
    unsigned char* pcm = nullptr;
    int length, channels, format, hertz;
    FILE* f = vxtest::StreamOf(stream);
    ASSERT_NE(f, nullptr);
    pcm = LoadOGG(f, &length, &channels, &format, &hertz);
    fclose(f);
    EXPECT_EQ(pcm, nullptr) << c.name;
    free(pcm);
  }
}

TEST(VorbisHeaderCheck, AcceptsWellFormedCodebooks) {
  const struct {
    const char* name;
    BitWriter setup;
  } cases[] = {
      // Four two-bit code words, no lookup table.
      {"plain lengths", SetupWithCodebook(1, 4).Put(0, 1).Put(0, 1).Put(1, 5).Put(1, 5).Put(1, 5).Put(1, 5).Put(0, 4)},
      // Two entries present out of three, then a 2-dimensional table of 2x3 two-bit values.
      {"sparse lengths and a vector table",
       SetupWithCodebook(2, 3).Put(0, 1).Put(1, 1).Put(1, 1).Put(0, 5).Put(0, 1).Put(1, 1).Put(0, 5)
           .Put(2, 4).Put(0, 32).Put(0, 32).Put(1, 4).Put(0, 1).Put(0x555, 12)},
      // Ordered: one code of length 1, two of length 2.
      {"ordered lengths and a lattice table",
       SetupWithCodebook(2, 3).Put(1, 1).Put(0, 5).Put(1, 2).Put(2, 2).Put(1, 4).Put(0, 32).Put(0, 32)
           .Put(0, 4).Put(0, 1).Put(1, 1)},
  };
  for (const auto& c : cases) EXPECT_TRUE(Sane(StreamWithSetup(c.setup.bytes()))) << c.name;
}

}  // namespace
