// c_GameDelegate: creates the devices when the game starts and turns every host event into app calls and
// input-device updates, in a fixed order (so a key hit is seen by exactly the one update that follows it).
#include "app/app.h"
#include "audio/audio.h"
#include "graphics/graphics.h"
#include "input/input.h"

c_GameDelegate* c_GameDelegate::m_new() { return this; }

void c_GameDelegate::mark() {
  gc_mark(m__graphics);
  gc_mark(m__audio);
  gc_mark(m__input);
}

void c_GameDelegate::StartGame() {
  gc_assign(m__graphics, new gxtkGraphics);
  rt_graphics_SetGraphicsDevice(m__graphics);
  rt_graphics_SetFont(nullptr, 32);
  gc_assign(m__audio, new gxtkAudio);
  rt_audio_SetAudioDevice(m__audio);
  gc_assign(m__input, (new c_InputDevice)->m_new());
  rt_input_SetInputDevice(m__input);
  rt_app_ValidateDeviceWindow(false);
  rt_app_EnumDisplayModes();
  rt_app__app->p_OnCreate();
}

void c_GameDelegate::SuspendGame() {
  rt_app__app->p_OnSuspend();
  m__audio->Suspend();
}

void c_GameDelegate::ResumeGame() {
  m__audio->Resume();
  rt_app__app->p_OnResume();
}

void c_GameDelegate::UpdateGame() {
  rt_app_ValidateDeviceWindow(true);
  // A tune decoded meanwhile starts now, whatever the app asks of the sound in this update.
  if (m__audio) m__audio->FinishMusicDecode();
  m__input->p_BeginUpdate();
  rt_app__app->p_OnUpdate();
  m__input->p_EndUpdate();
}

void c_GameDelegate::RenderGame() {
  rt_app_ValidateDeviceWindow(true);
  int mode = m__graphics->BeginRender();
  if (mode == 0) {
    rt_app__app->p_OnRender();
    m__graphics->EndRender();
    return;
  }
  rt_graphics_BeginRender();
  // Mode 2 asks for the loading screen, which this app does not draw.
  if (mode != 2) rt_app__app->p_OnRender();
  rt_graphics_EndRender();
  m__graphics->EndRender();
}

void c_GameDelegate::KeyEvent(int event, int data) {
  if (event != kEventKeyDown && event != kEventKeyUp && event != kEventKeyChar) return;
  m__input->p_KeyEvent(event, data);
  if (event != kEventKeyDown) return;
  if (data == kKeyCloseRequest) {
    rt_app__app->p_OnClose();
  } else if (data == kKeyBack) {
    rt_app__app->p_OnBack();
  }
}

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) { m__input->p_MouseEvent(event, data, x, y); }

void c_GameDelegate::TouchEvent(int event, int data, float x, float y) { m__input->p_TouchEvent(event, data, x, y); }

void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
  m__input->p_MotionEvent(event, data, x, y, z);
}

void c_GameDelegate::DiscardGraphics() { m__graphics->DiscardGraphics(); }
