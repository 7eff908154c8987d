// Cold start of the whole process: time from starting a new process to the first rendered frame and to
// the first frame of the title menu, median of several runs. Each run is a fresh process (this program
// started again with --child) that goes through the program's own start-up (GLFW, window, collector,
// globals, the game's creation and loader) and reports the moments on a pipe; the parent measures from
// just before it starts the process. Needs an X display (Xvfb is fine). Usage: bench_startup [runs].
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
#include "host/glfw2.h"
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

  std::vector<double> first, title;
  for (int i = 0; i < runs; ++i) {
    int fd[2];
    if (pipe(fd) != 0) return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fd[0]);
    posix_spawn_file_actions_adddup2(&actions, fd[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* childArgv[] = {const_cast<char*>(self.c_str()), const_cast<char*>("--child"), nullptr};
    double t0 = Now();
    pid_t pid;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, childArgv, environ) != 0) return 1;
    posix_spawn_file_actions_destroy(&actions);
    close(fd[1]);
    char buf[128] = {0};
    ssize_t got = read(fd[0], buf, sizeof buf - 1);
    close(fd[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    double a = 0, b = 0;
    if (got <= 0 || std::sscanf(buf, "%lf %lf", &a, &b) != 2 || a == 0.0 || b == 0.0) {
      std::fprintf(stderr, "run %d: the child reported nothing (status %d)\n", i, status);
      return 1;
    }
    first.push_back(a - t0);
    title.push_back(b - t0);
    std::printf("run %d: first frame %.1f ms, title menu %.1f ms\n", i, (a - t0) * 1e3, (b - t0) * 1e3);
  }
  std::printf("cold start, median of %d runs: first frame %.1f ms, title menu %.1f ms\n", runs,
              Median(first) * 1e3, Median(title) * 1e3);
  return 0;
}
