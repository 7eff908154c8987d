// Cold start of the whole process: time from starting a new process to the first rendered frame and to
// the first frame of the title menu, median of several runs. Each run is a fresh process (this program
// started again with --child) that goes through the program's own start-up (GLFW, window, collector,
// globals, the game's creation and loader) and reports the moments on a pipe; the parent measures from
// just before it starts the process. Needs an X display (Xvfb is fine).
// Usage: bench_startup [runs [--baseline program]]; the baseline (vx_bare_window) runs after each game run
// and reports its own first frame, and the medians are compared as a ratio.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/myapp.h"
#include "host/backend/glfw2.h"
#include "host/host.h"
#include "host/utf8_path.h"

extern char** environ;

namespace {

double Now() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

std::string g_dataDir;  // the build's data folder (the executable lies in bench/, the data beside it in ..)

// The program's host, noting when the first frame and the first title-menu frame were rendered.
class TimedHost : public RtTrazelGame {
 public:
  double firstFrame = 0.0, title = 0.0;
  bool titleDrawn = false;

  String PathToFilePath(String path) override {
    const char prefix[] = "trazel://data/";
    std::string p = StringToUtf8Path(path);
    if (p.compare(0, sizeof prefix - 1, prefix) == 0) return String((g_dataDir + "/" + p.substr(sizeof prefix - 1)).c_str());
    return RtTrazelGame::PathToFilePath(path);
  }
  void UpdateGame() override {
    RtTrazelGame::UpdateGame();
    c_MyApp* app = static_cast<c_MyApp*>(rt_app__app);
    // The update after the loader's last step draws the title menu; the render after it shows it.
    if (app && app->m_GameMode == 1 && app->m_ReloadPending == 0) titleDrawn = true;
  }
  void RenderGame() override {
    RtTrazelGame::RenderGame();
    if (firstFrame == 0.0) firstFrame = Now();
    if (titleDrawn && title == 0.0) title = Now();
  }
  void Run() override {
    SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
    StartGame();
    while (glfwGetWindowParam(GLFW_OPENED) && title == 0.0) RunFrame();
  }
};

// The child: the steps of the program's Main with the timed host; prints both moments and ends.
int Child() {
  if (!glfwInit()) return 2;
  TimedHost* host = new TimedHost;
  if (!setlocale(LC_CTYPE, "en_US.UTF-8")) setlocale(LC_CTYPE, "");
  gc_init();
  rtInit();
  gc_mark();
  rtMain();
  host->Run();
  // The moments go to descriptor 3 (the game itself prints on standard output).
  dprintf(3, "%.6f %.6f\n", host->firstFrame, host->title);
  _exit(0);  // as the game ends: no clean-up
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}


// Starts `argv` as a new process with descriptor 3 on a pipe and reads the numbers it writes there; the
// times it reports, less the moment just before the start. Empty when it reported fewer than `want`.
std::vector<double> Spawn(const std::string& path, std::vector<const char*> args, size_t want) {
  int fd[2];
  if (pipe(fd) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fd[0]);
  posix_spawn_file_actions_adddup2(&actions, fd[1], 3);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<char*> childArgv;
  childArgv.push_back(const_cast<char*>(path.c_str()));
  for (const char* a : args) childArgv.push_back(const_cast<char*>(a));
  childArgv.push_back(nullptr);
  double t0 = Now();
  pid_t pid;
  int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, childArgv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fd[1]);
  if (spawned != 0) {
    close(fd[0]);
    return {};
  }
  char buf[128] = {0};
  ssize_t got = read(fd[0], buf, sizeof buf - 1);
  close(fd[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  std::vector<double> out;
  const char* p = buf;
  char* end = nullptr;
  for (double v; got > 0 && (v = std::strtod(p, &end), end != p); p = end) out.push_back(v - t0);
  if (out.size() < want) return {};
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string self = argv[0];
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) {
    exe[n] = 0;
    self = exe;
  }
  g_dataDir = self.substr(0, self.rfind('/')) + "/../data";
  if (argc > 1 && !std::strcmp(argv[1], "--child")) return Child();
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "bench_startup needs an X display\n");
    return 1;
  }
  setenv("ALSOFT_DRIVERS", "null", 0);
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  // With a baseline program (the bare window, bench/bare_window.cpp), each run of the game is followed by
  // one of the baseline, so that both see the same load on the machine.
  std::string baseline = argc > 3 && !std::strcmp(argv[2], "--baseline") ? argv[3] : "";

  std::vector<double> first, title, bare;
  for (int i = 0; i < runs; ++i) {
    std::vector<double> game = Spawn(self, {"--child"}, 2);
    if (game.empty() || game[0] <= 0 || game[1] <= 0) {
      std::fprintf(stderr, "run %d: the child reported nothing\n", i);
      return 1;
    }
    first.push_back(game[0]);
    title.push_back(game[1]);
    std::printf("run %d: first frame %.1f ms, title menu %.1f ms", i, game[0] * 1e3, game[1] * 1e3);
    if (!baseline.empty()) {
      // A baseline start that reports nothing (seldom, on a loaded X server) is tried again.
      std::vector<double> b;
      for (int attempt = 0; attempt < 3 && b.empty(); ++attempt) b = Spawn(baseline, {"--first-frame"}, 1);
      if (b.empty()) {
        std::fprintf(stderr, "\nrun %d: the baseline reported nothing\n", i);
        return 1;
      }
      bare.push_back(b[0]);
      std::printf(", baseline first frame %.1f ms", b[0] * 1e3);
    }
    std::printf("\n");
  }
  std::printf("cold start, median of %d runs: first frame %.1f ms, title menu %.1f ms\n", runs,
              Median(first) * 1e3, Median(title) * 1e3);
  if (!bare.empty()) {
    std::printf("first frame: game %.1f ms, baseline %.1f ms, ratio %.2f\n", Median(first) * 1e3,
                Median(bare) * 1e3, Median(first) / Median(bare));
  }
  return 0;
}
