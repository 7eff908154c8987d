// The baseline the process figures are compared against: a bare 640 x 480 window, opened the way the
// game opens its own (GLFW 3, an OpenGL 1.x context), with the OpenAL device open, that clears and swaps
// 60 times a second until it is closed or F4 is pressed. Whatever the game's process costs beyond this
// program is the game's own share.
// It writes "first-frame <seconds>" (CLOCK_MONOTONIC, after the first swap) to the file named by
// VX_FIRST_FRAME_FILE when that is set, so a script can time its cold start the same way as the game's.
#include <AL/al.h>
#include <AL/alc.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double MonotonicSeconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

void NoteFirstFrame() {
  const char* path = std::getenv("VX_FIRST_FRAME_FILE");
  if (!path) return;
  if (FILE* f = std::fopen(path, "w")) {
    std::fprintf(f, "first-frame %.6f\n", MonotonicSeconds());
    std::fclose(f);
  }
}

}  // namespace

int main() {
  ALCdevice* device = alcOpenDevice(nullptr);
  ALCcontext* context = device ? alcCreateContext(device, nullptr) : nullptr;
  if (context) alcMakeContextCurrent(context);

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

  const double period = 1.0 / 60.0;
  double next = glfwGetTime();
  bool first = true;
  while (!glfwWindowShouldClose(window) && glfwGetKey(window, GLFW_KEY_F4) != GLFW_PRESS) {
    glClearColor(0.0f, 0.0f, 0.16f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(window);
    if (first) {
      NoteFirstFrame();
      first = false;
    }
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
