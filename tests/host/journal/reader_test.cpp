// The journal reader refuses every damaged file with a message that says what is wrong and where, and
// accepts a journal that ends at a frame's end (a recording cut short by a kill).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "host/journal/journal_reader.h"
#include "host/journal/journal_writer.h"

using namespace journal;

namespace {

// The bytes of a journal with a plain header, then whatever `records` writes.
std::vector<uint8_t> Make(const std::function<void(JournalWriter&)>& records, int version = kVersion) {
  const std::string path = "/tmp/vx_journal_reader_" + std::to_string(getpid());
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
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  unlink(path.c_str());
  return bytes;
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
      {"cut inside a record", Make([](JournalWriter& w) { Frame(w); w.Byte(kGetTime); w.Byte(0); }),
       "truncated at byte 34 (frame 2): the file ends inside a record"},
      {"cut inside a frame", Make([](JournalWriter& w) { Frame(w); w.Byte(kPollEvents); }),
       "truncated in frame 2: the file ends inside a frame"},
  };
  for (const auto& c : cases) {
    JournalReader reader;
    EXPECT_FALSE(reader.Open(c.bytes.data(), c.bytes.size())) << c.name;
    EXPECT_NE(reader.Error().find(c.message), std::string::npos) << c.name << ": " << reader.Error();
  }
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
