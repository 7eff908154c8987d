// RtGame: the inert host base. Holds the delegate and the run flags, forwards host events to the delegate
// under their guards with a collection step after each, and dies on an uncaught exception.
#include <cstdlib>
#include <ctime>

#include "host/host.h"
#include "host/platform.h"

RtGame* RtGame::_game = nullptr;
int rt_argc = 0;
const char** rt_argv = nullptr;

RtGame::RtGame() : delegate(nullptr), keyboardEnabled(false), updateRate(0), started(false), suspended(false) {
  _game = this;
}

void RtGame::SetDelegate(RtGameDelegate* d) { delegate = d; }
RtGameDelegate* RtGame::Delegate() { return delegate; }
void RtGame::SetKeyboardEnabled(bool enabled) { keyboardEnabled = enabled; }
bool RtGame::KeyboardEnabled() { return keyboardEnabled; }
void RtGame::SetUpdateRate(int rate) { updateRate = rate; }
int RtGame::UpdateRate() { return updateRate; }
bool RtGame::Started() { return started; }
bool RtGame::Suspended() { return suspended; }
int RtGame::Millisecs() { return 0; }

void RtGame::GetDate(Array<int> date) {
  time_t now = time(nullptr);
  struct tm t;
  host_LocalTime(now, &t);
  const int parts[7] = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, 0};
  int n = date.Length() < 7 ? date.Length() : 7;
  for (int i = 0; i < n; ++i) date[i] = parts[i];
}

int RtGame::SaveState(String state) { (void)state; return -1; }
String RtGame::LoadState() { return String(); }

bool RtGame::PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz, Array<bool> buttons) {
  (void)port; (void)joyx; (void)joyy; (void)joyz; (void)buttons;
  return false;
}

void RtGame::OpenUrl(String url) { (void)url; }
void RtGame::SetMouseVisible(bool visible) { (void)visible; }
int RtGame::GetDeviceWidth() { return 0; }
int RtGame::GetDeviceHeight() { return 0; }
void RtGame::SetDeviceWindow(int width, int height, int flags) { (void)width; (void)height; (void)flags; }
Array<RtDisplayMode*> RtGame::GetDisplayModes() { return Array<RtDisplayMode*>(); }
RtDisplayMode* RtGame::GetDesktopMode() { return nullptr; }
void RtGame::SetSwapInterval(int interval) { (void)interval; }
String RtGame::PathToFilePath(String path) { return path; }

unsigned char* RtGame::LoadImageData(String path, int* width, int* height, int* depth) {
  (void)path; (void)width; (void)height; (void)depth;
  return nullptr;
}

unsigned char* RtGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
  (void)path; (void)length; (void)channels; (void)format; (void)hertz;
  return nullptr;
}

void RtGame::Die(ThrowableObject* ex) {
  (void)ex;  // the exception's contents are not shown
  rtPrintFatal(String("Trazel Runtime Error : Uncaught Trazel Exception"));
  exit(255);  // not -1: Windows keeps all 32 bits of the status, where POSIX systems keep the low 8
}

void RtGame::gc_collect() { gc_collect_step(delegate); }

// Each forwarding runs app code; an exception escaping it ends the program, and a collection step follows
// once the outermost forwarded call has returned.
#define RT_FORWARD(call)                 \
  do {                                   \
    ++forwarding;                        \
    try {                                \
      if (delegate) delegate->call;      \
    } catch (ThrowableObject * ex) {     \
      Die(ex);                           \
    }                                    \
    if (--forwarding == 0) gc_collect(); \
  } while (0)

void RtGame::StartGame() {
  if (started) return;
  started = true;
  RT_FORWARD(StartGame());
}

void RtGame::SuspendGame() {
  if (!started || suspended) return;
  suspended = true;
  RT_FORWARD(SuspendGame());
}

void RtGame::ResumeGame() {
  if (!started || !suspended) return;
  suspended = false;
  RT_FORWARD(ResumeGame());
}

void RtGame::UpdateGame() {
  if (!started || suspended) return;
  RT_FORWARD(UpdateGame());
}

void RtGame::RenderGame() {
  if (!started) return;
  RT_FORWARD(RenderGame());
}

void RtGame::KeyEvent(int event, int data) {
  if (!started) return;
  RT_FORWARD(KeyEvent(event, data));
}

void RtGame::MouseEvent(int event, int data, float x, float y) {
  if (!started) return;
  RT_FORWARD(MouseEvent(event, data, x, y));
}

void RtGame::TouchEvent(int event, int data, float x, float y) {
  if (!started) return;
  RT_FORWARD(TouchEvent(event, data, x, y));
}

void RtGame::MotionEvent(int event, int data, float x, float y, float z) {
  if (!started) return;
  RT_FORWARD(MotionEvent(event, data, x, y, z));
}

void RtGame::DiscardGraphics() {
  if (!started) return;
  RT_FORWARD(DiscardGraphics());
}
