// Time and draw calls of one busy frame (2500 mixed records: sprites from two sheets, rectangles, lines,
// ovals) replayed through the graphics module into the real renderer. Needs an X display (Xvfb is fine).
// VX_SCREENSHOT=/path/frame.png also saves the frame for looking at.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/app.h"  // rt_app__devWidth, rt_app__devHeight
#include "bench/scenes/busy_frame.h"
#include "bench/scenes/gl_window.h"
#include "graphics/graphics.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct Setup {
  gxtkGraphics* device = nullptr;
  vxscene::BusyFrame scene, small;
  bool ok = false;

  Setup() {
    if (!vxgl::Open(kWidth, kHeight)) return;
    rt_app__devWidth = kWidth;
    rt_app__devHeight = kHeight;
    gc_assign(rt_graphics_context, (new c_GraphicsContext)->m_new());
    device = new gxtkGraphics;
    rt_graphics_SetGraphicsDevice(device);
    scene.Build(kWidth, kHeight);
    small.glows = scene.glows;
    small.ships = scene.ships;
    small.BuildSmall(kWidth, kHeight);
    ok = true;
  }

  void Frame(const vxscene::BusyFrame& list) {
    device->BeginRender();
    rt_graphics_BeginRender();
    device->Cls(8, 10, 60);
    list.Render();
    rt_graphics_EndRender();
    device->EndRender();
    glFinish();  // llvmpipe rasterises asynchronously: wait, so the time covers the drawing
  }

  void SaveScreenshot(const char* path) {
    std::vector<unsigned char> rgba(size_t(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    stbi_flip_vertically_on_write(1);
    stbi_write_png(path, kWidth, kHeight, 4, rgba.data(), kWidth * 4);
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

// Runs frames of one list and reports its records, batches and draw calls per frame.
void RenderList(benchmark::State& state, vxscene::BusyFrame Setup::*list) {
  Setup& s = Shared();
  if (!s.ok) {
    state.SkipWithError("no X display for a GL context");
    return;
  }
  const uint64_t flushes = s.device->flushCount, calls = s.device->drawCalls;
  for (auto _ : state) s.Frame(s.*list);
  double frames = double(state.iterations());
  state.counters["records"] = double((s.*list).records.size());
  state.counters["flushes/frame"] = double(s.device->flushCount - flushes) / frames;
  state.counters["drawcalls/frame"] = double(s.device->drawCalls - calls) / frames;
}

void BM_RenderBusyFrame(benchmark::State& state) {
  RenderList(state, &Setup::scene);
  if (const char* path = getenv("VX_SCREENSHOT")) Shared().SaveScreenshot(path);
}
BENCHMARK(BM_RenderBusyFrame)->Unit(benchmark::kMillisecond);

void BM_RenderSmallItems(benchmark::State& state) { RenderList(state, &Setup::small); }
BENCHMARK(BM_RenderSmallItems)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
