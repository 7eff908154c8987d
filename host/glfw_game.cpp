// RtGlfwGame: the desktop host over the GLFW 2.7-style API. Opens the window, turns GLFW callbacks into
// host events and runs the main loop with its fixed-rate updates, catch-up limit and suspend handling.
// Once a thread has taken the fatal path no game code runs again: the loop and every callback ask
// rtFatalCheckpoint first (the window still delivers input while a fatal message box shows).
#include <cstdio>
#include <cstring>

#include "host/backend/glfw2.h"
#include "host/backend/glfw2_adapter.h"
#include "host/host.h"
#include "host/stats_line.h"

RtGlfwGame* RtGlfwGame::_glfwGame = nullptr;
int glfwGraphicsSeq = 0;

namespace {

// At most this many updates run per rendered frame; a longer backlog is dropped.
const int kMaxCatchUpUpdates = 4;

void OnKey(int key, int action) {
  if (rtFatalCheckpoint()) return;
  int code = TransKey(key);
  if (code == 0) return;
  RtGlfwGame* game = RtGlfwGame::_glfwGame;
  if (action == GLFW_RELEASE) {
    game->KeyEvent(kEventKeyUp, code);
  } else if (action == GLFW_PRESS) {
    game->KeyEvent(kEventKeyDown, code);
    // Control keys (backspace, enter, cursor keys...) get their character here; printable ones via OnChar.
    int chr = KeyToChar(code);
    if (chr != 0) game->KeyEvent(kEventKeyChar, chr);
  }
}

void OnChar(int chr, int action) {
  if (rtFatalCheckpoint()) return;
  if (action == GLFW_PRESS) RtGlfwGame::_glfwGame->KeyEvent(kEventKeyChar, chr);
}

void OnMouseButton(int button, int action) {
  if (rtFatalCheckpoint()) return;
  if (button < 0 || button > 2) return;
  int x, y;
  glfwGetMousePos(&x, &y);
  RtGlfwGame* game = RtGlfwGame::_glfwGame;
  if (action == GLFW_PRESS) {
    game->MouseEvent(kEventMouseDown, button, float(x), float(y));
  } else if (action == GLFW_RELEASE) {
    game->MouseEvent(kEventMouseUp, button, float(x), float(y));
  }
}

void OnMousePos(int x, int y) {
  if (rtFatalCheckpoint()) return;
  RtGlfwGame::_glfwGame->MouseEvent(kEventMouseMove, -1, float(x), float(y));
}

// The close button becomes the close key; the window stays open and the app decides.
int OnWindowClose() {
  if (rtFatalCheckpoint()) return 0;
  RtGlfwGame* game = RtGlfwGame::_glfwGame;
  game->KeyEvent(kEventKeyDown, kKeyCloseRequest);
  game->KeyEvent(kEventKeyUp, kKeyCloseRequest);
  return 0;
}

// A window that cannot be opened ends the game the fatal way, with GLFW's reason. A system without a usable
// OpenGL driver is the usual cause on Windows (GLFW refuses the software-only pixel formats of a PC or
// virtual machine with no 3D driver): the player is told what it needs.
[[noreturn]] void WindowFailed() {
  char reason[256];
  std::snprintf(reason, sizeof reason, "%s", glfw2_LastGlfw3Error());
  // Without the line end and full stop a system's own message may come with.
  for (size_t n = std::strlen(reason); n > 0 && std::strchr(" .\r\n", reason[n - 1]); --n) reason[n - 1] = 0;
  char message[512];
  std::snprintf(message, sizeof message, "The game window could not be opened%s%s%s.%s", *reason ? " (" : "",
                reason, *reason ? ")" : "",
                glfw2_LastGlfw3ErrorIsOpenGL() ? " This PC needs a graphics driver with OpenGL." : "");
  rtRuntimeError(message);
}

}  // namespace

RtGlfwGame::RtGlfwGame() : updatePeriod(0.0), nextUpdate(0.0), swapInterval(1) { _glfwGame = this; }

void RtGlfwGame::SetUpdateRate(int rate) {
  updateRate = rate;
  if (rate != 0) updatePeriod = 1.0 / rate;
  nextUpdate = 0.0;
}

int RtGlfwGame::Millisecs() { return int(glfwGetTime() * 1000.0); }

void RtGlfwGame::SetMouseVisible(bool visible) {
  if (visible) {
    glfwEnable(GLFW_MOUSE_CURSOR);
  } else {
    glfwDisable(GLFW_MOUSE_CURSOR);
  }
}

int RtGlfwGame::GetDeviceWidth() {
  int width = 0, height = 0;
  glfwGetWindowSize(&width, &height);
  return width;
}

int RtGlfwGame::GetDeviceHeight() {
  int width = 0, height = 0;
  glfwGetWindowSize(&width, &height);
  return height;
}

void RtGlfwGame::SetDeviceWindow(int width, int height, int flags) {
  SetGlfwWindow(width, height, 8, 8, 8, 0, 0, 0, (flags & 1) != 0);
}

void RtGlfwGame::SetSwapInterval(int interval) {
  swapInterval = interval;
  if (interval >= 0) glfwSwapInterval(interval);
}

void RtGlfwGame::SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth,
                               int stencil, bool fullscreen) {
  // Keys held while the window is re-created would otherwise stay down for ever.
  for (int key = 0; key <= GLFW_KEY_LAST; ++key) {
    int code = TransKey(key);
    if (code != 0 && glfwGetKey(key) == GLFW_PRESS) KeyEvent(kEventKeyUp, code);
  }

  GLFWvidmode desktop = {};
  glfwGetDesktopMode(&desktop);
  glfwCloseWindow();

  glfwOpenWindowHint(GLFW_REFRESH_RATE, 60);
  glfwOpenWindowHint(GLFW_WINDOW_NO_RESIZE, 0);
  glfw2_ClearGlfw3Error();
  if (fullscreen) {
    if (!glfwOpenWindow(width, height, red, green, blue, alpha, depth, stencil, GLFW_FULLSCREEN)) WindowFailed();
    ++glfwGraphicsSeq;
  } else {
    if (!glfwOpenWindow(width, height, red, green, blue, alpha, depth, stencil, GLFW_WINDOW)) WindowFailed();
    ++glfwGraphicsSeq;
    // On a monitor of more pixels per inch the window opens larger than asked: centre the size it has.
    // The desktop is the monitor the game is on, and the position is relative to it.
    int openWidth = width, openHeight = height;
    glfwGetWindowSize(&openWidth, &openHeight);
    glfwSetWindowPos((desktop.Width - openWidth) / 2, (desktop.Height - openHeight) / 2);
    glfwSetWindowTitle("Vextrallis");
  }

  if (swapInterval >= 0) glfwSwapInterval(swapInterval);
  glfwEnable(GLFW_KEY_REPEAT);
  glfwDisable(GLFW_AUTO_POLL_EVENTS);  // events arrive only in the loop's poll or wait

  glfwSetKeyCallback(OnKey);
  glfwSetCharCallback(OnChar);
  glfwSetMouseButtonCallback(OnMouseButton);
  glfwSetMousePosCallback(OnMousePos);
  glfwSetWindowCloseCallback(OnWindowClose);
}

void RtGlfwGame::UpdateEvents() {
  // A suspended game has nothing to do until something happens.
  if (suspended) {
    glfwWaitEvents();
  } else {
    glfwPollEvents();
  }
  if (rtFatalCheckpoint()) return;
  // Each change of activation restarts the update timing, so no backlog builds up while inactive.
  if (glfwGetWindowParam(GLFW_ACTIVE)) {
    if (suspended) {
      ResumeGame();
      nextUpdate = 0.0;
    }
  } else if (!suspended) {
    SuspendGame();
    nextUpdate = 0.0;
  }
}

void RtGlfwGame::RunFrame() {
  if (rtFatalCheckpoint()) return;
  RenderGame();
  glfwSwapBuffers();
  stats_CountRender();

  if (nextUpdate != 0.0) {
    double delay = nextUpdate - glfwGetTime();
    if (delay > 0.0) glfwSleep(delay);
  }

  UpdateEvents();
  stats_Tick();
  if (suspended || rtFatalCheckpoint()) return;

  if (updateRate == 0) {
    UpdateGame();
    stats_CountUpdate();
    return;
  }

  if (nextUpdate == 0.0) nextUpdate = glfwGetTime();
  for (int i = 0; i < kMaxCatchUpUpdates; ++i) {
    UpdateGame();
    stats_CountUpdate();
    if (nextUpdate == 0.0) return;  // the app changed the rate: timing restarts next frame
    nextUpdate += updatePeriod;
    if (nextUpdate > glfwGetTime()) return;
  }
  // Still behind after the limit: drop the backlog and re-synchronise on the next frame.
  nextUpdate = 0.0;
}

void RtGlfwGame::Run() {
  SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
  StartGame();
  while (glfwGetWindowParam(GLFW_OPENED)) RunFrame();
}
