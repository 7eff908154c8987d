// The replaying backend (see glfw2_replay.h). Events recorded before a call are delivered before it is
// answered; the three event-delivering calls deliver theirs up to the recorded end of events.
#include "host/journal/glfw2_replay.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/journal/journal.h"
#include "host/journal/journal_reader.h"

using namespace journal;

namespace {

const Glfw2Backend* g_inner = nullptr;
JournalReader* g_in = nullptr;
bool g_realWindow = false;
int g_frame = 1;

Glfw2KeyFun g_keyFun = nullptr;
Glfw2CharFun g_charFun = nullptr;
Glfw2MouseButtonFun g_mouseButtonFun = nullptr;
Glfw2MousePosFun g_mousePosFun = nullptr;
Glfw2WindowCloseFun g_windowCloseFun = nullptr;

JournalReader& R() { return *g_in; }
const Glfw2Backend& In() { return *g_inner; }

[[noreturn]] void Stop(int status, const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  fflush(stdout);
  fprintf(stderr, "Vextrallis replay: %s\n", text);
  fflush(stderr);
  std::_Exit(status);
}

#define DIVERGED(format, ...) \
  Stop(kReplayDiverged, "diverged in frame %d: " format, g_frame, __VA_ARGS__)

[[noreturn]] void RanOut(const char* asked) {
  Stop(kReplayCutShort,
       "the journal ends after frame %d, where the game asks for %s: the recorded run was cut short there "
       "(the replay matched it up to that point)",
       g_frame - 1, asked);
}

// Delivers the events recorded at this point through the game's callbacks.
void DeliverEvents() {
  while (IsEvent(R().PeekOp())) {
    const int op = R().Byte();
    int a = 0, b = 0;
    if (op != kEventWindowClose) {
      a = R().Int();
      b = R().Int();
    }
    // Each delivered event goes on to the next; one the game has no callback for falls through.
    switch (op) {
      case kEventKey:
        if (!g_keyFun) break;
        g_keyFun(a, b);
        continue;
      case kEventChar:
        if (!g_charFun) break;
        g_charFun(a, b);
        continue;
      case kEventMouseButton:
        if (!g_mouseButtonFun) break;
        g_mouseButtonFun(a, b);
        continue;
      case kEventMousePos:
        if (!g_mousePosFun) break;
        g_mousePosFun(a, b);
        continue;
      case kEventWindowClose:
        if (!g_windowCloseFun) break;
        g_windowCloseFun();
        continue;
    }
    DIVERGED("the journal has a %s, but the game has no callback for it", OpName(op));
  }
}

// The next record must be `op`: anything else means the game took another path than the recorded run.
void Expect(Op op) {
  DeliverEvents();
  const int next = R().PeekOp();
  if (next < 0) RanOut(OpName(op));
  if (next == kEnd) DIVERGED("the game calls %s after the recorded run ended", OpName(op));
  if (next != op) DIVERGED("the game calls %s where the journal has %s", OpName(op), OpName(next));
  R().Byte();
}

void Arg(Op op, int value) {
  const int recorded = R().Int();
  if (recorded != value) DIVERGED("the game calls %s with %d where the journal has %d", OpName(op), value, recorded);
}

int Answer() { return R().Int(); }

int Init() {
  Expect(kInit);
  const int result = Answer();
  if (In().Init() == 0 && result != 0) {
    Stop(kReplayBadJournal, "cannot open a window to show the replay in (VX_HEADLESS=1 replays without one)");
  }
  return result;
}
void Terminate() {
  Expect(kTerminate);
  In().Terminate();
}
int OpenWindow(int width, int height, int r, int g, int b, int a, int depth, int stencil, int mode) {
  Expect(kOpenWindow);
  for (int v : {width, height, r, g, b, a, depth, stencil, mode}) Arg(kOpenWindow, v);
  const int result = Answer();
  if (result != 0 && In().OpenWindow(width, height, r, g, b, a, depth, stencil, mode) == 0 && g_realWindow) {
    Stop(kReplayBadJournal, "cannot open a window to show the replay in");
  }
  return result;
}
void OpenWindowHint(int target, int hint) {
  Expect(kOpenWindowHint);
  Arg(kOpenWindowHint, target);
  Arg(kOpenWindowHint, hint);
  In().OpenWindowHint(target, hint);
}
void CloseWindow() {
  Expect(kCloseWindow);
  In().CloseWindow();
}
int GetWindowParam(int param) {
  Expect(kGetWindowParam);
  Arg(kGetWindowParam, param);
  return Answer();
}
void SetWindowTitle(const char* title) {
  Expect(kSetWindowTitle);
  const size_t length = title ? strnlen(title, kMaxText) : 0;
  const int n = R().Int();
  const uint8_t* recorded = R().Take(size_t(n));
  if (size_t(n) != length || !recorded || std::memcmp(recorded, title, length) != 0) {
    DIVERGED("the game sets another window title (\"%.64s\") than the journal has", title ? title : "");
  }
  In().SetWindowTitle(title);
}
void SetWindowPos(int x, int y) {
  Expect(kSetWindowPos);
  Arg(kSetWindowPos, x);
  Arg(kSetWindowPos, y);
  In().SetWindowPos(x, y);
}
void GetWindowSize(int* width, int* height) {
  Expect(kGetWindowSize);
  const int w = Answer(), h = Answer();
  if (width) *width = w;
  if (height) *height = h;
}

// Delivers the recorded events of one event-delivering call, up to its recorded end.
void EventsUntilDone(Op op) {
  DeliverEvents();
  const int next = R().PeekOp();
  if (next < 0) RanOut("the rest of its events");
  if (next != kEventsDone) {
    DIVERGED("the game's event callbacks asked for less during %s than recorded (the journal has %s next)",
             OpName(op), OpName(next));
  }
  R().Byte();
}
void SwapBuffers() {
  Expect(kSwapBuffers);
  const uint64_t recorded = R().U64();
  const uint64_t hash = journal_RunningHash();
  if (recorded != hash) {
    DIVERGED("the draw list differs from the recorded one (hash %016llx, recorded %016llx)",
             (unsigned long long)hash, (unsigned long long)recorded);
  }
  In().SwapBuffers();
  EventsUntilDone(kSwapBuffers);
  ++g_frame;
}
void PollEvents() {
  Expect(kPollEvents);
  In().PollEvents();  // keeps a real window answering its window system; its own events go nowhere
  EventsUntilDone(kPollEvents);
}
void WaitEvents() {
  Expect(kWaitEvents);
  In().PollEvents();  // the recorded events are at hand: nothing to wait for
  EventsUntilDone(kWaitEvents);
}
void SwapInterval(int interval) {
  Expect(kSwapInterval);
  Arg(kSwapInterval, interval);
  In().SwapInterval(interval);
}
void Enable(int token) {
  Expect(kEnable);
  Arg(kEnable, token);
  In().Enable(token);
}
void Disable(int token) {
  Expect(kDisable);
  Arg(kDisable, token);
  In().Disable(token);
}
int GetKey(int key) {
  Expect(kGetKey);
  Arg(kGetKey, key);
  return Answer();
}
int GetMouseButton(int button) {
  Expect(kGetMouseButton);
  Arg(kGetMouseButton, button);
  return Answer();
}
void GetMousePos(int* x, int* y) {
  Expect(kGetMousePos);
  const int mx = Answer(), my = Answer();
  if (x) *x = mx;
  if (y) *y = my;
}

// The game's callbacks are kept here and never reach the inner backend, whose own events are ignored.
template <class Fun>
void SetCallback(Op op, Fun fun, Fun& game) {
  Expect(op);
  Arg(op, fun != nullptr);
  game = fun;
}
void SetKeyCallback(Glfw2KeyFun f) { SetCallback(kSetKeyCallback, f, g_keyFun); }
void SetCharCallback(Glfw2CharFun f) { SetCallback(kSetCharCallback, f, g_charFun); }
void SetMouseButtonCallback(Glfw2MouseButtonFun f) { SetCallback(kSetMouseButtonCallback, f, g_mouseButtonFun); }
void SetMousePosCallback(Glfw2MousePosFun f) { SetCallback(kSetMousePosCallback, f, g_mousePosFun); }
void SetWindowCloseCallback(Glfw2WindowCloseFun f) { SetCallback(kSetWindowCloseCallback, f, g_windowCloseFun); }

int GetJoystickParam(int joy, int param) {
  Expect(kGetJoystickParam);
  Arg(kGetJoystickParam, joy);
  Arg(kGetJoystickParam, param);
  return Answer();
}
int GetJoystickPos(int joy, float* pos, int numAxes) {
  Expect(kGetJoystickPos);
  Arg(kGetJoystickPos, joy);
  const int n = KeptCount(pos, numAxes);
  Arg(kGetJoystickPos, n);
  const int result = Answer();  // 0..n, checked when the journal was opened
  for (int i = 0; i < n; ++i) pos[i] = R().F32();
  return result;
}
int GetJoystickButtons(int joy, unsigned char* buttons, int numButtons) {
  Expect(kGetJoystickButtons);
  Arg(kGetJoystickButtons, joy);
  const int n = KeptCount(buttons, numButtons);
  Arg(kGetJoystickButtons, n);
  const int result = Answer();
  const uint8_t* recorded = R().Take(size_t(n));
  if (n > 0 && recorded) std::memcpy(buttons, recorded, size_t(n));
  return result;
}
Glfw2VidMode ReadMode() {
  Glfw2VidMode m;
  m.Width = Answer();
  m.Height = Answer();
  m.RedBits = Answer();
  m.GreenBits = Answer();
  m.BlueBits = Answer();
  return m;
}
void GetDesktopMode(Glfw2VidMode* mode) {
  Expect(kGetDesktopMode);
  const Glfw2VidMode m = ReadMode();
  if (mode) *mode = m;
}
int GetVideoModes(Glfw2VidMode* list, int maxCount) {
  Expect(kGetVideoModes);
  Arg(kGetVideoModes, KeptCount(list, maxCount));
  const int result = Answer();  // at most the count just compared
  for (int i = 0; i < result; ++i) list[i] = ReadMode();
  return result;
}
double GetTime() {
  Expect(kGetTime);
  return R().F64();
}
void Sleep(double seconds) {
  Expect(kSleep);
  const double recorded = R().F64();
  if (std::memcmp(&recorded, &seconds, sizeof seconds) != 0) {
    DIVERGED("the game sleeps %.9f s where the journal has %.9f s", seconds, recorded);
  }
  In().Sleep(seconds);  // real time in a window, none on the null backend
}

const Glfw2Backend kReplayBackend = {GLFW2_BACKEND_FUNCTIONS};

}  // namespace

const Glfw2Backend& glfw2replay_Backend(const Glfw2Backend& inner, JournalReader& journal, bool realWindow) {
  g_inner = &inner;
  g_in = &journal;
  g_realWindow = realWindow;
  g_frame = 1;
  g_keyFun = nullptr;
  g_charFun = nullptr;
  g_mouseButtonFun = nullptr;
  g_mousePosFun = nullptr;
  g_windowCloseFun = nullptr;
  return kReplayBackend;
}

int glfw2replay_Frame() { return g_frame; }

bool glfw2replay_Active() { return &glfw2_CurrentBackend() == &kReplayBackend; }

int glfw2replay_SaveState(int (*save)(void* context), void* context) {
  Expect(kSaveState);
  const int recorded = Answer();
  if (recorded == 0) save(context);
  return recorded;
}

bool glfw2replay_CheckEnd() {
  const int next = R().PeekOp();
  if (next == kEnd || next < 0) return true;
  DIVERGED("the game ended, but the journal goes on with %s", OpName(next));
}
