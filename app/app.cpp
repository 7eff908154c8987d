// c_App, its registration with the host, and the rt_app_ module functions.
#include "app/app.h"

c_App* rt_app__app = nullptr;
c_GameDelegate* rt_app__delegate = nullptr;
RtGame* rt_app__game = nullptr;
int rt_app__updateRate = 0;
int rt_app__devWidth = 0;
int rt_app__devHeight = 0;
Array<c_DisplayMode*> rt_app__displayModes;
c_DisplayMode* rt_app__desktopMode = nullptr;

c_App* c_App::m_new() {
  if (rt_app__app) rtError(String("App has already been created"));
  gc_assign(rt_app__app, this);
  gc_assign(rt_app__delegate, (new c_GameDelegate)->m_new());
  rt_app__game->SetDelegate(rt_app__delegate);
  return this;
}

void c_App::mark() {}

int c_App::p_OnCreate() { return 0; }
int c_App::p_OnSuspend() { return 0; }
int c_App::p_OnResume() { return 0; }
int c_App::p_OnUpdate() { return 0; }
int c_App::p_OnRender() { return 0; }
int c_App::p_OnResize() { return 0; }
int c_App::p_OnLoading() { return 0; }
int c_App::p_OnClose() {
  rt_app_EndApp();
}
int c_App::p_OnBack() {
  rt_app_EndApp();
}

int rt_app_SetUpdateRate(int rate) {
  rt_app__updateRate = rate;
  rt_app__game->SetUpdateRate(rate);
  return 0;
}

int rt_app_UpdateRate() { return rt_app__updateRate; }
int rt_app_Millisecs() { return rt_app__game->Millisecs(); }
int rt_app_DeviceWidth() { return rt_app__devWidth; }
int rt_app_DeviceHeight() { return rt_app__devHeight; }

int rt_app_ValidateDeviceWindow(bool notifyResize) {
  (void)notifyResize;  // this host has no resize hook to call
  int width = rt_app__game->GetDeviceWidth();
  int height = rt_app__game->GetDeviceHeight();
  if (width != rt_app__devWidth || height != rt_app__devHeight) {
    rt_app__devWidth = width;
    rt_app__devHeight = height;
  }
  return 0;
}

int rt_app_SaveState(String state) { return rt_app__game->SaveState(state); }

String rt_app_LoadState() { return rt_app__game->LoadState(); }

void rt_app_EndApp() { rtError(String()); }
