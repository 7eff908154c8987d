// A fresh game on the scripted host for each menu test, loaded to the title screen, with helpers that
// press keys for whole updates (the controls read held keys), read back the text the draw list holds,
// and find rectangles in it.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/game_harness.h"

// Runtime key codes of the keyboard keys the tests press.
enum : int { kUp = 38, kDown = 40, kLeft = 37, kRight = 39, kEnter = 13, kEscape = 27 };

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(); }
  void TearDown() override { h.reset(); }

  void Start() {
    h.reset();
    h.reset(new GameHarness(options));
    ASSERT_TRUE(h->FinishLoading());
    app = h->app;
  }

  // Holds a key for one frame and lets it go in the next, as a short press does.
  void Press(int key) {
    h->KeyDown(key);
    h->Frame();
    h->KeyUp(key);
    h->Frame();
  }

  // Resizes the window and waits for the reload the new size starts.
  void ResizeTo(int w, int h2) {
    h->Resize(w, h2);
    h->Frame();
    ASSERT_TRUE(h->FinishLoading());
  }

  // The characters of the glyphs in the draw list, in order, one '|' between lines of text: any other
  // record, a new line (another y, or x going back) and a change of colour each start a new one.
  std::string Glyphs() const {
    std::string out;
    const float* prev = nullptr;
    for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      bool glyph = int(r[0]) == app->m_FontSlot;
      if (glyph && prev &&
          (prev[2] != r[2] || r[1] < prev[1] || prev[10] != r[10] || prev[11] != r[11] || prev[12] != r[12] ||
           prev[7] != r[7])) {
        out += '|';
      }
      if (glyph) {
        out += char(int(r[6]) + 32);
        prev = r;
      } else {
        out += '|';
        prev = nullptr;
      }
    }
    return out;
  }
  bool Shows(const std::string& text) const { return Glyphs().find(text) != std::string::npos; }

  // The glyphs drawn in one colour, in order.
  std::string GlyphsIn(float red, float green, float blue) const {
    std::string out;
    for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (int(r[0]) == app->m_FontSlot && r[10] == red && r[11] == green && r[12] == blue) out += char(int(r[6]) + 32);
    }
    return out;
  }

  // Draw records of rectangles at (x, y) of size w x h.
  std::vector<const float*> RectsAt(float x, float y, float w, float hgt) const {
    std::vector<const float*> out;
    for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (r[0] == kDrawRect && r[1] == x && r[2] == y && r[4] == w && r[5] == hgt) out.push_back(r);
    }
    return out;
  }

  // Starts a game from the title with the Enter key on the wheel and runs into play.
  void StartWithEnter() {
    Press(kEnter);
    ASSERT_EQ(app->m_GameMode, 10);
  }

  // Pauses a running game with the back key and waits until the menu has slid fully open.
  void PauseFully() {
    Press(kEscape);
    ASSERT_EQ(app->m_Paused, 1);
    for (int i = 0; i < 30 && app->m_PauseY < int(rt_Quorva_jscrh / 2); ++i) h->Frame();
  }

  GameHarnessOptions options;
  std::unique_ptr<GameHarness> h;
  c_MyApp* app = nullptr;
};
