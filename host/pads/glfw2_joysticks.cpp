// Joysticks of the GLFW 3 backend in 2.7 form. A pad that a mapping recognises is reported in the standard
// 14-button, 5-axis form whatever its driver reports, so every such pad steers and fires alike; any other
// joystick keeps its own axes and buttons, with its hats appended as buttons.
#include "host/pads/glfw2_joysticks.h"

#include "host/backend/glfw2_backend.h"
#include "host/pads/joystick_source.h"

namespace {

constexpr int kPadAxes = 5;
constexpr int kPadButtons = 14;

// The 14 reported buttons of a recognised pad. The pad layout reads the last four as the d-pad and the
// controls read those in the order left, up, right, down; the thumbs sit before them.
constexpr int kPadButtonOrder[kPadButtons] = {
    gamepad::A,         gamepad::B,           gamepad::X,         gamepad::Y,
    gamepad::LEFT_BUMPER, gamepad::RIGHT_BUMPER, gamepad::BACK,    gamepad::START,
    gamepad::LEFT_THUMB, gamepad::RIGHT_THUMB,
    gamepad::DPAD_LEFT, gamepad::DPAD_UP,     gamepad::DPAD_RIGHT, gamepad::DPAD_DOWN,
};

// Each hat becomes four buttons, in the order the controls read directions.
constexpr unsigned char kHatOrder[4] = {gamepad::HAT_LEFT, gamepad::HAT_UP, gamepad::HAT_RIGHT, gamepad::HAT_DOWN};

const JoystickSource& S() { return glfw2_CurrentJoystickSource(); }

bool Present(int joy) { return joy >= 0 && joy <= glfw2c::JOYSTICK_LAST && S().Present(joy); }

// The pad's mapped state, when a mapping recognises it.
bool ReadGamepad(int joy, GamepadState& state) { return S().IsGamepad(joy) && S().GetGamepadState(joy, &state); }

// A trigger from -1..1 (rest at -1) to 0..1.
float Pull(float trigger) { return (trigger + 1.0f) * 0.5f; }

int RawButtonCount(int joy) {
    int buttons = 0, hats = 0;
    S().Buttons(joy, &buttons);
    S().Hats(joy, &hats);
    return buttons + 4 * hats;
}

}  // namespace

int glfw2_JoystickParam(int joy, int param) {
    if (!Present(joy)) return 0;
    GamepadState pad;
    int count = 0;
    switch (param) {
        case glfw2c::PRESENT: return 1;
        case glfw2c::AXES:
            if (ReadGamepad(joy, pad)) return kPadAxes;
            S().Axes(joy, &count);
            return count;
        case glfw2c::BUTTONS: return ReadGamepad(joy, pad) ? kPadButtons : RawButtonCount(joy);
        default: return 0;
    }
}

int glfw2_JoystickPos(int joy, float* pos, int numAxes) {
    if (!pos || numAxes <= 0) return 0;
    for (int i = 0; i < numAxes; i++) pos[i] = 0.0f;
    if (!Present(joy)) return 0;

    GamepadState pad;
    if (ReadGamepad(joy, pad)) {
        // The 2.7 convention: vertical axes positive upwards; both triggers share one axis.
        const float* a = pad.axes;
        const float axes[kPadAxes] = {a[gamepad::LEFT_X], -a[gamepad::LEFT_Y],
                                      Pull(a[gamepad::LEFT_TRIGGER]) - Pull(a[gamepad::RIGHT_TRIGGER]),
                                      -a[gamepad::RIGHT_Y], a[gamepad::RIGHT_X]};
        int n = numAxes < kPadAxes ? numAxes : kPadAxes;
        for (int i = 0; i < n; i++) pos[i] = axes[i];
        return n;
    }

    int count = 0;
    const float* axes = S().Axes(joy, &count);
    if (!axes) return 0;
    int n = count < numAxes ? count : numAxes;
    // Axis 1 is the first stick's y on every joystick, and 2.7 has it positive upwards. What the other
    // axes are differs from driver to driver (a right stick's x or y, a trigger), so they stay as reported.
    for (int i = 0; i < n; i++) pos[i] = i == 1 ? -axes[i] : axes[i];
    return n;
}

int glfw2_JoystickButtons(int joy, unsigned char* buttons, int numButtons) {
    if (!buttons || numButtons <= 0) return 0;
    for (int i = 0; i < numButtons; i++) buttons[i] = glfw2c::RELEASE;
    if (!Present(joy)) return 0;

    GamepadState pad;
    if (ReadGamepad(joy, pad)) {
        int n = numButtons < kPadButtons ? numButtons : kPadButtons;
        for (int i = 0; i < n; i++) buttons[i] = pad.buttons[kPadButtonOrder[i]] ? glfw2c::PRESS : glfw2c::RELEASE;
        return n;
    }

    int count = 0, hatCount = 0;
    const unsigned char* b = S().Buttons(joy, &count);
    const unsigned char* hats = S().Hats(joy, &hatCount);
    if (!b) count = 0;
    if (!hats) hatCount = 0;
    int n = 0;
    for (int i = 0; i < count && n < numButtons; i++) buttons[n++] = b[i] ? glfw2c::PRESS : glfw2c::RELEASE;
    for (int h = 0; h < hatCount; h++) {
        for (unsigned char direction : kHatOrder) {
            if (n == numButtons) return n;
            buttons[n++] = (hats[h] & direction) ? glfw2c::PRESS : glfw2c::RELEASE;
        }
    }
    return n;
}
