// The host's public face: the one host object (window, main loop, files, state) and the delegate it drives.
// Everything above the host sees it only through these virtual operations and RtGameDelegate.
#pragma once
#include <cstdio>

#include "runtime/runtime.h"

// Host event codes, shared by the host, the app framework and the input device.
enum {
  kEventKeyDown = 1, kEventKeyUp = 2, kEventKeyChar = 3,
  kEventMouseDown = 4, kEventMouseUp = 5, kEventMouseMove = 6,
  kEventTouchDown = 7, kEventTouchUp = 8, kEventTouchMove = 9, kEventMotionAccel = 10,
};
// Runtime key code the host sends (down, then up) when the user closes the window.
enum { kKeyCloseRequest = 432, kKeyBack = 416 };

// Receiver of every host event; implemented by the app framework's c_GameDelegate.
struct RtGameDelegate : Object {
  virtual void StartGame() {}
  virtual void SuspendGame() {}
  virtual void ResumeGame() {}
  virtual void UpdateGame() {}
  virtual void RenderGame() {}
  virtual void KeyEvent(int event, int data) { (void)event; (void)data; }
  virtual void MouseEvent(int event, int data, float x, float y) { (void)event; (void)data; (void)x; (void)y; }
  virtual void TouchEvent(int event, int data, float x, float y) { (void)event; (void)data; (void)x; (void)y; }
  virtual void MotionEvent(int event, int data, float x, float y, float z) {
    (void)event; (void)data; (void)x; (void)y; (void)z;
  }
  virtual void DiscardGraphics() {}
};

// A display mode as the host reports it (the desktop host fills width and height only).
struct RtDisplayMode : Object {
  int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
};

// A GLFW video mode: size and colour bits.
struct RtGlfwVideoMode : Object {
  int width = 0, height = 0, red = 0, green = 0, blue = 0;
};

// Host base class: complete but inert (no window). Not collected; lives until the process ends.
// A sound file opened for decoding and the reader it needs.
struct RtAudioFile {
  enum Kind { None, Wav, Ogg };
  FILE* file = nullptr;
  Kind kind = None;
};

class RtGame {
 public:
  RtGame();
  virtual ~RtGame() {}

  virtual void SetDelegate(RtGameDelegate* delegate);
  virtual RtGameDelegate* Delegate();
  virtual void SetKeyboardEnabled(bool enabled);
  virtual bool KeyboardEnabled();
  virtual void SetUpdateRate(int rate);
  virtual int UpdateRate();
  virtual bool Started();
  virtual bool Suspended();
  virtual int Millisecs();
  // Fills up to 7 elements: year, month 1..12, day, hour, minute, second, 0 for milliseconds.
  virtual void GetDate(Array<int> date);
  virtual int SaveState(String state);       // 0 ok, -1 cannot open, -2 short write
  virtual String LoadState();                // the saved state, or the empty string
  virtual String LoadString(String path);    // whole file as a string, or the empty string
  virtual bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                            Array<bool> buttons);
  virtual void OpenUrl(String url);
  virtual void SetMouseVisible(bool visible);
  virtual int GetDeviceWidth();
  virtual int GetDeviceHeight();
  virtual void SetDeviceWindow(int width, int height, int flags);  // bit 0 of flags: full screen
  virtual Array<RtDisplayMode*> GetDisplayModes();
  virtual RtDisplayMode* GetDesktopMode();
  virtual void SetSwapInterval(int interval);
  virtual String PathToFilePath(String path);
  // A stdio stream for a runtime path, or null.
  virtual FILE* OpenFile(String path, String mode);
  // The whole file in a malloc'd block owned by the caller (size through `length`), or null.
  virtual unsigned char* LoadData(String path, int* length);
  // Decoded 8-bit pixels (malloc'd, caller owns) with the file's own channel count, or null.
  virtual unsigned char* LoadImageData(String path, int* width, int* height, int* depth);
  // Decoded 8- or 16-bit PCM (malloc'd, caller owns), or null.
  virtual unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz);
  // LoadAudioData in two halves, so that the decoding can run on another thread: the file opened by
  // its runtime path (file null when it cannot be opened or is of no known kind)...
  virtual RtAudioFile OpenAudioFile(String path);
  // ...and decoded and closed. This touches nothing of the runtime except the collector's atomic count
  // of outside memory, so any thread may run it.
  static unsigned char* DecodeAudioFile(RtAudioFile file, int* length, int* channels, int* format, int* hertz);
  [[noreturn]] virtual void Die(ThrowableObject* ex);
  virtual void gc_collect();

  // Guarded forwarding to the delegate; a collection step follows each call into app code, except a call
  // made from inside another (an update that re-opens the window releases the held keys): the objects
  // only the outer call's locals hold are not marked, so a step there could free them in use.
  virtual void StartGame();
  virtual void SuspendGame();
  virtual void ResumeGame();
  virtual void UpdateGame();
  virtual void RenderGame();
  virtual void KeyEvent(int event, int data);
  virtual void MouseEvent(int event, int data, float x, float y);
  virtual void TouchEvent(int event, int data, float x, float y);
  virtual void MotionEvent(int event, int data, float x, float y, float z);
  virtual void DiscardGraphics();

  static RtGame* _game;

 protected:
  RtGameDelegate* delegate;
  bool keyboardEnabled;
  int updateRate;
  bool started;
  bool suspended;
  int forwarding = 0;  // forwarded calls now running; a call made from inside another counts too
};

// The desktop host over GLFW (through the 2.7 adapter in host/backend/glfw2.h).
class RtGlfwGame : public RtGame {
 public:
  RtGlfwGame();

  void SetUpdateRate(int rate) override;
  int Millisecs() override;
  int SaveState(String state) override;
  String LoadState() override;
  bool PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                    Array<bool> buttons) override;
  void OpenUrl(String url) override;
  void SetMouseVisible(bool visible) override;
  int GetDeviceWidth() override;
  int GetDeviceHeight() override;
  void SetDeviceWindow(int width, int height, int flags) override;
  Array<RtDisplayMode*> GetDisplayModes() override;
  RtDisplayMode* GetDesktopMode() override;
  void SetSwapInterval(int interval) override;
  String PathToFilePath(String path) override;
  unsigned char* LoadImageData(String path, int* width, int* height, int* depth) override;
  unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) override;

  virtual void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth,
                             int stencil, bool fullscreen);
  virtual RtGlfwVideoMode* GetGlfwDesktopMode();
  virtual Array<RtGlfwVideoMode*> GetGlfwVideoModes();
  virtual void Run();
  // One pass of event processing and activation tracking (steps 3 and 4 of a frame).
  void UpdateEvents();
  // One frame of the main loop; Run repeats it while the window is open. Exposed for tests.
  void RunFrame();

  static RtGlfwGame* _glfwGame;

  // Scheduling state, readable by tests.
  double UpdatePeriod() const { return updatePeriod; }
  double NextUpdate() const { return nextUpdate; }

 protected:
  double updatePeriod;
  double nextUpdate;
  String appDirectory;
  String internalDirectory;
  int swapInterval;
};

// The program's host: supplies the process entry.
class RtTrazelGame : public RtGlfwGame {
 public:
  static int Main(int argc, const char** argv);
};

// Key translation between GLFW 2.7 key numbers and runtime key codes.
int TransKey(int glfwKey);
int KeyToChar(int key);

// Counter of OpenGL context generations: incremented each time the host opens a window.
extern int glfwGraphicsSeq;
extern int rt_argc;
extern const char** rt_argv;

// The translated program's global initialisation and main (defined with the game).
void rtInit();
int rtMain();
// Handler for fatal signals: maps the signal to a message for the runtime error routine.
void sighandle(int sig);
// Reads the debugger switch and installs sighandle for SIGSEGV, SIGILL and SIGFPE, on a stack of its own.
void InstallFatalSignalHandlers();
