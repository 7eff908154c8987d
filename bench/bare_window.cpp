// The baseline the process figures are compared against: a bare 640 x 480 window, opened the way the
// game opens its own (GLFW 3, an OpenGL 1.x context), with the OpenAL device open, that clears and swaps
// 60 times a second until it is closed or F4 is pressed. Whatever the game's process costs beyond this
// program is the game's own share.
// With --first-frame it writes the CLOCK_MONOTONIC time (seconds) at which its first frame is drawn, just
// before the swap that shows it, on descriptor 3 and ends: bench_startup times the game's cold start to
// the same moment.
#include <AL/al.h>
#include <AL/alc.h>
#include <GLFW/glfw3.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

double MonotonicSeconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  const bool firstFrameOnly = argc > 1 && std::strcmp(argv[1], "--first-frame") == 0;
  if (!glfwInit()) return 1;
  // The game's window: a compatibility context, 8 bits per colour, no alpha, depth or stencil.
  glfwWindowHint(GLFW_RED_BITS, 8);
  glfwWindowHint(GLFW_GREEN_BITS, 8);
  glfwWindowHint(GLFW_BLUE_BITS, 8);
  glfwWindowHint(GLFW_ALPHA_BITS, 0);
  glfwWindowHint(GLFW_DEPTH_BITS, 0);
  glfwWindowHint(GLFW_STENCIL_BITS, 0);
  GLFWwindow* window = glfwCreateWindow(640, 480, "Vextrallis baseline", nullptr, nullptr);
  if (!window) return 1;
  glfwMakeContextCurrent(window);
  // The sound device opens after the window, as in the game.
  ALCdevice* device = alcOpenDevice(nullptr);
  ALCcontext* context = device ? alcCreateContext(device, nullptr) : nullptr;
  if (context) alcMakeContextCurrent(context);

  const double period = 1.0 / 60.0;
  double next = glfwGetTime();
  while (!glfwWindowShouldClose(window) && glfwGetKey(window, GLFW_KEY_F4) != GLFW_PRESS) {
    glClearColor(0.0f, 0.0f, 0.16f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (firstFrameOnly) {
      dprintf(3, "%.6f\n", MonotonicSeconds());
      glfwSwapBuffers(window);
      _exit(0);  // as the timed game child ends: no clean-up
    }
    glfwSwapBuffers(window);
    glfwPollEvents();
    next += period;
    double now = glfwGetTime();
    if (next < now) next = now;  // fell behind: pace from now instead of catching up
    // Events arriving early wake the wait; the frame still waits for its time.
    while ((now = glfwGetTime()) < next) glfwWaitEventsTimeout(next - now);
  }

  glfwDestroyWindow(window);
  glfwTerminate();
  if (context) {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
  }
  if (device) alcCloseDevice(device);
  return 0;
}
