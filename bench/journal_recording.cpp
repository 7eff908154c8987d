// Cost of recording a session: whole frames of busy play through the host's own loop step (render,
// swap, sleep, events, update) on the scripted backend, with and without the recording decorator and
// the draw-list hash, plus the journal bytes and the heap allocations each recorded frame makes (none
// are expected), and the hash of a full draw list on its own.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "bench/support/alloc_count.h"
#include "bench/support/busy_play.h"
#include "game/myapp.h"
#include "host/backend/glfw2.h"
#include "host/backend/glfw2_null.h"
#include "host/journal/glfw2_recording.h"
#include "host/journal/journal.h"
#include "host/journal/journal_writer.h"
#include "support/game_harness.h"

namespace {

const int kFire = 90;  // Z

struct Play {
  GameHarness* h = nullptr;
  JournalWriter writer;
  std::string path = "/tmp/vx-bench-" + std::to_string(getpid()) + ".journal";
  int frame = 0;

  Play() {
    h = new GameHarness(GameHarnessOptions());
    h->FinishLoading();
    h->StartGame(3);
    h->KeyDown(kFire);
    writer.Open(path.c_str());
    journal::Header header;
    header.build = journal_BuildIdentity();
    writer.Header(header);
    for (int i = 0; i < 900; ++i) Frame();  // fifteen seconds: the waves have built up
  }
  ~Play() { unlink(path.c_str()); }

  void Record(bool on) {
    journal_ResetHash(on);
    glfw2_SetBackend(on ? &glfw2rec_Backend(glfw2null_Backend(), writer) : &glfw2null_Backend());
  }

  // One frame of the host's loop, with the ship kept alive and sweeping up and down.
  void Frame() {
    bench_SteerBusyPlay(*h, frame++);
    h->host->RunFrame();
  }

  long JournalBytes() const {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? long(st.st_size) : 0;
  }
};

Play& Shared() {
  static Play play;
  return play;
}

void BM_PlayFrame(benchmark::State& state) {
  Play& p = Shared();
  const bool recording = state.range(0) != 0;
  p.Record(recording);
  const long bytes0 = p.JournalBytes();
  long allocations = 0, frames = 0;
  for (auto _ : state) {
    const long a0 = bench_ThreadAllocations();
    p.Frame();
    allocations += bench_ThreadAllocations() - a0;
    ++frames;
  }
  p.writer.Flush();
  p.Record(false);
  state.counters["draw_records"] = p.h->app->m_DrawCount / 15;
  state.counters["heap_allocations_per_frame"] = double(allocations) / double(frames);
  state.counters["journal_bytes_per_frame"] = double(p.JournalBytes() - bytes0) / double(frames);
}
BENCHMARK(BM_PlayFrame)->ArgName("recording")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The backend traffic of one frame of busy play as a recorded session has it (28 clock readings, 20
// joystick queries, 5 window-size and 2 window-parameter queries, a sleep, a poll and a swap) without the
// game, so the recorder's own share is seen apart from the frame's noise.
void BM_BackendCallsOfAFrame(benchmark::State& state) {
  Play& p = Shared();
  const bool recording = state.range(0) != 0;
  p.Record(recording);
  journal_ResetHash(false);  // the hash is measured on its own below
  const long a0 = bench_ThreadAllocations();
  for (auto _ : state) {
    for (int i = 0; i < 28; ++i) benchmark::DoNotOptimize(glfwGetTime());
    for (int i = 0; i < 20; ++i) benchmark::DoNotOptimize(glfwGetJoystickParam(i % 16, GLFW_PRESENT));
    int w, h;
    for (int i = 0; i < 5; ++i) glfwGetWindowSize(&w, &h);
    for (int i = 0; i < 2; ++i) benchmark::DoNotOptimize(glfwGetWindowParam(GLFW_ACTIVE));
    glfwSleep(0.0001);
    glfwPollEvents();
    glfwSwapBuffers();
  }
  state.counters["heap_allocations"] = double(bench_ThreadAllocations() - a0);
  p.Record(false);
}
BENCHMARK(BM_BackendCallsOfAFrame)->ArgName("recording")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DrawListHashFull(benchmark::State& state) {
  std::vector<float> list(37500);
  for (size_t i = 0; i < list.size(); ++i) list[i] = float(i % 640) * 0.5f;
  uint64_t h = 0;
  for (auto _ : state) {
    h = journal_HashFloats(list.data(), int(list.size()), h);
    benchmark::DoNotOptimize(h);
  }
}
BENCHMARK(BM_DrawListHashFull)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
