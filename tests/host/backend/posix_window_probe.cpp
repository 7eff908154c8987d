// The adapter tests' window actions on X11: a private Xvfb, xdotool for typed keys, and the window
// manager's close request.
#include <cstdlib>
#include <string>

#include "posix_private_x_server.h"
#include "posix_x11_probe.h"
#include "window_probe.h"

namespace {

PrivateXServer& Server() {
  static PrivateXServer server;
  return server;
}

const char* KeyName(ProbeKey key) {
  switch (key) {
    case ProbeKey::Escape: return "Escape";
    case ProbeKey::A: return "a";
    case ProbeKey::Left: return "Left";
    case ProbeKey::Up: return "Up";
  }
  return "";
}

}  // namespace

// Without Xvfb the tests use DISPLAY, as under xvfb-run -a.
void BeginWindowTests() { Server().Start(); }
void EndWindowTests() { Server().Stop(); }

bool CanTypeKeys() { return std::system("command -v xdotool >/dev/null 2>&1") == 0; }

bool TypeKeys(std::initializer_list<ProbeKey> keys) {
  std::string command = "xdotool key";
  for (ProbeKey k : keys) command += std::string(" ") + KeyName(k);
  return std::system(command.c_str()) == 0;
}

bool PressKey(ProbeKey key, bool down) {
  return std::system((std::string(down ? "xdotool keydown " : "xdotool keyup ") + KeyName(key)).c_str()) == 0;
}

bool SendCloseRequest(const char* title) { return SendX11CloseRequest(title); }
