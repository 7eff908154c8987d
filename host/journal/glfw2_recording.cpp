// The recording backend (see glfw2_recording.h). Each call is written after the inner backend answered,
// so a callback the inner call ran comes first in the journal, as it came first for the game; the three
// event-delivering calls are written before, their events inside, and a close after.
#include "host/journal/glfw2_recording.h"

#include "host/journal/journal.h"
#include "host/journal/journal_format.h"
#include "host/journal/journal_writer.h"

using namespace journal;

namespace {

const Glfw2Backend* g_inner = nullptr;
JournalWriter* g_out = nullptr;

// The game's callbacks; the inner backend gets the recorder's own, which write the event first.
Glfw2KeyFun g_keyFun = nullptr;
Glfw2CharFun g_charFun = nullptr;
Glfw2MouseButtonFun g_mouseButtonFun = nullptr;
Glfw2MousePosFun g_mousePosFun = nullptr;
Glfw2WindowCloseFun g_windowCloseFun = nullptr;

JournalWriter& Out() { return *g_out; }
const Glfw2Backend& In() { return *g_inner; }

void OnKey(int key, int action) {
  Out().Byte(kEventKey);
  Out().Int(key);
  Out().Int(action);
  g_keyFun(key, action);
}
void OnChar(int character, int action) {
  Out().Byte(kEventChar);
  Out().Int(character);
  Out().Int(action);
  g_charFun(character, action);
}
void OnMouseButton(int button, int action) {
  Out().Byte(kEventMouseButton);
  Out().Int(button);
  Out().Int(action);
  g_mouseButtonFun(button, action);
}
void OnMousePos(int x, int y) {
  Out().Byte(kEventMousePos);
  Out().Int(x);
  Out().Int(y);
  g_mousePosFun(x, y);
}
int OnWindowClose() {
  Out().Byte(kEventWindowClose);
  return g_windowCloseFun();
}

int Init() {
  int result = In().Init();
  Out().Byte(kInit);
  Out().Int(result);
  return result;
}
void Terminate() {
  In().Terminate();
  Out().Byte(kTerminate);
}
int OpenWindow(int width, int height, int r, int g, int b, int a, int depth, int stencil, int mode) {
  int result = In().OpenWindow(width, height, r, g, b, a, depth, stencil, mode);
  Out().Byte(kOpenWindow);
  for (int v : {width, height, r, g, b, a, depth, stencil, mode, result}) Out().Int(v);
  return result;
}
void OpenWindowHint(int target, int hint) {
  In().OpenWindowHint(target, hint);
  Out().Byte(kOpenWindowHint);
  Out().Int(target);
  Out().Int(hint);
}
void CloseWindow() {
  In().CloseWindow();
  Out().Byte(kCloseWindow);
}
int GetWindowParam(int param) {
  int value = In().GetWindowParam(param);
  Out().Byte(kGetWindowParam);
  Out().Int(param);
  Out().Int(value);
  return value;
}
void SetWindowTitle(const char* title) {
  In().SetWindowTitle(title);
  size_t n = 0;
  while (title && title[n] && n < kMaxText) ++n;
  Out().Byte(kSetWindowTitle);
  Out().Int(int(n));
  Out().Bytes(title, n);
}
void SetWindowPos(int x, int y) {
  In().SetWindowPos(x, y);
  Out().Byte(kSetWindowPos);
  Out().Int(x);
  Out().Int(y);
}
void GetWindowSize(int* width, int* height) {
  int w = 0, h = 0;
  In().GetWindowSize(&w, &h);
  Out().Byte(kGetWindowSize);
  Out().Int(w);
  Out().Int(h);
  if (width) *width = w;
  if (height) *height = h;
}

// The three calls that deliver events: opened before the inner call, closed after it.
void Delivering(Op op, void (*inner)()) {
  Out().Byte(op);
  inner();
  Out().Byte(kEventsDone);
}
void SwapBuffers() {
  Out().Byte(kSwapBuffers);
  Out().U64(journal_RunningHash());
  In().SwapBuffers();
  Out().Byte(kEventsDone);
  Out().Flush();  // the frame is whole: hand it to the system
}
void PollEvents() { Delivering(kPollEvents, In().PollEvents); }
void WaitEvents() { Delivering(kWaitEvents, In().WaitEvents); }

void SwapInterval(int interval) {
  In().SwapInterval(interval);
  Out().Byte(kSwapInterval);
  Out().Int(interval);
}
void Enable(int token) {
  In().Enable(token);
  Out().Byte(kEnable);
  Out().Int(token);
}
void Disable(int token) {
  In().Disable(token);
  Out().Byte(kDisable);
  Out().Int(token);
}
int GetKey(int key) {
  int state = In().GetKey(key);
  Out().Byte(kGetKey);
  Out().Int(key);
  Out().Int(state);
  return state;
}
int GetMouseButton(int button) {
  int state = In().GetMouseButton(button);
  Out().Byte(kGetMouseButton);
  Out().Int(button);
  Out().Int(state);
  return state;
}
void GetMousePos(int* x, int* y) {
  int mx = 0, my = 0;
  In().GetMousePos(&mx, &my);
  Out().Byte(kGetMousePos);
  Out().Int(mx);
  Out().Int(my);
  if (x) *x = mx;
  if (y) *y = my;
}

template <class Fun, class Own>
void SetCallback(Op op, Fun fun, Fun& game, void (*innerSet)(Fun), Own own) {
  game = fun;
  innerSet(fun ? own : nullptr);
  Out().Byte(op);
  Out().Int(fun != nullptr);
}
void SetKeyCallback(Glfw2KeyFun f) { SetCallback(kSetKeyCallback, f, g_keyFun, In().SetKeyCallback, OnKey); }
void SetCharCallback(Glfw2CharFun f) { SetCallback(kSetCharCallback, f, g_charFun, In().SetCharCallback, OnChar); }
void SetMouseButtonCallback(Glfw2MouseButtonFun f) {
  SetCallback(kSetMouseButtonCallback, f, g_mouseButtonFun, In().SetMouseButtonCallback, OnMouseButton);
}
void SetMousePosCallback(Glfw2MousePosFun f) {
  SetCallback(kSetMousePosCallback, f, g_mousePosFun, In().SetMousePosCallback, OnMousePos);
}
void SetWindowCloseCallback(Glfw2WindowCloseFun f) {
  SetCallback(kSetWindowCloseCallback, f, g_windowCloseFun, In().SetWindowCloseCallback, OnWindowClose);
}

int GetJoystickParam(int joy, int param) {
  int value = In().GetJoystickParam(joy, param);
  Out().Byte(kGetJoystickParam);
  Out().Int(joy);
  Out().Int(param);
  Out().Int(value);
  return value;
}
int Clamp(int n, int hi) { return n < 0 ? 0 : (n > hi ? hi : n); }
int GetJoystickPos(int joy, float* pos, int numAxes) {
  int result = In().GetJoystickPos(joy, pos, numAxes);
  int n = KeptCount(pos, numAxes);
  Out().Byte(kGetJoystickPos);
  Out().Int(joy);
  Out().Int(n);
  Out().Int(Clamp(result, n));
  for (int i = 0; i < n; ++i) Out().F32(pos[i]);
  return result;
}
int GetJoystickButtons(int joy, unsigned char* buttons, int numButtons) {
  int result = In().GetJoystickButtons(joy, buttons, numButtons);
  int n = KeptCount(buttons, numButtons);
  Out().Byte(kGetJoystickButtons);
  Out().Int(joy);
  Out().Int(n);
  Out().Int(Clamp(result, n));
  Out().Bytes(buttons, size_t(n));
  return result;
}
void WriteMode(const Glfw2VidMode& m) {
  for (int v : {m.Width, m.Height, m.RedBits, m.GreenBits, m.BlueBits}) Out().Int(v);
}
void GetDesktopMode(Glfw2VidMode* mode) {
  Glfw2VidMode m{};
  In().GetDesktopMode(&m);
  Out().Byte(kGetDesktopMode);
  WriteMode(m);
  if (mode) *mode = m;
}
int GetVideoModes(Glfw2VidMode* list, int maxCount) {
  int result = In().GetVideoModes(list, maxCount);
  int n = KeptCount(list, maxCount);
  result = Clamp(result, n);
  Out().Byte(kGetVideoModes);
  Out().Int(n);
  Out().Int(result);
  for (int i = 0; i < result; ++i) WriteMode(list[i]);
  return result;
}
double GetTime() {
  double t = In().GetTime();
  Out().Byte(kGetTime);
  Out().F64(t);
  return t;
}
void Sleep(double seconds) {
  In().Sleep(seconds);
  Out().Byte(kSleep);
  Out().F64(seconds);
}

const Glfw2Backend kRecordingBackend = {GLFW2_BACKEND_FUNCTIONS};

}  // namespace

const Glfw2Backend& glfw2rec_Backend(const Glfw2Backend& inner, JournalWriter& journal) {
  g_inner = &inner;
  g_out = &journal;
  return kRecordingBackend;
}

bool glfw2rec_Active() { return &glfw2_CurrentBackend() == &kRecordingBackend; }

int glfw2rec_SaveState(int (*save)(void* context), void* context) {
  const int result = save(context);
  Out().Byte(kSaveState);
  Out().Int(result);
  return result;
}
