// Byte buffers: clipping of every transfer, overlapping copies, the two encodings and their errors, loading.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "host/host.h"
#include "net/net.h"
#include "support/test_os.h"

namespace {

c_DataBuffer* Buffer(int size) { return (new c_DataBuffer)->m_new(size); }

std::vector<int> Bytes(c_DataBuffer* b) {
  return std::vector<int>(b->data, b->data + b->length);
}

Array<int> Ints(std::initializer_list<int> values) {
  Array<int> a(int(values.size()));
  int i = 0;
  for (int v : values) a[i++] = v;
  return a;
}

String Units(std::initializer_list<int> units) {
  String::Rep* r = String::AllocRep(int(units.size()));
  int i = 0;
  for (int u : units) r->data[i++] = Char(u);
  return String(r);
}

TEST(DataBuffer, PokeBytesClipsToBufferAndArray) {
  struct Case {
    int address, offset, count, arrayLength;
    int written;  // bytes that reach the buffer
  };
  const Case cases[] = {
      {95, 0, 10, 10, 5},     // runs past the buffer's end
      {0, 7, 10, 10, 3},      // runs past the array's end
      {100, 0, 1, 1, 0},      // starts at the end
      {-1, 0, 5, 5, 0},       // negative address moves nothing
      {0, -2, 5, 5, 0},       // negative offset moves nothing
      {10, 0, -3, 5, 0},      // negative count
      {50, 0, 2147483647, 100, 50},  // address + count beyond 32 bits
  };
  for (const Case& c : cases) {
    c_DataBuffer* b = Buffer(100);
    Array<int> src(c.arrayLength);
    for (int i = 0; i < c.arrayLength; ++i) src[i] = 0x100 + i + 1;  // low 8 bits are i + 1
    b->p_PokeBytes(c.address, src, c.offset, c.count);
    int written = 0;
    for (int v : Bytes(b)) written += v != 0;
    EXPECT_EQ(written, c.written) << "address " << c.address << " offset " << c.offset;
  }
  c_DataBuffer* b = Buffer(100);
  b->p_PokeBytes(95, Ints({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 0, 10);
  EXPECT_EQ(b->data[95], 1);
  EXPECT_EQ(b->data[99], 5);
}

TEST(DataBuffer, PeeksReadSignedBytesAndClip) {
  c_DataBuffer* b = Buffer(4);
  b->p_PokeBytes(0, Ints({0xFF, 0x80, 0x7F, 0x01}), 0, 4);
  Array<int> all = b->p_PeekBytes2(0, 10);
  ASSERT_EQ(all.Length(), 4);
  EXPECT_EQ(all[0], -1);
  EXPECT_EQ(all[1], -128);
  EXPECT_EQ(all[2], 127);
  EXPECT_EQ(b->p_PeekBytes2(3, 5).Length(), 1);
  EXPECT_EQ(b->p_PeekBytes2(-1, 2).Length(), 0);
  EXPECT_EQ(b->p_PeekBytes2(9, 2).Length(), 0);

  Array<int> into = Ints({9, 9, 9});
  b->p_PeekBytes(2, into, 1, 5);  // 2 bytes left in the buffer, 2 slots left in the array
  EXPECT_EQ(into[0], 9);
  EXPECT_EQ(into[1], 127);
  EXPECT_EQ(into[2], 1);
}

TEST(DataBuffer, CopyBytesHandlesOverlapBothWaysAndClips) {
  c_DataBuffer* b = Buffer(8);
  b->p_PokeBytes(0, Ints({1, 2, 3, 4, 5, 6, 7, 8}), 0, 8);
  b->p_CopyBytes(0, b, 2, 5);  // source below destination
  EXPECT_EQ(Bytes(b), (std::vector<int>{1, 2, 1, 2, 3, 4, 5, 8}));
  b->p_CopyBytes(2, b, 0, 6);  // source above destination
  EXPECT_EQ(Bytes(b), (std::vector<int>{1, 2, 3, 4, 5, 8, 5, 8}));

  c_DataBuffer* small = Buffer(3);
  b->p_CopyBytes(4, small, 1, 10);  // clipped by the destination
  EXPECT_EQ(Bytes(small), (std::vector<int>{0, 5, 8}));
  b->p_CopyBytes(7, small, 0, 10);  // clipped by the source
  EXPECT_EQ(Bytes(small), (std::vector<int>{8, 5, 8}));
}

TEST(DataBuffer, PokeStringEncodesAndReportsTheFullLength) {
  struct Case {
    String text;
    const char* encoding;
    std::vector<int> bytes;
  };
  const Case cases[] = {
      {String("Hi"), "ascii", {'H', 'i'}},
      {Units({0xE9}), "ascii", {0xE9}},
      {Units({0x20AC}), "ascii", {0xAC}},  // low 8 bits
      {Units({0x41}), "utf8", {0x41}},
      {Units({0xE9}), "utf8", {0xC3, 0xA9}},
      {Units({0x20AC}), "utf8", {0xE2, 0x82, 0xAC}},
      {Units({0xD83D, 0xDE00}), "utf8", {0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},  // surrogates one by one
  };
  for (const Case& c : cases) {
    c_DataBuffer* b = Buffer(8);
    int n = b->p_PokeString(0, c.text, String(c.encoding));
    ASSERT_EQ(n, int(c.bytes.size())) << c.encoding;
    EXPECT_EQ(std::vector<int>(b->data, b->data + n), c.bytes) << c.encoding;
  }
  // A clipped write still returns what the encoding produced.
  c_DataBuffer* b = Buffer(4);
  EXPECT_EQ(b->p_PokeString(2, Units({0x20AC, 0x20AC}), String("utf8")), 6);
  EXPECT_EQ(Bytes(b), (std::vector<int>{0, 0, 0xE2, 0x82}));
  EXPECT_EQ(b->p_PokeString(3, String("abc"), String("ascii")), 3);
  EXPECT_EQ(b->data[3], 'a');
  EXPECT_EQ(b->p_PokeString(-2, String("abc"), String("ascii")), 3);
  EXPECT_EQ(b->data[0], 0);
}

TEST(DataBuffer, PeekStringDecodesWithFallback) {
  struct Case {
    std::vector<int> bytes;
    const char* encoding;
    String text;
  };
  const Case cases[] = {
      {{0xE9}, "ascii", Units({0xE9})},
      {{0xE9}, "utf8", Units({0xE9})},               // cut-off sequence: byte for byte
      {{0xC3, 0xA9}, "utf8", Units({0xE9})},
      {{0xE2, 0x82, 0xAC, 0x41}, "utf8", Units({0x20AC, 0x41})},
      {{0x41, 0xA9, 0x42}, "utf8", Units({0x41, 0xA9, 0x42})},  // lone continuation byte
      {{0xF0, 0x9F, 0x98, 0x80}, "utf8", Units({0xF0, 0x9F, 0x98, 0x80})},  // four-byte lead
      {{0xC3, 0xA9, 0xE2, 0x82}, "utf8", Units({0xC3, 0xA9, 0xE2, 0x82})},  // whole range falls back
  };
  for (const Case& c : cases) {
    c_DataBuffer* b = Buffer(int(c.bytes.size()));
    for (size_t i = 0; i < c.bytes.size(); ++i) b->data[i] = static_cast<unsigned char>(c.bytes[i]);
    EXPECT_TRUE(b->p_PeekString(0, b->length, String(c.encoding)) == c.text) << c.encoding << " " << c.bytes[0];
  }
  c_DataBuffer* b = Buffer(4);
  b->p_PokeString(0, String("abcd"), String("ascii"));
  EXPECT_TRUE(b->p_PeekString2(1, String("ascii")) == String("bcd"));
  EXPECT_TRUE(b->p_PeekString(2, 50, String("utf8")) == String("cd"));
  EXPECT_EQ(b->p_PeekString(-1, 2, String("utf8")).Length(), 0);
  EXPECT_EQ(b->p_PeekString2(9, String("utf8")).Length(), 0);
}

TEST(DataBufferDeathTest, UnknownEncodingAndDoubleAllocationAreFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The message goes to standard output; the child sends it to standard error where the check reads it.
  c_DataBuffer* b = Buffer(4);
  EXPECT_EXIT({ vxtest::StdoutToStderr(); b->p_PokeString(0, String("x"), String("UTF8")); }, ::testing::ExitedWithCode(255),
              "Trazel Runtime Error : Invalid string encoding:UTF8");
  EXPECT_EXIT({ vxtest::StdoutToStderr(); b->p_PeekString(0, 1, String("latin1")); }, ::testing::ExitedWithCode(255),
              "Invalid string encoding:latin1");
  EXPECT_EXIT({ vxtest::StdoutToStderr(); b->m_new(8); }, ::testing::ExitedWithCode(255), "Allocate DataBuffer failed");
}

// A host whose runtime paths are plain file names.
struct FileHost : RtGame {
  String PathToFilePath(String path) override { return path; }
};

TEST(DataBuffer, LoadReadsWholeFilesThroughTheHost) {
  FileHost host;
  const std::string dir = vxtest::MakeTempDir("vx_net_load_");
  ASSERT_FALSE(dir.empty());
  const std::string file = dir + "/bytes.bin";
  const char* path = file.c_str();
  ASSERT_TRUE(vxtest::WriteWholeFile(file, "\x01\x02\xFF"));

  c_DataBuffer* b = c_DataBuffer::m_Load(String(path));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Bytes(b), (std::vector<int>{1, 2, 255}));
  EXPECT_FALSE(b->_Load(String(path)));  // only an empty buffer loads

  c_DataBuffer* async = new c_DataBuffer;
  EXPECT_TRUE(async->_LoadAsync(String(path), nullptr));
  EXPECT_EQ(async->length, 3);
  async->Discard();
  EXPECT_EQ(async->data, nullptr);
  EXPECT_EQ(async->length, 0);

  vxtest::RemoveTree(dir);
  EXPECT_EQ(c_DataBuffer::m_Load(String(path)), nullptr);
  RtGame::_game = nullptr;
}

}  // namespace
