// A fresh game on the scripted host for each gameplay test, with helpers to place records in the pools
// and to read back what an update drew.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <AL/al.h>

#include "audio/audio.h"
#include "support/game_harness.h"

class GameplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.reset(new GameHarness());
    ASSERT_TRUE(h->FinishLoading());
    app = h->app;
  }
  void TearDown() override { h.reset(); }

  // A game in progress with empty pools: no enemies, bullets, debris, particles or fading lines, so a
  // test places exactly what it needs. The scan bound is the one play uses.
  void StartEmptyGame(int difficulty = 2) {
    h->StartGame(difficulty);
    for (int i = 0; i < app->m_Obj.Length(); ++i) app->m_Obj[i] = 0;
    for (int i = 0; i <= app->m_ParticleCount; ++i) app->m_Particles[i * 10] = 0;
    for (int i = 0; i <= app->m_LineCount; ++i) app->m_Lines[i * 10] = 0;
    app->m_ObjCount = 150;
    app->m_DrawCount = 0;
  }

  // Writes an object record: slot 0 is the kind, the rest follow in order.
  float* PutObj(int record, std::initializer_list<float> slots) {
    float* o = &app->m_Obj[record * 10];
    for (int s = 0; s < 10; ++s) o[s] = 0;
    int s = 0;
    for (float v : slots) o[s++] = v;
    return o;
  }
  // Fills every free object record 0..150 with long-lived debris, so that no allocation succeeds.
  void FillObjects() {
    for (int i = 0; i <= 150; ++i) {
      if (app->m_Obj[i * 10] == 0) PutObj(i, {2, -500, -500, -500, -500, 0, 0, 1, 0, 1});
    }
  }
  int CountObjects(float kind) const {
    int n = 0;
    for (int i = 0; i <= 150; ++i) n += app->m_Obj[i * 10] == kind;
    return n;
  }
  int CountEnemies() const {
    int n = 0;
    for (int i = 0; i <= 150; ++i) n += app->m_Obj[i * 10] > 9 && app->m_Obj[i * 10] < 30;
    return n;
  }
  int LiveParticles() const {
    int n = 0;
    for (int i = 0; i <= app->m_ParticleCount; ++i) n += app->m_Particles[i * 10] > 0;
    return n;
  }

  // Draw records of one kind (-3715 lines, -3717 rectangles, -3716 ovals, or an image slot).
  std::vector<const float*> Records(float kind) const {
    std::vector<const float*> out;
    for (int at = 0; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (r[0] == kind) out.push_back(r);
    }
    return out;
  }
  // The text drawn in the current font since draw record `from`, glyph by glyph (spaces draw nothing).
  std::string GlyphText(int fromRecord = 0) const {
    std::string s;
    for (int at = fromRecord * 15; at + 15 <= app->m_DrawCount; at += 15) {
      const float* r = app->m_DrawList.Data() + at;
      if (int(r[0]) == app->m_FontSlot) s += char(int(r[6]) + 32);
    }
    return s;
  }
  static std::string Str(const String& s) {
    char buf[256];
    return s.ToUtf8CString(buf, sizeof buf);
  }

  // The effect on the rotating channel used last (0 when it holds none of the loaded effects), and the
  // rate it was given.
  int LastEffect() const {
    const gxtkChannel& ch = rt_audio_device->channels[app->m_NoteSounds[app->m_NoteIdx]];
    for (int n = 1; n < 100; ++n) {
      if (app->m_Sounds[n] && ch.sample == app->m_Sounds[n]->m_sample) return n;
    }
    return 0;
  }
  float LastRate() const {
    gxtkChannel& ch = rt_audio_device->channels[app->m_NoteSounds[app->m_NoteIdx]];
    float pitch = 0;
    alGetSourcef(ch.AL_Source(), AL_PITCH, &pitch);
    return pitch;
  }

  std::unique_ptr<GameHarness> h;
  c_MyApp* app = nullptr;
};
