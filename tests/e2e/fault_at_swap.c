/* Preloaded into the game by the end-to-end cases to make a fatal fault at a known point of a frame: the
   buffer swap numbered VX_FAULT_AT_SWAP (counting every swap since the start) writes "fault at swap N" to
   standard error and raises SIGSEGV inside the swap, after the game has updated and drawn that frame.
   Every other swap goes to the real GLFW. A replay in a window swaps once per recorded frame, so the same
   number faults the replay in the same frame. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

typedef struct GLFWwindow GLFWwindow;

void glfwSwapBuffers(GLFWwindow* window) {
  static void (*real)(GLFWwindow*);
  static long swaps;
  if (!real) *(void**)&real = dlsym(RTLD_NEXT, "glfwSwapBuffers");
  const char* at = getenv("VX_FAULT_AT_SWAP");
  if (at && ++swaps == atol(at)) {
    char line[64];
    int n = snprintf(line, sizeof line, "fault at swap %ld\n", swaps);
    if (write(2, line, (size_t)n) < 0) abort();
    raise(SIGSEGV);
  }
  real(window);
}
