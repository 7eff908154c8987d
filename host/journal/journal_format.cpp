// Names and payload shapes of the journal's record codes.
#include "host/journal/journal_format.h"

namespace journal {

namespace {

struct OpInfo {
  int op;
  const char* name;
  const char* shape;
};

// Shape letters: i an int, n a count (0..kMaxArray), r an int in 0..count, F count floats, B count
// bytes, M r modes of 5 ints, t a clock reading, d a time span, q 8 bytes, s a text.
const OpInfo kOps[] = {
    {kInit, "Init", "i"},
    {kTerminate, "Terminate", ""},
    {kOpenWindow, "OpenWindow", "iiiiiiiiii"},
    {kOpenWindowHint, "OpenWindowHint", "ii"},
    {kCloseWindow, "CloseWindow", ""},
    {kGetWindowParam, "GetWindowParam", "ii"},
    {kSetWindowTitle, "SetWindowTitle", "s"},
    {kSetWindowPos, "SetWindowPos", "ii"},
    {kGetWindowSize, "GetWindowSize", "ii"},
    {kSwapBuffers, "SwapBuffers", "q"},
    {kSwapInterval, "SwapInterval", "i"},
    {kPollEvents, "PollEvents", ""},
    {kWaitEvents, "WaitEvents", ""},
    {kEnable, "Enable", "i"},
    {kDisable, "Disable", "i"},
    {kGetKey, "GetKey", "ii"},
    {kGetMouseButton, "GetMouseButton", "ii"},
    {kGetMousePos, "GetMousePos", "ii"},
    {kSetKeyCallback, "SetKeyCallback", "i"},
    {kSetCharCallback, "SetCharCallback", "i"},
    {kSetMouseButtonCallback, "SetMouseButtonCallback", "i"},
    {kSetMousePosCallback, "SetMousePosCallback", "i"},
    {kSetWindowCloseCallback, "SetWindowCloseCallback", "i"},
    {kGetJoystickParam, "GetJoystickParam", "iii"},
    {kGetJoystickPos, "GetJoystickPos", "inrF"},
    {kGetJoystickButtons, "GetJoystickButtons", "inrB"},
    {kGetDesktopMode, "GetDesktopMode", "iiiii"},
    {kGetVideoModes, "GetVideoModes", "nrM"},
    {kGetTime, "GetTime", "t"},
    {kSleep, "Sleep", "d"},
    {kSaveState, "SaveState", "i"},
    {kEventKey, "key event", "ii"},
    {kEventChar, "character event", "ii"},
    {kEventMouseButton, "mouse button event", "ii"},
    {kEventMousePos, "mouse move event", "ii"},
    {kEventWindowClose, "close request", ""},
    {kEventsDone, "end of events", ""},
    {kEnd, "end of the run", ""},
};

const OpInfo* Find(int op) {
  for (const OpInfo& info : kOps) {
    if (info.op == op) return &info;
  }
  return nullptr;
}

}  // namespace

const char* OpName(int op) {
  const OpInfo* info = Find(op);
  return info ? info->name : "unknown";
}

const char* OpShape(int op) {
  const OpInfo* info = Find(op);
  return info ? info->shape : nullptr;
}

std::string Printable(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out += char(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace journal
