// Joystick polling for the input device: up to four present joysticks mapped onto ports, and each pad's
// axes and buttons mapped onto the logical sticks, triggers and buttons through one of two layouts.
#include "host/host.h"

#include "host/backend/glfw2.h"  // Required for: glfwGetJoystickParam, glfwGetJoystickPos, glfwGetJoystickButtons

namespace {

constexpr int kPorts = 4;
constexpr int kMaxAxes = 6;
constexpr int kMaxButtons = 32;
constexpr int kEnd = 999;

// Axis map entries: low 4 bits the source, the rest the transform.
constexpr int kSourceMask = 15;
constexpr int kHalfPlus = 16;   // (1 + axis) * 0.5
constexpr int kHalfMinus = 32;  // (1 - axis) * 0.5
constexpr int kNegate = 64;     // -axis
constexpr int kButton = 128;    // 1.0 while button (source) is pressed

struct Layout {
  int axes[7];      // joyx[0], joyy[0], joyz[0], joyx[1], joyy[1], joyz[1], end
  int buttons[15];  // logical buttons 0..13, end; negative entries count from the end of the list
};

// Pads with 14 buttons and 5 axes: triggers share axis 2, the right stick's vertical axis is inverted.
constexpr Layout kLayoutX = {{0, 1, 2, 4, 67, 66, kEnd}, {0, 1, 2, 3, 4, 5, 6, 7, -4, -3, -2, -1, 8, 9, kEnd}};
// Every other pad: triggers are buttons 6 and 7.
constexpr Layout kLayoutG = {{0, 1, 134, 2, 67, 135, kEnd}, {1, 2, 0, 3, 4, 5, 8, 9, -4, -3, -2, -1, 10, 11, kEnd}};

// GLFW joystick id behind each port, -1 when none; rebuilt whenever port 0 is polled.
int g_portJoystick[kPorts] = {-1, -1, -1, -1};

void RescanPorts() {
  int found = 0;
  for (int id = GLFW_JOYSTICK_1; id <= GLFW_JOYSTICK_LAST && found < kPorts; ++id) {
    if (glfwGetJoystickParam(id, GLFW_PRESENT)) g_portJoystick[found++] = id;
  }
  for (int port = found; port < kPorts; ++port) g_portJoystick[port] = -1;
}

float AxisValue(int entry, const float* axes, const unsigned char* buttons) {
  int source = entry & kSourceMask;
  float axis = source < kMaxAxes ? axes[source] : 0.0f;
  switch (entry & ~kSourceMask) {
    case 0: return axis;
    case kHalfPlus: return (1.0f + axis) * 0.5f;
    case kHalfMinus: return (1.0f - axis) * 0.5f;
    case kNegate: return -axis;
    case kButton: return buttons[source] == GLFW_PRESS ? 1.0f : 0.0f;
    default: return 0.0f;
  }
}

}  // namespace

bool RtGlfwGame::PollJoystick(int port, Array<float> joyx, Array<float> joyy, Array<float> joyz,
                              Array<bool> buttons) {
  if (port == 0) RescanPorts();
  if (port < 0 || port >= kPorts || g_portJoystick[port] < 0) return false;
  int id = g_portJoystick[port];

  float axes[kMaxAxes] = {};
  unsigned char pressed[kMaxButtons] = {};
  int axisCount = glfwGetJoystickPos(id, axes, kMaxAxes);
  int n = glfwGetJoystickButtons(id, pressed, kMaxButtons);

  const Layout& layout = (n == 14 && axisCount == 5) ? kLayoutX : kLayoutG;

  float* outputs[6] = {&joyx[0], &joyy[0], &joyz[0], &joyx[1], &joyy[1], &joyz[1]};
  for (int i = 0; i < 6; ++i) *outputs[i] = 0.0f;
  for (int i = 0; i < 6 && layout.axes[i] != kEnd; ++i) *outputs[i] = AxisValue(layout.axes[i], axes, pressed);

  for (int i = 0; i < kMaxButtons; ++i) buttons[i] = false;
  for (int i = 0; layout.buttons[i] != kEnd; ++i) {
    int e = layout.buttons[i];
    int index = e < 0 ? n + e : e;
    // Hat directions sit at the end of the reported list; a short list simply lacks them.
    buttons[i] = index >= 0 && index < n && pressed[index] == GLFW_PRESS;
  }
  return true;
}
