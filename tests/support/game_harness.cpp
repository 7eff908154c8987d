// The test host that runs the whole game without a display: see game_harness.h.
#include "game_harness.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "audio/audio.h"
#include "audio/music_decoder.h"
#include "graphics/graphics.h"
#include "host/backend/glfw2.h"
#include "host/platform.h"
#include "input/input.h"
#include "support/test_os.h"

// >>recording renderer

int RecordingGraphics::BeginRender() {
  glfwGetWindowSize(&width, &height);
  draws.clear();
  ++renders;
  return 1;
}

gxtkSurface* RecordingGraphics::LoadSurface(String path) {
  gxtkSurface* surface = new gxtkSurface;
  if (!LoadSurface__UNSAFE__(surface, path)) return nullptr;
  return surface;
}

gxtkSurface* RecordingGraphics::CreateSurface(int w, int h) {
  gxtkSurface* surface = new gxtkSurface;
  surface->width = w > 0 ? w : 0;
  surface->height = h > 0 ? h : 0;
  surface->depth = 4;
  return surface;
}

int RecordingGraphics::Cls(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
  return 0;
}

int RecordingGraphics::SetAlpha(float a) {
  alpha = a;
  return 0;
}

int RecordingGraphics::SetColor(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
  return 0;
}

int RecordingGraphics::SetBlend(int mode) {
  blendMode = mode;
  return 0;
}

int RecordingGraphics::SetScissor(int, int, int, int) { return 0; }

int RecordingGraphics::SetMatrix(float ma, float mb, float mc, float md, float mtx, float mty) {
  a = ma;
  b = mb;
  c = mc;
  d = md;
  tx = mtx;
  ty = mty;
  return 0;
}

void RecordingGraphics::Record(RecordedDraw::Kind kind, float x, float y, float w, float h, gxtkSurface* surface,
                               int srcx, int srcy) {
  RecordedDraw r{kind, x, y, w, h, {a, b, c, d, tx, ty}, red, green, blue, alpha, blendMode, surface, srcx, srcy};
  draws.push_back(r);
}

int RecordingGraphics::DrawPoint(float x, float y) {
  Record(RecordedDraw::Rect, x, y, 1, 1, nullptr, 0, 0);
  return 0;
}
int RecordingGraphics::DrawRect(float x, float y, float w, float h) {
  Record(RecordedDraw::Rect, x, y, w, h, nullptr, 0, 0);
  return 0;
}
int RecordingGraphics::DrawLine(float x0, float y0, float x1, float y1) {
  Record(RecordedDraw::Line, x0, y0, x1, y1, nullptr, 0, 0);
  return 0;
}
int RecordingGraphics::DrawOval(float x, float y, float w, float h) {
  Record(RecordedDraw::Oval, x, y, w, h, nullptr, 0, 0);
  return 0;
}
int RecordingGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
  Record(RecordedDraw::Surface, x, y, float(surface->Width()), float(surface->Height()), surface, 0, 0);
  return 0;
}
int RecordingGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcx, int srcy, int srcw, int srch) {
  Record(RecordedDraw::Surface, x, y, float(srcw), float(srch), surface, srcx, srcy);
  return 0;
}

int RecordingGraphics::Count(RecordedDraw::Kind kind) const {
  int n = 0;
  for (const RecordedDraw& d : draws) n += d.kind == kind;
  return n;
}

// >>host

HarnessHost::HarnessHost(const std::string& dir) : dataDir(dir) {}

String HarnessHost::PathToFilePath(String path) {
  char buf[1024];
  paths.push_back(path.ToUtf8CString(buf, sizeof buf));
  static const String data("trazel://data/");
  if (path.StartsWith(data)) return String(dataDir.c_str()) + String("/") + path.Slice(data.Length());
  return RtGlfwGame::PathToFilePath(path);
}

bool HarnessHost::Asked(const std::string& path) const {
  for (const std::string& p : paths) {
    if (p == path) return true;
  }
  return false;
}

// >>harness

std::string GameDataDir() {
  if (const char* dir = getenv("VX_BINARY_DIR")) return std::string(dir) + "/data";
  // Tests and benchmarks live one folder below the build directory.
  std::string dir = vxtest::ProgramFolder();
  return dir.substr(0, dir.rfind('/')) + "/data";
}

namespace {

// One audio device serves every harness of the process: OpenAL names buffers and sources per device, so
// samples of an earlier game, collected later, must be given back to the device that made them.
gxtkAudio*& SharedAudio() {
  static gxtkAudio* audio = nullptr;
  return audio;
}

// Stops every channel and lets go of its sample and of the kept tune, so nothing of a finished game stays
// playing or held.
void SilenceChannels(gxtkAudio* audio) {
  for (int c = 0; c < gxtkAudio::kChannels; ++c) {
    gxtkChannel& chan = audio->channels[c];
    if (audio->live && chan.source) {
      alSourceStop(chan.source);
      alSourcei(chan.source, AL_BUFFER, 0);
    }
    chan.sample = nullptr;
    chan.state = 0;
    chan.flags = 0;
  }
  // A new game's device has decoded no tune yet.
  audio->musicDecoder.reset();
  audio->musicStart = 0;
  audio->music = nullptr;
  audio->musicPath = String();
}

// The program's roots, and the shared audio device while no game holds it.
void HarnessRoots() {
  rtMarkRoots();
  gc_queue(SharedAudio());
}

// Makes the process's first audio device the game's again, closing the one this start opened.
void UseSharedAudio() {
  gxtkAudio* fresh = rt_app__delegate->m__audio;
  gxtkAudio*& shared = SharedAudio();
  if (!shared) {
    shared = fresh;
    return;
  }
  if (fresh->live) {
    alcMakeContextCurrent(static_cast<ALCcontext*>(shared->context));
    alcDestroyContext(static_cast<ALCcontext*>(fresh->context));
    alcCloseDevice(static_cast<ALCdevice*>(fresh->device));
  }
  fresh->live = false;
  fresh->context = nullptr;
  fresh->device = nullptr;
  gxtkAudio::audio = shared;
  gc_assign(rt_app__delegate->m__audio, shared);
  rt_audio_SetAudioDevice(shared);
  shared->channels[gxtkAudio::kMusicChannel].AL_Source();
}

// The working directory of the live harness; removed at exit when the game ends the process itself
// (F4, the back control, a death test), which skips the harness's destructor.
std::string& LiveWorkDir() {
  static std::string dir;
  return dir;
}

void RemoveLiveWorkDir() {
  if (!LiveWorkDir().empty()) vxtest::RemoveTree(LiveWorkDir());
}

}  // namespace

GameHarness::GameHarness(const GameHarnessOptions& options) : realGl(options.realGl) {
  // Sound goes to OpenAL Soft's null driver unless the test chose another.
  if (!getenv("ALSOFT_DRIVERS")) host_SetEnvironment("ALSOFT_DRIVERS", "null");

  oldDir = vxtest::CurrentDir();
  workDir = vxtest::MakeTempDir("vx-game-");
  if (!workDir.empty() && !vxtest::ChangeDir(workDir)) workDir.clear();
  LiveWorkDir() = workDir;  // made before the exit hook, so it is still there when the hook runs
  static bool exitHook = atexit(RemoveLiveWorkDir) == 0;
  (void)exitHook;
  if (!options.state.empty()) WriteStateFile(options.state);

  if (realGl) {
    glfw2_SetBackend(nullptr);
  } else {
    glfw2null_Install();
    world().time = time;
  }
  glfwInit();
  host = new HarnessHost(options.dataDir.empty() ? GameDataDir() : options.dataDir);

  static bool collectorReady = false;
  if (!collectorReady) {
    gc_init();
    collectorReady = true;
  }
  rtInit();
  gc_mark_roots = HarnessRoots;
  gc_mark();
  rtMain();
  app = static_cast<c_MyApp*>(rt_app__app);

  host->SetGlfwWindow(options.width, options.height, 8, 8, 8, 0, 0, 0, false);
  // Without a GL context no texture may be made; surfaces keep their pixels only.
  if (!realGl) glfwGraphicsSeq = 0;
  host->StartGame();
  UseSharedAudio();
  if (!realGl) {
    gfx = new RecordingGraphics;
    gc_assign(rt_app__delegate->m__graphics, static_cast<gxtkGraphics*>(gfx));
    rt_graphics_SetGraphicsDevice(gfx);
  }
}

GameHarness::~GameHarness() {
  SilenceChannels(SharedAudio());
  glfwCloseWindow();
  if (!realGl) glfw2null_Uninstall();
  RtGame::_game = nullptr;
  RtGlfwGame::_glfwGame = nullptr;
  delete host;
  rt_app__app = nullptr;
  rt_app__delegate = nullptr;
  rt_graphics_device = nullptr;
  rt_graphics_renderDevice = nullptr;
  rt_input_device = nullptr;
  if (!oldDir.empty() && !vxtest::ChangeDir(oldDir)) perror("chdir");
  if (!workDir.empty()) vxtest::RemoveTree(workDir);
  LiveWorkDir().clear();
}

Glfw2NullWorld& GameHarness::world() { return glfw2null_World(); }

void GameHarness::Update() { host->UpdateGame(); }
void GameHarness::Render() {
  host->RenderGame();
  if (realGl) glfwSwapBuffers();
}

void GameHarness::Frame() {
  if (!realGl) {
    time += 1.0 / 60.0;
    world().time = time;
  }
  Update();
  Render();
}

void GameHarness::Frames(int n) {
  for (int i = 0; i < n; ++i) Frame();
}

bool GameHarness::FinishLoading(int limit) {
  for (int i = 0; i < limit; ++i) {
    if (app->m_ReloadPending == 0 && i > 0) return true;
    Frame();
  }
  return app->m_ReloadPending == 0;
}

void GameHarness::SetMillis(int ms) {
  time = (double(ms) + 0.25) / 1000.0;
  world().time = time;
}

void GameHarness::AdvanceMillis(int ms) { SetMillis(Millis() + ms); }

int GameHarness::Millis() { return host->Millisecs(); }

void GameHarness::Resize(int width, int height) {
  world().width = width;
  world().height = height;
}

void GameHarness::KeyDown(int code) { host->KeyEvent(kEventKeyDown, code); }
void GameHarness::KeyUp(int code) { host->KeyEvent(kEventKeyUp, code); }
void GameHarness::Char(int character) { host->KeyEvent(kEventKeyChar, character); }
void GameHarness::MouseMove(float x, float y) { host->MouseEvent(kEventMouseMove, -1, x, y); }
void GameHarness::MouseDown(float x, float y, int button) { host->MouseEvent(kEventMouseDown, button, x, y); }
void GameHarness::MouseUp(float x, float y, int button) { host->MouseEvent(kEventMouseUp, button, x, y); }
void GameHarness::Suspend() { host->SuspendGame(); }
void GameHarness::Resume() { host->ResumeGame(); }

void GameHarness::SetJoystick(int unit, float x, float y) {
  Glfw2NullJoystick& j = world().joysticks[unit];
  j.present = true;
  if (j.axisCount < 2) j.axisCount = 2;
  if (j.buttonCount < 16) j.buttonCount = 16;
  j.axes[0] = x;
  j.axes[1] = y;
}

void GameHarness::StartGame(int difficulty) {
  app->m_Difficulty = difficulty;
  app->m_GameMode = 11;
  Frame();
}

std::string GameHarness::StateFile() const { return vxtest::ReadWholeFile(workDir + "/.trazelstate"); }

void GameHarness::WriteStateFile(const std::string& contents) const {
  vxtest::WriteWholeFile(workDir + "/.trazelstate", contents);
}
