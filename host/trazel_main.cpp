// The program's whole life: start GLFW, create the host, initialise the collector and the program's
// globals, construct the app, run the main loop.
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "host/backend/glfw2.h"
#include "host/backend/glfw2_adapter.h"
#include "host/host.h"
#include "host/journal/journal.h"

int RtTrazelGame::Main(int argc, const char** argv) {
  journal_StartFromEnvironment();  // VX_RECORD / VX_REPLAY: wraps the backend seam before anything uses it
  if (!glfwInit()) {
    puts("glfwInit failed");
    fflush(stdout);
    // The reason (usually no display to open the window on) helps whoever started the game.
    const char* reason = glfw2_LastGlfw3Error();
    fprintf(stderr, "Vextrallis cannot open its window: %s\n", reason && *reason ? reason : "no window system");
    exit(255);
  }
  RtTrazelGame* game = new RtTrazelGame();
  try {
    rt_argc = argc;
    rt_argv = argv;
    InstallFatalSignalHandlers();
    if (!setlocale(LC_CTYPE, "en_US.UTF-8")) setlocale(LC_CTYPE, "");
    gc_init();
    rtInit();
    gc_mark();
    rtMain();
  } catch (ThrowableObject* ex) {
    glfwTerminate();
    game->Die(ex);
  }
  if (game->Delegate()) game->Run();
  glfwTerminate();
  return 0;
}
