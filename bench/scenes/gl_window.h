// A hidden GLFW 3 window with a GL 1.x-compatible context for the renderer's tests and benchmarks.
// The renderer reads the window size through the host's 2.7-style API, so that query is pointed here.
#pragma once
#include <GLFW/glfw3.h>

#include "host/backend/glfw2_backend.h"
#include "host/host.h"  // glfwGraphicsSeq

namespace vxgl {

inline GLFWwindow*& Window() {
  static GLFWwindow* window = nullptr;
  return window;
}

inline void WindowSize(int* width, int* height) {
  int w = 0, h = 0;
  if (Window()) glfwGetFramebufferSize(Window(), &w, &h);
  if (width) *width = w;
  if (height) *height = h;
}

// Opens a window of the given size with a fresh GL context, replacing any earlier one, and moves
// glfwGraphicsSeq on as the host does; false when there is no display.
inline bool Reopen(int width, int height) {
  static bool initialised = false;
  // Without a display (no X server named by DISPLAY) glfwInit fails.
  if (!initialised) {
    if (!glfwInit()) return false;
    initialised = true;
  }
  if (Window()) {
    glfwDestroyWindow(Window());
    Window() = nullptr;
  }
  glfwDefaultWindowHints();
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
  Window() = glfwCreateWindow(width, height, "vx-gl", nullptr, nullptr);
  if (!Window()) return false;
  glfwMakeContextCurrent(Window());
  glfwSwapInterval(0);
  static Glfw2Backend backend = glfw2_Glfw3Backend();
  backend.GetWindowSize = WindowSize;
  glfw2_SetBackend(&backend);
  ++glfwGraphicsSeq;
  return true;
}

// The window, opened on first use.
inline bool Open(int width, int height) { return Window() ? true : Reopen(width, height); }

}  // namespace vxgl
