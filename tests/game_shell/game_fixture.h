// A fresh game on the scripted host for each test, loaded to the title screen.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "support/game_harness.h"

class GameShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.reset(new GameHarness(options));
    ASSERT_TRUE(h->FinishLoading());
    app = h->app;
  }
  void TearDown() override { h.reset(); }

  // The image records of the draw list: (slot, x, y, frame) per record.
  struct ImageRecord {
    int slot;
    float x, y, frame;
  };
  std::vector<ImageRecord> ImageRecords() const {
    std::vector<ImageRecord> out;
    for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (r[0] >= 0) out.push_back({int(r[0]), r[1], r[2], r[6]});
    }
    return out;
  }

  GameHarnessOptions options;
  std::unique_ptr<GameHarness> h;
  c_MyApp* app = nullptr;
};

// A string of UTF-16 units, for texts holding the icon escape (unit 172).
inline String Units(std::initializer_list<int> units) {
  std::vector<Char> v(units.begin(), units.end());
  return String(v.data(), int(v.size()));
}
