// The journal reader refuses every damaged file with a message that says what is wrong and where, and
// accepts a journal that ends at a frame's end (a recording cut short by a kill).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "host/journal/journal_reader.h"
#include "host/journal/journal_writer.h"
#include "support/test_os.h"

using namespace journal;

namespace {

// The bytes of a journal with a plain header, then whatever `records` writes.
std::vector<uint8_t> Make(const std::function<void(JournalWriter&)>& records, int version = kVersion) {
  const std::string dir = vxtest::MakeTempDir("vx_journal_reader_");
  const std::string path = dir + "/made.journal";
  {
    JournalWriter w;
    EXPECT_TRUE(w.Open(path.c_str()));
    Header h;
    h.version = version;
    h.build = "b";
    h.hasState = true;
    h.state = "state";
    w.Header(h);
    records(w);
  }
  const std::string bytes = vxtest::ReadWholeFile(path);
  vxtest::RemoveTree(dir);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void Frame(JournalWriter& w) {
  w.Byte(kSwapBuffers);
  w.U64(42);
  w.Byte(kEventKey);
  w.Int(65);
  w.Int(1);
  w.Byte(kEventsDone);
}

TEST(JournalReaderTest, DamagedJournalsAreRefusedWithWhatAndWhere) {
  const std::vector<uint8_t> plain = Make([](JournalWriter&) {});
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* message;
  } cases[] = {
      {"empty", {}, "not a journal"},
      {"another file", std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 26, '\n', 0, 0}, "not a journal"},
      {"other version", Make([](JournalWriter&) {}, 2), "journal format version 2; this build reads version 1"},
      {"header cut", std::vector<uint8_t>(plain.begin(), plain.begin() + 12),
       "truncated in its header"},
      {"unknown record", Make([](JournalWriter& w) { Frame(w); w.Byte(99); }),
       "damaged at byte 34 (frame 2): unknown record code 99"},
      {"clock not a number", Make([](JournalWriter& w) { w.Byte(kGetTime); w.F64(std::nan("")); }),
       "a GetTime record holds an impossible value"},
      {"more axes than asked", Make([](JournalWriter& w) {
         w.Byte(kGetJoystickPos); w.Int(0); w.Int(2); w.Int(3); w.F32(0); w.F32(0); }),
       "a GetJoystickPos record holds an impossible value"},
      {"huge mode count", Make([](JournalWriter& w) { w.Byte(kGetVideoModes); w.Int(1 << 30); w.Int(0); }),
       "a GetVideoModes record holds an impossible value"},
      {"negative title length", Make([](JournalWriter& w) { w.Byte(kSetWindowTitle); w.Int(-5); }),
       "a SetWindowTitle record holds an impossible value"},
      {"stray end of events", Make([](JournalWriter& w) { Frame(w); w.Byte(kEventsDone); }),
       "an end of events closes nothing"},
      {"records after the end", Make([](JournalWriter& w) { w.Byte(kEnd); w.Byte(kTerminate); }),
       "records follow the end of the run"},
      // A number longer than 32 bits with the file going on past it is damage, not a cut: the whole
      // frames after it must not be dropped as if the recording had ended there.
      {"over-long number amid whole frames", Make([](JournalWriter& w) {
         Frame(w);
         w.Byte(kGetKey);
         for (int i = 0; i < 6; ++i) w.Byte(0xFF);
         for (int i = 0; i < 50; ++i) Frame(w);
         w.Byte(kEnd); }),
       "damaged at byte 34 (frame 2): a GetKey record holds an impossible value"},
      {"over-long number in the header", [&] {
         std::vector<uint8_t> b(plain);
         b[12] = 0xFF;  // the settings count, after the mark, version and one-letter build text
         b.insert(b.begin() + 12, 5, 0xFF);
         return b; }(),
       "damaged header (settings)"},
  };
  for (const auto& c : cases) {
    JournalReader reader;
    EXPECT_FALSE(reader.Open(c.bytes.data(), c.bytes.size())) << c.name;
    EXPECT_NE(reader.Error().find(c.message), std::string::npos) << c.name << ": " << reader.Error();
  }
}

TEST(JournalReaderTest, AJournalCutInItsLastFrameReplaysUpToTheCut) {
  // What a run that ended in a fatal error leaves: its whole frames, then the failing frame's records,
  // possibly with the last of them cut.
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    size_t records;  // whole records after the first frame
  } cases[] = {
      {"cut inside a record", Make([](JournalWriter& w) { Frame(w); w.Byte(kGetTime); w.F64(1.5); w.Byte(kGetTime); w.Byte(0); }), 1},
      {"cut between records", Make([](JournalWriter& w) { Frame(w); w.Byte(kPollEvents); }), 1},
      {"cut inside a number", Make([](JournalWriter& w) { Frame(w); w.Byte(kGetTime); w.F64(1.5); w.Byte(kGetKey); w.Byte(0xFF); w.Byte(0xFF); }), 1},
  };
  for (const auto& c : cases) {
    JournalReader reader;
    ASSERT_TRUE(reader.Open(c.bytes.data(), c.bytes.size())) << c.name << ": " << reader.Error();
    EXPECT_TRUE(reader.Cut()) << c.name;
    EXPECT_FALSE(reader.Finished()) << c.name;
    EXPECT_EQ(reader.Frames(), 1) << c.name;
    // The first frame, then the whole records of the cut one; the cut record is not served.
    reader.Byte();
    reader.U64();
    while (reader.PeekOp() == kEventKey) {
      reader.Byte();
      reader.Int();
      reader.Int();
    }
    EXPECT_EQ(reader.Byte(), kEventsDone) << c.name;
    size_t served = 0;
    for (; !reader.AtEnd(); ++served) {
      const int op = reader.Byte();
      if (op == kGetTime) reader.F64();
    }
    EXPECT_EQ(served, c.records) << c.name;
  }
  const std::vector<uint8_t> whole = Make([](JournalWriter& w) { Frame(w); });
  JournalReader reader;
  ASSERT_TRUE(reader.Open(whole.data(), whole.size()));
  EXPECT_FALSE(reader.Cut()) << "a journal of a killed run ends on a frame's end";
}

TEST(JournalReaderTest, AcceptsWholeFramesAndServesTheHeader) {
  const std::vector<uint8_t> cut = Make([](JournalWriter& w) { Frame(w); Frame(w); });
  JournalReader reader;
  ASSERT_TRUE(reader.Open(cut.data(), cut.size())) << reader.Error();
  EXPECT_EQ(reader.Frames(), 2);
  EXPECT_FALSE(reader.Finished());
  EXPECT_EQ(reader.LastHash(), 42u);
  EXPECT_EQ(reader.Header().build, "b");
  EXPECT_TRUE(reader.Header().hasState);
  EXPECT_EQ(reader.Header().state, "state");
  EXPECT_EQ(reader.PeekOp(), kSwapBuffers) << "the cursor starts at the first record";

  const std::vector<uint8_t> ended = Make([](JournalWriter& w) { Frame(w); w.Byte(kGetTime); w.F64(1.5); w.Byte(kEnd); });
  ASSERT_TRUE(reader.Open(ended.data(), ended.size())) << reader.Error();
  EXPECT_TRUE(reader.Finished()) << "a run may end inside a frame";
}

}  // namespace

TEST(JournalReaderTest, TextFromTheFileIsShownPrintable) {
  const struct {
    std::string bytes, shown;
  } cases[] = {
      {"e6fddf135cc1", "e6fddf135cc1"},
      {std::string("e6\xf9\x63\x63", 5), "e6\\xf9cc"},
      {"\x1b[2J\x1b]0;title\x07", "\\x1b[2J\\x1b]0;title\\x07"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"back\\slash\n", "back\\\\slash\\x0a"},
  };
  for (const auto& c : cases) EXPECT_EQ(journal::Printable(c.bytes), c.shown) << c.shown;
}
