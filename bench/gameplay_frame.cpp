// Cost of the worst frame of play: every pool full (151 objects, most of them enemies, 251 particles,
// 1501 fading lines, 100 stars, the whole trail on screen). One benchmark times the update (p_OnUpdate
// with the collector's step), the other the render of the full draw list it leaves. With an X display
// (Xvfb is fine) the render goes through the real OpenGL renderer, otherwise through a recording one.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "tests/support/game_harness.h"

// Counts heap blocks taken while a frame is timed; play is meant to take none.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
namespace {
bool gCounting = false;
long gAllocs = 0;
}  // namespace
extern "C" void* __libc_malloc(size_t size);
extern "C" void* malloc(size_t size) {
  if (gCounting) ++gAllocs;
  return __libc_malloc(size);
}
#define VX_COUNT_ALLOCS 1
#endif

namespace {

// A snapshot of everything a frame of play changes, so every timed frame starts from the same state.
struct Pools {
  std::vector<float> obj, particles, lines, stars, trail, player, boxes;
  std::vector<int> lives;
  int score = 0, shown = 0;

  static void Save(const Array<float>& a, std::vector<float>& v) { v.assign(a.Data(), a.Data() + a.Length()); }
  static void Load(const std::vector<float>& v, const Array<float>& a) {
    std::copy(v.begin(), v.end(), a.Data());
  }
  void Take(c_MyApp* app) {
    Save(app->m_Obj, obj);
    Save(app->m_Particles, particles);
    Save(app->m_Lines, lines);
    Save(app->m_Stars, stars);
    Save(app->m_Trail, trail);
    Save(app->m_Player, player);
    Save(app->m_BgBoxes, boxes);
    lives.assign(app->m_Lives.Data(), app->m_Lives.Data() + app->m_Lives.Length());
    score = app->m_Score;
    shown = app->m_ShownScore;
  }
  void Put(c_MyApp* app) const {
    Load(obj, app->m_Obj);
    Load(particles, app->m_Particles);
    Load(lines, app->m_Lines);
    Load(stars, app->m_Stars);
    Load(trail, app->m_Trail);
    Load(player, app->m_Player);
    Load(boxes, app->m_BgBoxes);
    std::copy(lives.begin(), lives.end(), app->m_Lives.Data());
    app->m_Score = score;
    app->m_ShownScore = shown;
    app->m_ObjCount = 150;
  }
};

// Fills every pool: 30 player bullets, 30 enemy bullets and 91 enemies of all ranks, placed so that
// nothing collides (a steady frame); particles of every drawn kind; lines at full life; the trail as a
// wave across the left of the screen.
void FillPools(c_MyApp* app) {
  float* o = app->m_Obj.Data();
  for (int i = 0; i <= 150; ++i) {
    float* r = o + i * 10;
    for (int s = 0; s < 10; ++s) r[s] = 0;
    if (i < 30) {  // player bullets in the left quarter, flying right
      r[0] = 1;
      r[1] = 120 + 4 * i;
      r[2] = 40 + 13 * i;
      r[3] = 6;
    } else if (i < 60) {  // enemy bullets in the middle, away from ship and trail
      r[0] = 5;
      r[1] = 260 + 3 * (i - 30);
      r[2] = 40 + 13 * (i - 30);
      r[3] = -3;
      r[5] = 1 + (i % 4);
      r[6] = 6;
    } else {  // enemies hovering over the right half
      int k = i - 60;
      r[0] = 10 + (k % 7);
      r[1] = r[3] = 400 + 20 * (k % 10);
      r[2] = r[4] = 60 + 40 * (k / 10);
      r[6] = 4 + 2 * (k % 4);
      r[7] = 7;
      r[8] = 1e6f;  // they hold their fire
    }
  }
  for (int i = 0; i <= 250; ++i) {
    float* q = app->m_Particles.Data() + i * 10;
    static const float kinds[5] = {1, 2, 4, 16, 99};
    q[0] = kinds[i % 5];
    q[1] = 300 + 100 * std::sin(i * 0.3f);
    q[2] = 240 + 100 * std::cos(i * 0.2f);
    q[3] = 0.5f;
    q[4] = -0.5f;
    q[7] = 1;
    q[8] = 1 + i % 9;
    q[9] = i % 64;
  }
  for (int i = 0; i <= app->m_LineCount; ++i) {
    float* l = app->m_Lines.Data() + i * 10;
    l[0] = 1;
    l[1] = float(i % 640);
    l[2] = float(i % 480);
    l[3] = l[1] + 8;
    l[4] = l[2] + 3;
    l[6] = 1 + i % 2;
    l[7] = 200;
    l[8] = 100;
    l[9] = 50;
  }
  for (int i = 0; i <= app->m_TrailLen; ++i) {
    app->m_Trail[2 * i + 1] = 100 - 1.2f * i;
    app->m_Trail[2 * i + 2] = 240 + 60 * std::sin(i * 0.15f);
  }
  app->m_Player[1] = 100;
  app->m_Player[2] = 240;
  app->m_Player[89] = 0;
  for (int i = 0; i < 8; ++i) app->m_Lives[i] = 1;
  app->m_Score = 123456;
}

struct Bench {
  std::unique_ptr<GameHarness> h;
  Pools pools;
  bool realGl = false;

  Bench() {
    GameHarnessOptions options;
    realGl = getenv("DISPLAY") != nullptr && getenv("VX_BENCH_NO_GL") == nullptr;
    options.realGl = realGl;
    h.reset(new GameHarness(options));
    h->FinishLoading(200);
    h->StartGame(2);
    if (!realGl) h->SetMillis(100000);
    h->Update();
    FillPools(h->app);
    pools.Take(h->app);
  }
};

Bench& Shared() {
  static Bench bench;
  return bench;
}

void BM_PlayUpdateFullPools(benchmark::State& state) {
  Bench& b = Shared();
  c_MyApp* app = b.h->app;
  long allocs = 0;
  int records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    b.pools.Put(app);
    state.ResumeTiming();
#ifdef VX_COUNT_ALLOCS
    gAllocs = 0;
    gCounting = true;
#endif
    b.h->Update();
#ifdef VX_COUNT_ALLOCS
    gCounting = false;
    allocs += gAllocs;
#endif
    records = app->m_DrawCount / kDrawRecord;
  }
  if (app->m_GameMode != 10 || app->m_Player[89] != 0) state.SkipWithError("the frame did not stay in play");
  state.counters["draw records"] = records;
#ifdef VX_COUNT_ALLOCS
  state.counters["mallocs/frame"] = double(allocs) / double(state.iterations());
#endif
}
BENCHMARK(BM_PlayUpdateFullPools)->Unit(benchmark::kMicrosecond);

void BM_PlayRenderFullList(benchmark::State& state) {
  Bench& b = Shared();
  b.pools.Put(b.h->app);
  b.h->Update();
  for (auto _ : state) {
    b.h->Render();
    if (b.realGl) glFinish();  // llvmpipe draws asynchronously: wait, so the time covers the drawing
  }
  state.counters["draw records"] = b.h->app->m_DrawCount / kDrawRecord;
  state.SetLabel(b.realGl ? "OpenGL" : "recording renderer (no display)");
}
BENCHMARK(BM_PlayRenderFullList)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
