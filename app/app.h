// The app framework's public face: c_App (the game derives from it), the delegate that turns host events
// into app calls and input updates, the rt_app_ module, display modes and data paths.
#pragma once
#include "app/display_mode.h"
#include "host/host.h"
#include "runtime/runtime.h"

class gxtkGraphics;
class gxtkAudio;
struct c_InputDevice;

// Base of the game's application object. The hooks return 0; the game overrides the five virtual ones.
class c_App : public Object {
 public:
  // Registers this app and its delegate with the host; a second app is a runtime error.
  c_App* m_new();
  void mark() override;

  virtual int p_OnCreate();
  virtual int p_OnSuspend();
  virtual int p_OnResume();
  virtual int p_OnUpdate();
  virtual int p_OnRender();
  // Not called on the desktop host.
  int p_OnResize();
  int p_OnLoading();
  // The close key (window close button) and the back key both end the app.
  int p_OnClose();
  int p_OnBack();
};

// Receives every host event: creates the devices when the game starts, brackets each app update with the
// input device's begin and end, and sends key, mouse, touch and motion events to the input device.
class c_GameDelegate : public RtGameDelegate {
 public:
  gxtkGraphics* m__graphics = nullptr;
  gxtkAudio* m__audio = nullptr;
  c_InputDevice* m__input = nullptr;

  c_GameDelegate* m_new();
  void mark() override;

  void StartGame() override;
  void SuspendGame() override;
  void ResumeGame() override;
  void UpdateGame() override;
  void RenderGame() override;
  void KeyEvent(int event, int data) override;
  void MouseEvent(int event, int data, float x, float y) override;
  void TouchEvent(int event, int data, float x, float y) override;
  void MotionEvent(int event, int data, float x, float y, float z) override;
  void DiscardGraphics() override;
};

// App module globals (rtInit gives them their first values; the program's root marking marks them).
extern c_App* rt_app__app;                      // the one app; null until it registers
extern c_GameDelegate* rt_app__delegate;        // created at registration
extern RtGame* rt_app__game;                    // the host
extern int rt_app__updateRate;                  // last rate passed to rt_app_SetUpdateRate
extern int rt_app__devWidth, rt_app__devHeight;  // window size as last validated
extern Array<c_DisplayMode*> rt_app__displayModes;  // distinct sizes in order of first appearance
extern c_DisplayMode* rt_app__desktopMode;      // the desktop's size (or the window's without one)

// Stores the rate and passes it to the host (0: one update per rendered frame).
int rt_app_SetUpdateRate(int rate);
int rt_app_UpdateRate();
// Milliseconds since the host's clock started.
int rt_app_Millisecs();
int rt_app_DeviceWidth();
int rt_app_DeviceHeight();
// Re-reads the window size from the host into rt_app__devWidth / rt_app__devHeight.
int rt_app_ValidateDeviceWindow(bool notifyResize);
// Fills rt_app__displayModes with the host's distinct mode sizes, and rt_app__desktopMode.
int rt_app_EnumDisplayModes();
Array<c_DisplayMode*> rt_app_DisplayModes();
c_DisplayMode* rt_app_DesktopMode();
// Stores the state string in the state file; the host's result: 0 when it was stored, negative when not
// (the state file then keeps what it held before).
int rt_app_SaveState(String state);
// The saved state string, or the empty string.
String rt_app_LoadState();
// Ends the process at once with status 0; nothing is saved or closed first.
[[noreturn]] void rt_app_EndApp();

// A runtime path for an asset name: plain names go to the data folder beside the program; absolute
// names (a drive or scheme such as "trazel://", "./", "/") are kept.
String rt_data_FixDataPath(String path);
