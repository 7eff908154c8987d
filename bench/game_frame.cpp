// Cost of one whole frame of play (p_OnUpdate, then p_OnRender of what it recorded) with the pools full,
// and a count of the heap blocks that frame takes: C++ new, malloc (strings and decoded data) and the
// collector's bytes. Play must take none; the benchmark stops with an error when it does.
// With an X display (Xvfb is fine) the render goes through the real OpenGL renderer, otherwise through
// the recording renderer of the test harness.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "input/input.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

// The benchmark programs link only the game's libraries, so the test host is compiled in here.
#include "tests/support/game_harness.cpp"

namespace {
bool gCounting = false;
long gNews = 0;
long gMallocs = 0;
}  // namespace

// Strings and file data are malloc'd: count those too (not under the sanitizers, which own malloc).
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
extern "C" void* __libc_malloc(size_t size);
extern "C" void __libc_free(void* p);
extern "C" void* malloc(size_t size) {
  if (gCounting) ++gMallocs;
  return __libc_malloc(size);
}
static void* RawAlloc(size_t size) { return __libc_malloc(size); }
static void RawFree(void* p) { __libc_free(p); }
#else
static void* RawAlloc(size_t size) { return std::malloc(size); }
static void RawFree(void* p) { std::free(p); }
#endif

// Every C++ allocation of the process goes through these while the benchmark runs.
void* operator new(size_t size) {
  if (gCounting) ++gNews;
  if (void* p = RawAlloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { RawFree(p); }
void operator delete[](void* p) noexcept { RawFree(p); }
void operator delete(void* p, size_t) noexcept { RawFree(p); }
void operator delete[](void* p, size_t) noexcept { RawFree(p); }

namespace {

// Every array a frame of play changes, copied so that each timed frame starts from the same full pools.
struct Snapshot {
  std::vector<std::vector<float>> floats;
  std::vector<int> lives;
  int score = 0, shown = 0;

  std::vector<Array<float>> Arrays(c_MyApp* app) const {
    return {app->m_Obj, app->m_Particles, app->m_Lines, app->m_Stars, app->m_Trail, app->m_Player, app->m_BgBoxes};
  }
  void Take(c_MyApp* app) {
    floats.clear();
    for (const Array<float>& a : Arrays(app)) floats.emplace_back(a.Data(), a.Data() + a.Length());
    lives.assign(app->m_Lives.Data(), app->m_Lives.Data() + app->m_Lives.Length());
    score = app->m_Score;
    shown = app->m_ShownScore;
  }
  void Put(c_MyApp* app) const {
    std::vector<Array<float>> arrays = Arrays(app);
    for (size_t i = 0; i < arrays.size(); ++i) std::copy(floats[i].begin(), floats[i].end(), arrays[i].Data());
    std::copy(lives.begin(), lives.end(), app->m_Lives.Data());
    app->m_Score = score;
    app->m_ShownScore = shown;
    app->m_ObjCount = 150;
  }
};

// All 151 object records in use (enemies holding their fire over the right half, bullets in flight that
// meet nothing), all 251 particles, all 1501 fading lines, and the trail across the left of the screen.
void FillPools(c_MyApp* app) {
  for (int i = 0; i <= 150; ++i) {
    float* r = app->m_Obj.Data() + 10 * i;
    std::fill(r, r + 10, 0.0f);
    if (i < 40) {
      r[0] = 1;  // player bullets
      r[1] = 150 + 3 * i;
      r[2] = 20 + 11 * i;
      r[3] = 6;
    } else if (i < 70) {
      r[0] = 5;  // enemy bullets
      r[1] = 300 + 2 * i;
      r[2] = 20 + 14 * (i - 40);
      r[3] = -3;
      r[5] = 1 + i % 4;
      r[6] = 6;
    } else {
      int k = i - 70;  // enemies of every rank
      r[0] = 10 + k % 7;
      r[1] = r[3] = 420 + 20 * (k % 9);
      r[2] = r[4] = 50 + 42 * (k / 9);
      r[6] = 4 + 2 * (k % 4);
      r[7] = 7;
      r[8] = 1e9f;
    }
  }
  for (int i = 0; i <= app->m_ParticleCount; ++i) {
    float* q = app->m_Particles.Data() + 10 * i;
    static const float kinds[] = {1, 2, 3, 4, 16, 99};
    q[0] = kinds[i % 6];
    q[1] = 320 + 120 * std::sin(i * 0.3f);
    q[2] = 240 + 120 * std::cos(i * 0.2f);
    q[3] = 0.4f;
    q[4] = -0.3f;
    q[5] = 480;
    q[7] = 1;
    q[8] = float(1 + i % 9);
    q[9] = float(i % 64);
  }
  for (int i = 0; i <= app->m_LineCount; ++i) {
    float* l = app->m_Lines.Data() + 10 * i;
    l[0] = 1;
    l[1] = float(i % 640);
    l[2] = float((7 * i) % 480);
    l[3] = l[1] + 10;
    l[4] = l[2] + 4;
    l[6] = float(1 + i % 2);
    l[7] = 255;
    l[8] = 120;
    l[9] = 60;
  }
  for (int i = 0; i <= app->m_TrailLen; ++i) {
    app->m_Trail[2 * i + 1] = 100 - 1.2f * i;
    app->m_Trail[2 * i + 2] = 240 + 50 * std::sin(i * 0.15f);
  }
  app->m_Player[1] = 100;
  app->m_Player[2] = 240;
  app->m_Player[89] = 0;
  for (int i = 0; i < 8; ++i) app->m_Lives[i] = 1;
  app->m_Score = 98765;
}

struct Game {
  std::unique_ptr<GameHarness> h;
  Snapshot full;
  bool realGl = false;

  Game() {
    GameHarnessOptions options;
    realGl = getenv("DISPLAY") != nullptr && getenv("VX_BENCH_NO_GL") == nullptr;
    options.realGl = realGl;
    h.reset(new GameHarness(options));
    h->FinishLoading(200);
    h->StartGame(2);
    h->Frame();
    FillPools(h->app);
    full.Take(h->app);
    // Two warm-up frames: the renderer's batches and the recording vectors reach their sizes.
    for (int i = 0; i < 2; ++i) {
      full.Put(h->app);
      h->Update();
      h->Render();
    }
  }
};

void BM_FrameOfPlayFullPools(benchmark::State& state) {
  static Game game;
  c_MyApp* app = game.h->app;
  long news = 0, mallocs = 0, renderBlocks = 0;
  int64_t gcBytes = 0;
  int records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    game.full.Put(app);
    state.ResumeTiming();
    const int32_t gcBefore = gc_new_bytes;
    // The update as the delegate runs it; only the game's own part is counted, since the window
    // system may take memory when the size is read or the joysticks are polled.
    rt_app_ValidateDeviceWindow(true);
    rt_input_device->p_BeginUpdate();
    gNews = gMallocs = 0;
    gCounting = true;
    app->p_OnUpdate();
    gCounting = false;
    news += gNews;
    mallocs += gMallocs;
    rt_input_device->p_EndUpdate();
    game.h->host->gc_collect();
    gNews = gMallocs = 0;
    gCounting = true;
    game.h->Render();
    if (game.realGl) glFinish();  // llvmpipe draws asynchronously: the time covers the drawing
    gCounting = false;
    renderBlocks += gNews + gMallocs;
    gcBytes += gc_new_bytes >= gcBefore ? gc_new_bytes - gcBefore : gc_new_bytes;
    records = app->m_DrawCount / kDrawRecord;
  }
  if (app->m_GameMode != 10 || app->m_Player[89] != 0) state.SkipWithError("the frame did not stay in play");
  const double n = double(state.iterations());
  state.counters["draw records"] = records;
  state.counters["update new/frame"] = double(news) / n;
  state.counters["update malloc/frame"] = double(mallocs) / n;
  state.counters["gc bytes/frame"] = double(gcBytes) / n;
  // With OpenGL this includes the driver's own blocks; the recording renderer must take none.
  state.counters["render blocks/frame"] = double(renderBlocks) / n;
  state.SetLabel(game.realGl ? "OpenGL" : "recording renderer (no display)");
  if (news || mallocs || gcBytes || (!game.realGl && renderBlocks)) state.SkipWithError("a frame of play allocated");
}
BENCHMARK(BM_FrameOfPlayFullPools)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
