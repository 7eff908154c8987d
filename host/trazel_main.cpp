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
  rtFatalInit();  // from the start, a failure reaches the player the fatal way
  journal_StartFromEnvironment();  // VX_RECORD / VX_REPLAY: wraps the backend seam before anything uses it
  glfw2_ClearGlfw3Error();
  if (!glfwInit()) {
    // The fatal way, so that a player started from the desktop sees it too; GLFW's reason (usually no
    // display to open the window on) says what is missing.
    const char* reason = glfw2_LastGlfw3Error();
    char message[512];
    std::snprintf(message, sizeof message, "The window system could not be started (glfwInit failed%s%s).",
                  *reason ? ": " : "", reason);
    rtRuntimeError(message);
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
