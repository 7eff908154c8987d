// The host's lists of display modes: every video mode GLFW reports (at most 1024) and the desktop's mode.
#include "host/backend/glfw2.h"
#include "host/host.h"

namespace {
const int kMaxVideoModes = 1024;
GLFWvidmode modes[kMaxVideoModes];

// Fills `modes` and returns how many there are.
int ReadVideoModes() {
  int n = glfwGetVideoModes(modes, kMaxVideoModes);
  return n < 0 ? 0 : n > kMaxVideoModes ? kMaxVideoModes : n;
}
}  // namespace

RtGlfwVideoMode* RtGlfwGame::GetGlfwDesktopMode() {
  GLFWvidmode mode = {};
  glfwGetDesktopMode(&mode);
  RtGlfwVideoMode* m = new RtGlfwVideoMode;
  m->width = mode.Width;
  m->height = mode.Height;
  m->red = mode.RedBits;
  m->green = mode.GreenBits;
  m->blue = mode.BlueBits;
  return m;
}

Array<RtGlfwVideoMode*> RtGlfwGame::GetGlfwVideoModes() {
  int n = ReadVideoModes();
  Array<RtGlfwVideoMode*> list(n);
  for (int i = 0; i < n; ++i) {
    RtGlfwVideoMode* m = new RtGlfwVideoMode;
    m->width = modes[i].Width;
    m->height = modes[i].Height;
    m->red = modes[i].RedBits;
    m->green = modes[i].GreenBits;
    m->blue = modes[i].BlueBits;
    gc_assign(list[i], m);
  }
  return list;
}

Array<RtDisplayMode*> RtGlfwGame::GetDisplayModes() {
  int n = ReadVideoModes();
  Array<RtDisplayMode*> list(n);
  for (int i = 0; i < n; ++i) {
    RtDisplayMode* m = new RtDisplayMode;
    m->width = modes[i].Width;
    m->height = modes[i].Height;
    gc_assign(list[i], m);
  }
  return list;
}

RtDisplayMode* RtGlfwGame::GetDesktopMode() {
  RtGlfwVideoMode* desktop = GetGlfwDesktopMode();
  // Without a monitor there is no desktop mode; the app then uses the window's size.
  if (desktop->width <= 0 || desktop->height <= 0) return nullptr;
  RtDisplayMode* m = new RtDisplayMode;
  m->width = desktop->width;
  m->height = desktop->height;
  return m;
}
