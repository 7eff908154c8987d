// Frame spikes over a scripted session of the real game: the title, starting a game, play with fire
// held, pause, resume, quitting through the pause menu to the game over, back on the title, and a
// second start. For each stretch it prints the longest single update (wall time, and the main thread's
// CPU time, which other processes on a loaded machine do not inflate) and the longest gap between two
// rendered frames (the end of one render to the end of the next: one 60th of a second when the game
// keeps up, more when an update or a render runs late).
// With an X display (Xvfb is fine) renders go through the real OpenGL renderer and wait for it with
// glFinish; the sound goes through OpenAL Soft (its null driver unless ALSOFT_DRIVERS says otherwise).
// Usage: bench_session_spikes [rounds] (default 3); each figure is the largest over the rounds.
#include <GL/gl.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "game/myapp.h"
#include "support/game_harness.h"

namespace {

const int kReturn = 13, kEscape = 27, kUp = 38, kDown = 40, kFire = 90;
const double kBudgetMs = 1000.0 / 60.0;

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CPU time of the calling thread: unlike the wall clock it does not grow while other processes run.
double ThreadCpuMs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) * 1e-6;
}

struct Stretch {
  std::string name;
  double longestUpdate = 0, longestUpdateCpu = 0, longestGap = 0;
  int frames = 0;
};

class Session {
 public:
  explicit Session(bool realGl) : realGl(realGl) {
    GameHarnessOptions options;
    options.realGl = realGl;
    h = new GameHarness(options);
  }
  ~Session() { delete h; }

  GameHarness* h;
  bool realGl;
  std::vector<Stretch> stretches;
  Clock::time_point lastRender = Clock::now(), next = Clock::now();

  // Runs `frames` frames (update, then render) into the stretch `name`; `each` runs before each update.
  template <class F>
  void Run(const std::string& name, int frames, F each) {
    Stretch* s = Find(name);
    for (int i = 0; i < frames; ++i) {
      each(i);
      if (realGl) {
        // The real clock: frames are paced at 60 a second as the host paces them.
        next += std::chrono::microseconds(16667);
        if (next < Clock::now()) next = Clock::now();
        std::this_thread::sleep_until(next);
      } else {
        h->AdvanceMillis(17);
      }
      Clock::time_point t0 = Clock::now();
      double c0 = ThreadCpuMs();
      h->Update();
      double c1 = ThreadCpuMs();
      Clock::time_point t1 = Clock::now();
      h->Render();
      if (realGl) glFinish();  // llvmpipe draws asynchronously; the frame is shown once it is drawn
      Clock::time_point t2 = Clock::now();
      s->longestUpdate = std::max(s->longestUpdate, Ms(t1 - t0));
      s->longestUpdateCpu = std::max(s->longestUpdateCpu, c1 - c0);
      s->longestGap = std::max(s->longestGap, Ms(t2 - lastRender));
      lastRender = t2;
      ++s->frames;
    }
  }
  void Run(const std::string& name, int frames) {
    Run(name, frames, [](int) {});
  }
  // A key held for three updates, as a short press on the keyboard.
  void Press(const std::string& name, int code) {
    Run(name, 4, [&](int i) {
      if (i == 0) h->KeyDown(code);
      if (i == 3) h->KeyUp(code);
    });
  }

 private:
  Stretch* Find(const std::string& name) {
    for (Stretch& s : stretches) {
      if (s.name == name) return &s;
    }
    stretches.push_back(Stretch{name});
    return &stretches.back();
  }
};

void Expect(bool ok, const char* what) {
  if (!ok) std::fprintf(stderr, "session: %s\n", what);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  bool realGl = std::getenv("DISPLAY") != nullptr;
  setenv("ALSOFT_DRIVERS", "null", 0);
  std::vector<Stretch> worst;
  for (int round = 0; round < rounds; ++round) {
    Session s(realGl);
    GameHarness* h = s.h;
    s.Run("start-up loader", 20);
    Expect(h->app->m_GameMode == 1 && h->app->m_ReloadPending == 0, "the loader did not finish");
    s.Run("title", 120);
    s.Press("start a game", kReturn);
    Expect(h->app->m_GameMode == 10, "Return on the title did not start a game");
    s.Run("play", 600, [&](int i) {
      if (i == 0) h->KeyDown(kFire);
      if (i % 90 == 0) h->KeyDown(kUp), h->KeyUp(kDown);
      if (i % 90 == 45) h->KeyDown(kDown), h->KeyUp(kUp);
      for (int k = 0; k < 8; ++k) h->app->m_Lives[k] = 1;  // the run lasts the whole stretch
    });
    h->KeyUp(kFire);
    h->KeyUp(kUp);
    h->KeyUp(kDown);
    s.Press("pause", kEscape);
    Expect(h->app->m_Paused == 1, "Escape did not pause");
    s.Run("paused", 60);
    s.Press("resume", kEscape);
    s.Run("play after resume", 60);
    Expect(h->app->m_Paused == 0, "Escape did not resume");
    s.Press("quit to the game over", kEscape);
    s.Run("quit to the game over", 30);
    s.Press("quit to the game over", kUp);
    s.Press("quit to the game over", kReturn);
    s.Run("game over back to the title", 300, [&](int) {});
    Expect(h->app->m_GameMode == 1, "the quit run did not end on the title");
    s.Run("title after a game", 120);
    s.Press("start again", kReturn);
    Expect(h->app->m_GameMode == 10, "Return did not start the second game");
    s.Run("second game", 120);

    for (const Stretch& st : s.stretches) {
      auto it = std::find_if(worst.begin(), worst.end(), [&](const Stretch& w) { return w.name == st.name; });
      if (it == worst.end()) {
        worst.push_back(st);
      } else {
        it->longestUpdate = std::max(it->longestUpdate, st.longestUpdate);
        it->longestUpdateCpu = std::max(it->longestUpdateCpu, st.longestUpdateCpu);
        it->longestGap = std::max(it->longestGap, st.longestGap);
        it->frames += st.frames;
      }
    }
  }
  std::printf("session of %d round%s, %s renderer; budget %.1f ms\n", rounds, rounds == 1 ? "" : "s",
              realGl ? "real OpenGL" : "recording", kBudgetMs);
  std::printf("%-30s %7s %14s %14s %12s\n", "stretch", "frames", "update wall ms", "update CPU ms", "gap ms");
  for (const Stretch& st : worst) {
    std::printf("%-30s %7d %14.2f %14.2f %12.2f%s\n", st.name.c_str(), st.frames, st.longestUpdate,
                st.longestUpdateCpu, st.longestGap,
                st.name != "start-up loader" && st.longestUpdateCpu > kBudgetMs ? "  (update over budget)" : "");
  }
  return 0;
}
