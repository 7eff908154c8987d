// The steering of the busy-play benchmarks: fire held (by the caller), the ship sweeping up and down,
// kept alive with its reserve full so the screen stays full of enemies, bullets, sparks and trail, and a
// new game on Hard whenever the run ended or paused.
#pragma once
#include "game/myapp.h"
#include "support/game_harness.h"

// Steers frame `frame` of busy play; call it before each update.
inline void bench_SteerBusyPlay(GameHarness& h, int frame) {
  const int kUp = 38, kDown = 40;  // the cursor keys
  c_MyApp* app = h.app;
  if (frame % 90 == 0) {
    h.KeyUp(kDown);
    h.KeyDown(kUp);
  } else if (frame % 90 == 45) {
    h.KeyUp(kUp);
    h.KeyDown(kDown);
  }
  for (int i = 0; i < 8; ++i) app->m_Lives[i] = 1;
  app->m_GameOver = 0;
  if (app->m_GameMode != 10 || app->m_Paused) {
    app->m_Paused = 0;
    h.StartGame(3);
  }
}
