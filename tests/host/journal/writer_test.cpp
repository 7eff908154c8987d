// The fatal path's flush runs on whichever thread faulted, while the game's thread may be anywhere in the
// writer: in the middle of a record, or writing the buffer out. Whenever it comes, the file must hold the
// journal up to what was written before it, each byte once, and nothing the game's thread adds later; the
// reader then takes it as a run cut there.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "host/journal/journal_reader.h"
#include "host/journal/journal_writer.h"
#include "support/test_os.h"

using namespace journal;

namespace {

class JournalWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = vxtest::MakeTempDir("vx_journal_writer_");
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override { vxtest::RemoveTree(dir); }

  // Opens `w` on a new file of the folder and writes a plain header; the file's path.
  std::string Start(JournalWriter& w, const std::string& name) {
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(w.Open(path.c_str()));
    Header h;
    h.build = "b";
    w.Header(h);
    return path;
  }

  // The bytes a writer left when nothing interrupted it.
  std::string Whole(const std::function<void(JournalWriter&)>& records) {
    JournalWriter w;
    const std::string path = Start(w, "whole.journal");
    records(w);
    w.Close();
    return vxtest::ReadWholeFile(path);
  }

  std::string dir;
};

// Frames of a busy session in miniature: clock readings, a key query, a swap with one event. With
// `flushEachFrame` the file is written at every frame's end as the recorder does, so most of the time goes
// in writes to the file; without, only when the buffer is full, in the middle of a record.
void Frames(JournalWriter& w, int count, bool flushEachFrame, std::atomic<int>* done = nullptr) {
  for (int f = 0; f < count; ++f) {
    for (int i = 0; i < 3; ++i) {
      w.Byte(kGetTime);
      w.F64(f + i / 4.0);
    }
    w.Byte(kGetKey);
    w.Int(f);
    w.Int(f & 1);
    w.Byte(kSwapBuffers);
    w.U64(uint64_t(f) * 0x9E3779B97F4A7C15ull);
    w.Byte(kEventKey);
    w.Int(65);
    w.Int(1);
    w.Byte(kEventsDone);
    if (flushEachFrame) w.Flush();
    if (done) done->store(f + 1, std::memory_order_release);
  }
}

TEST_F(JournalWriterTest, AFatalFlushInsideARecordKeepsWhatCameBeforeItAndNothingAfter) {
  const auto before = [](JournalWriter& w) {
    Frames(w, 1, true);
    w.Byte(kGetTime);  // the fault comes with a clock reading half written
    w.Byte(0x12);
  };
  const std::string expected = Whole(before);

  JournalWriter w;
  const std::string path = Start(w, "fatal.journal");
  before(w);
  EXPECT_TRUE(w.FlushFromFatal());
  EXPECT_TRUE(w.FlushFromFatal()) << "a second fault's flush does nothing";
  // The game's thread runs on until the process ends: a frame's flush, a full buffer, the end record.
  Frames(w, 5000, false);
  w.Flush();
  w.Byte(kEnd);
  w.Close();

  const std::string bytes = vxtest::ReadWholeFile(path);
  EXPECT_EQ(bytes.size(), expected.size());
  EXPECT_TRUE(bytes == expected) << "the file is not the journal up to the fault";
  JournalReader reader;
  ASSERT_TRUE(reader.Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) << reader.Error();
  EXPECT_TRUE(reader.Cut());
  EXPECT_EQ(reader.Frames(), 1);
}

TEST_F(JournalWriterTest, AFatalFlushFromAnotherThreadLeavesAPrefixOfTheJournal) {
  const int kFrames = 4000;
  const std::string whole = Whole([&](JournalWriter& w) {
    Frames(w, kFrames, false);
    w.Byte(kEnd);
  });
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    JournalWriter w;
    const std::string path = Start(w, "raced" + std::to_string(round) + ".journal");
    std::atomic<int> done{0};
    std::thread game([&] {
      Frames(w, kFrames, round % 2 == 0, &done);
      w.Byte(kEnd);
      w.Flush();
    });
    // Somewhere along the run, from early frames to late ones.
    const int at = 1 + round * (kFrames - 1000) / 40;
    while (done.load(std::memory_order_acquire) < at) std::this_thread::yield();
    const int framesBefore = done.load(std::memory_order_acquire);
    // The game's thread runs on here, so a flush that found it inside a write to the file and gave up
    // waiting (a busy machine) takes the file at the next try.
    while (!w.FlushFromFatal()) {
    }
    const size_t flushed = vxtest::ReadWholeFile(path).size();
    game.join();
    w.Close();

    const std::string bytes = vxtest::ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), flushed) << "the game's thread wrote to the file after the fatal flush";
    ASSERT_LE(bytes.size(), whole.size());
    EXPECT_TRUE(whole.compare(0, bytes.size(), bytes) == 0) << "the file is not a prefix of the journal";
    JournalReader reader;
    ASSERT_TRUE(reader.Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) << reader.Error();
    EXPECT_GE(reader.Frames(), framesBefore) << "frames written before the fault are missing";
  }
}

}  // namespace
