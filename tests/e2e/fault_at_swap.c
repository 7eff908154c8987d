/* Preloaded into the game by the end-to-end cases to make a fatal fault at a known point of a frame:
   once the file named by VX_FAULT_WHEN exists, the next buffer swap writes "fault at swap N" (N counting
   every swap since the start) to standard error and raises SIGSEGV inside the swap, after the game has
   updated and drawn that frame. Every other swap goes to the real GLFW. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

typedef struct GLFWwindow GLFWwindow;

void glfwSwapBuffers(GLFWwindow* window) {
  static void (*real)(GLFWwindow*);
  static long swaps;
  if (!real) *(void**)&real = dlsym(RTLD_NEXT, "glfwSwapBuffers");
  ++swaps;
  const char* when = getenv("VX_FAULT_WHEN");
  if (when && access(when, F_OK) == 0) {
    char line[64];
    int n = snprintf(line, sizeof line, "fault at swap %ld\n", swaps);
    if (write(2, line, (size_t)n) < 0) abort();
    raise(SIGSEGV);
  }
  real(window);
}
