// c_DisplayMode and the module's list of distinct display modes.
#include "app/app.h"

c_DisplayMode* c_DisplayMode::m_new(int width, int height) {
  m__width = width;
  m__height = height;
  return this;
}

c_DisplayMode* c_DisplayMode::m_new2() { return this; }
int c_DisplayMode::p_Width() { return m__width; }
int c_DisplayMode::p_Height() { return m__height; }

int rt_app_EnumDisplayModes() {
  Array<RtDisplayMode*> modes = rt_app__game->GetDisplayModes();
  c_IntMap* seen = (new c_IntMap)->m_new();
  c_Stack* list = (new c_Stack)->m_new();
  for (int i = 0; i < modes.Length(); ++i) {
    int width = modes[i]->width, height = modes[i]->height;
    // One key per size: modes that differ only in depth or refresh rate collapse into the first.
    int key = int((unsigned(width) << 16) | unsigned(height));
    if (seen->p_Contains(key)) continue;
    c_DisplayMode* mode = (new c_DisplayMode)->m_new(width, height);
    seen->p_Insert(key, mode);
    list->p_Push(mode);
  }
  gc_assign(rt_app__displayModes, list->p_ToArray());
  RtDisplayMode* desktop = rt_app__game->GetDesktopMode();
  if (desktop) {
    gc_assign(rt_app__desktopMode, (new c_DisplayMode)->m_new(desktop->width, desktop->height));
  } else {
    gc_assign(rt_app__desktopMode, (new c_DisplayMode)->m_new(rt_app__devWidth, rt_app__devHeight));
  }
  return 0;
}

Array<c_DisplayMode*> rt_app_DisplayModes() { return rt_app__displayModes; }
c_DisplayMode* rt_app_DesktopMode() { return rt_app__desktopMode; }
