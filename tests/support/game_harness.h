// The whole game on a test host: the scripted GLFW backend (no display, a clock the test sets), the real
// input and audio devices (OpenAL Soft on its null driver) and a renderer that records what the replay
// draws instead of calling OpenGL. Tests and benchmarks drive updates, renders and host events through it.
// A real-GL mode opens an actual window (needs a display, e.g. under xvfb-run) for pixel checks.
#pragma once
#include <string>
#include <vector>

#include "game/myapp.h"
#include "host/backend/glfw2_null.h"
#include "host/host.h"

// One device call of the replay, with the state it was made in.
struct RecordedDraw {
  enum Kind { Rect, Line, Oval, Surface } kind;
  float x, y, w, h;  // rectangle and oval: box; line: x0, y0, x1, y1; surface: position and source size
  float m[6];        // device matrix a, b, c, d, tx, ty
  float r, g, b, alpha;
  int blend;
  gxtkSurface* surface;
  int srcx, srcy;
};

// A renderer without OpenGL: surfaces keep their pixels and get no texture; draws are recorded.
class RecordingGraphics : public gxtkGraphics {
 public:
  std::vector<RecordedDraw> draws;  // of the current (or last) render pass
  int blendMode = 0;
  int renders = 0;

  int BeginRender() override;
  void EndRender() override {}
  void DiscardGraphics() override {}
  gxtkSurface* LoadSurface(String path) override;
  gxtkSurface* CreateSurface(int width, int height) override;
  int Cls(float r, float g, float b) override;
  int SetAlpha(float alpha) override;
  int SetColor(float r, float g, float b) override;
  int SetBlend(int mode) override;
  int SetScissor(int x, int y, int w, int h) override;
  int SetMatrix(float a, float b, float c, float d, float tx, float ty) override;
  int DrawPoint(float x, float y) override;
  int DrawRect(float x, float y, float w, float h) override;
  int DrawLine(float x0, float y0, float x1, float y1) override;
  int DrawOval(float x, float y, float w, float h) override;
  int DrawSurface(gxtkSurface* surface, float x, float y) override;
  int DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch) override;

  int Count(RecordedDraw::Kind kind) const;

 private:
  void Record(RecordedDraw::Kind kind, float x, float y, float w, float h, gxtkSurface* surface, int srcx, int srcy);
};

// The desktop host with the data folder of the build and a record of every file path it was asked for.
class HarnessHost : public RtGlfwGame {
 public:
  explicit HarnessHost(const std::string& dataDir);
  String PathToFilePath(String path) override;
  std::vector<std::string> paths;  // runtime paths asked for, in order
  std::string dataDir;
  bool Asked(const std::string& path) const;  // e.g. "trazel://data/ships-hd.png"
};

struct GameHarnessOptions {
  int width = 640, height = 480;  // window size at start
  bool realGl = false;            // a real window and renderer instead of the scripted world
  std::string dataDir;            // the game's data folder; empty: the build's data folder
  std::string state;              // contents of the state file found at start; empty: no file
};

// Runs one game from rtInit on; one harness at a time per process. The working directory is a fresh
// temporary folder for the harness's life, so the state file lands there.
class GameHarness {
 public:
  explicit GameHarness(const GameHarnessOptions& options = GameHarnessOptions());
  ~GameHarness();
  GameHarness(const GameHarness&) = delete;
  GameHarness& operator=(const GameHarness&) = delete;

  c_MyApp* app = nullptr;
  HarnessHost* host = nullptr;
  RecordingGraphics* gfx = nullptr;  // null in real-GL mode
  std::string workDir;               // the temporary working directory

  Glfw2NullWorld& world();

  // One update (as the host's loop runs it, with a collection step after it) / one render.
  void Update();
  void Render();
  // Advances the clock by one 60th of a second, then updates and renders.
  void Frame();
  void Frames(int n);
  // Frames until the loader has finished (at most `limit`); true when it did.
  bool FinishLoading(int limit = 64);
  // Sets the scripted clock in milliseconds (scripted mode only).
  void SetMillis(int ms);
  void AdvanceMillis(int ms);
  int Millis();
  // Changes the window size as a user's resize would (scripted mode only).
  void Resize(int width, int height);

  // Host events, as the window would deliver them (device pixels for positions).
  void KeyDown(int code);
  void KeyUp(int code);
  void Char(int character);
  void MouseMove(float x, float y);
  void MouseDown(float x, float y, int button = 0);
  void MouseUp(float x, float y, int button = 0);
  void Suspend();
  void Resume();
  // Makes joystick `unit` present with the given stick axes (2.7 orientation, scripted mode only).
  void SetJoystick(int unit, float x, float y);

  // Starts a game of the given difficulty from the title menu's hand-over (mode 11) and runs its first
  // update; the loader must have finished.
  void StartGame(int difficulty = 2);

  // The state file the game wrote into the working directory ("" when there is none).
  std::string StateFile() const;
  void WriteStateFile(const std::string& contents) const;

 private:
  std::string oldDir;
  bool realGl;
  double time = 1.0;
};

// The build's data folder as the tests see it.
std::string GameDataDir();
