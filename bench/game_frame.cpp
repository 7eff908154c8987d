// Cost of one update and one render of busy play, and the allocations a frame of play makes (none are
// expected): a game on Hard with fire held and the ship sweeping up and down, kept alive so that the
// screen stays full of enemies, bullets, sparks and trail. With an X display (Xvfb is fine) the render
// goes through the real OpenGL renderer; without one the scripted host records the draws instead.
#include <benchmark/benchmark.h>
#include <GL/gl.h>
#include <malloc.h>

#include <cstdlib>

#include "bench/support/alloc_count.h"
#include "bench/support/busy_play.h"
#include "game/myapp.h"
#include "runtime/gc.h"
#include "support/game_harness.h"

namespace {

const int kFire = 90;  // Z

struct Play {
  GameHarness* h = nullptr;
  bool realGl = false;
  int frame = 0;

  Play() {
    GameHarnessOptions options;
    realGl = std::getenv("DISPLAY") != nullptr;
    options.realGl = realGl;
    h = new GameHarness(options);
    h->FinishLoading();
    h->StartGame(3);
    h->KeyDown(kFire);
    for (int i = 0; i < 900; ++i) Step(true);  // fifteen seconds: the waves have built up
  }

  // One frame of play: steer, keep the ship and its reserve alive, start again if the run ended.
  void Steer() {
    bench_SteerBusyPlay(*h, frame++);
  }
  void Step(bool render) {
    Steer();
    h->Update();
    if (render) Render();
  }
  void Render() {
    h->Render();
    if (realGl) glFinish();  // llvmpipe draws asynchronously; wait so the time covers the drawing
  }
};

Play& Shared() {
  static Play play;
  return play;
}

void BM_PlayUpdate(benchmark::State& state) {
  Play& p = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    p.Steer();
    p.Render();  // keeps the window's frames going, outside the measured time
    state.ResumeTiming();
    p.h->Update();
  }
  state.counters["draw_records"] = p.h->app->m_DrawCount / 15;
}
BENCHMARK(BM_PlayUpdate)->Unit(benchmark::kMicrosecond);

void BM_PlayRender(benchmark::State& state) {
  Play& p = Shared();
  const uint64_t flushes = rt_graphics_device->flushCount, calls = rt_graphics_device->drawCalls;
  for (auto _ : state) {
    state.PauseTiming();
    p.Steer();
    p.h->Update();
    state.ResumeTiming();
    p.Render();
  }
  const double frames = double(state.iterations());
  state.counters["draw_records"] = p.h->app->m_DrawCount / 15;
  state.counters["real_gl"] = p.realGl ? 1 : 0;
  state.counters["flushes/frame"] = double(rt_graphics_device->flushCount - flushes) / frames;
  state.counters["drawcalls/frame"] = double(rt_graphics_device->drawCalls - calls) / frames;
}
BENCHMARK(BM_PlayRender)->Unit(benchmark::kMicrosecond);

// Allocations in 600 frames of play (update and render), heap and collector.
void BM_PlayAllocations(benchmark::State& state) {
  Play& p = Shared();
  long allocations = 0, gcBytes = 0, frames = 0;
  for (auto _ : state) {
    for (int i = 0; i < 600; ++i) {
      p.Steer();
      long a0 = bench_ThreadAllocations();
      int32_t g0 = gc_new_bytes;
      p.h->Update();
      p.Render();
      allocations += bench_ThreadAllocations() - a0;
      // A collection cycle resets the count; only growth within the frame counts.
      if (gc_new_bytes >= g0) gcBytes += gc_new_bytes - g0;
      ++frames;
    }
  }
  state.counters["heap_allocations_per_frame"] = double(allocations) / double(frames);
  state.counters["collector_bytes_per_frame"] = double(gcBytes) / double(frames);
}
BENCHMARK(BM_PlayAllocations)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
