// The seam under the GLFW 3 backend's joysticks: the handful of GLFW 3 joystick and game-pad calls it
// makes, as one table, so tests can stand scripted pads behind the real conversion to 2.7 reports.
// Safe to include next to either GLFW header: it defines no glfw* names or macros.
#pragma once

// Standard game-pad buttons and axes, numbered as GLFW 3 numbers them (checked in joystick_source.cpp).
namespace gamepad {
enum Button : int {
    A, B, X, Y, LEFT_BUMPER, RIGHT_BUMPER, BACK, START, GUIDE, LEFT_THUMB, RIGHT_THUMB,
    DPAD_UP, DPAD_RIGHT, DPAD_DOWN, DPAD_LEFT,
    BUTTON_COUNT
};
// Sticks -1..1 with y positive downwards; triggers -1 at rest, 1 fully pressed.
enum Axis : int { LEFT_X, LEFT_Y, RIGHT_X, RIGHT_Y, LEFT_TRIGGER, RIGHT_TRIGGER, AXIS_COUNT };
// Bits of one hat's state.
enum Hat : unsigned char { HAT_UP = 1, HAT_RIGHT = 2, HAT_DOWN = 4, HAT_LEFT = 8 };
}  // namespace gamepad

// A recognised pad's state under its mapping, laid out as GLFW 3's GLFWgamepadstate.
struct GamepadState {
    unsigned char buttons[gamepad::BUTTON_COUNT];  // 1 pressed, 0 released
    float axes[gamepad::AXIS_COUNT];
};

// One entry per GLFW 3 call; every entry must be set. Joystick ids are 0..15.
struct JoystickSource {
    int (*Present)(int jid);
    // Raw reports; nullptr (and count 0) when the joystick is absent. Buttons leave out the hats (the
    // backend starts GLFW 3 with GLFW_JOYSTICK_HAT_BUTTONS off).
    const float* (*Axes)(int jid, int* count);
    const unsigned char* (*Buttons)(int jid, int* count);
    const unsigned char* (*Hats)(int jid, int* count);
    // Whether a mapping (built in or added) recognises the joystick as a standard pad.
    int (*IsGamepad)(int jid);
    // The pad's state under its mapping; 0 when it has none or is absent.
    int (*GetGamepadState)(int jid, GamepadState* state);
    // Adds mappings in the SDL game-controller text format; 0 when GLFW refused the text.
    int (*UpdateGamepadMappings)(const char* text);
};

// Makes `source` the target of the GLFW 3 backend's joystick calls; nullptr restores GLFW 3 itself.
// The table must outlive its use.
void glfw2_SetJoystickSource(const JoystickSource* source);
// The source the backend currently reads.
const JoystickSource& glfw2_CurrentJoystickSource();
