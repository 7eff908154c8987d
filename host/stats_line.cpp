// The VX_STATS statistics line: update and render counts per period and the collector's byte counts.
#include "host/stats_line.h"

#include <cstdio>
#include <cstdlib>

#include "host/backend/glfw2.h"
#include "runtime/gc.h"

namespace {

struct Stats {
  bool checked = false;
  double period = 0.0;  // 0: off
  double lastLine = -1.0;
  bool firstFrameShown = false;
  int updates = 0;
  int renders = 0;
};
Stats g_stats;

bool Enabled() {
  if (!g_stats.checked) {
    g_stats.checked = true;
    const char* v = std::getenv("VX_STATS");
    if (v && *v) {
      double p = std::atof(v);
      g_stats.period = p > 0.0 ? p : 1.0;
    }
  }
  return g_stats.period > 0.0;
}

}  // namespace

void stats_CountUpdate() { ++g_stats.updates; }
void stats_CountRender() { ++g_stats.renders; }

void stats_Tick() {
  if (!Enabled()) return;
  double now = glfwGetTime();
  if (!g_stats.firstFrameShown && g_stats.renders > 0) {
    g_stats.firstFrameShown = true;
    std::printf("stats first-frame t=%.3f\n", now);
    std::fflush(stdout);
  }
  if (g_stats.lastLine < 0.0) g_stats.lastLine = now;
  if (now - g_stats.lastLine < g_stats.period) return;
  std::printf("stats t=%.1f updates=%d renders=%d gc_alloced=%d gc_max=%d gc_new=%d objects=%d garbage=%d\n",
              now, g_stats.updates, g_stats.renders, int(gc_alloced_bytes), int(gc_max_alloced_bytes),
              int(gc_new_bytes), gc_list_count(&gc_unmarked_list) + gc_list_count(&gc_marked_list),
              gc_list_count(&gc_free_list));
  std::fflush(stdout);
  g_stats.updates = 0;
  g_stats.renders = 0;
  g_stats.lastLine = now;
}
