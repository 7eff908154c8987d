// The joystick seam's default source: GLFW 3's own joystick and game-pad calls.
#include "host/pads/joystick_source.h"

#include <GLFW/glfw3.h>

#include <cstring>

#include "host/backend/glfw2_backend.h"

static_assert(GLFW_JOYSTICK_LAST == glfw2c::JOYSTICK_LAST, "both number joysticks 0..15");
static_assert(gamepad::A == GLFW_GAMEPAD_BUTTON_A && gamepad::B == GLFW_GAMEPAD_BUTTON_B &&
              gamepad::X == GLFW_GAMEPAD_BUTTON_X && gamepad::Y == GLFW_GAMEPAD_BUTTON_Y);
static_assert(gamepad::LEFT_BUMPER == GLFW_GAMEPAD_BUTTON_LEFT_BUMPER &&
              gamepad::RIGHT_BUMPER == GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER && gamepad::BACK == GLFW_GAMEPAD_BUTTON_BACK &&
              gamepad::START == GLFW_GAMEPAD_BUTTON_START && gamepad::GUIDE == GLFW_GAMEPAD_BUTTON_GUIDE);
static_assert(gamepad::LEFT_THUMB == GLFW_GAMEPAD_BUTTON_LEFT_THUMB &&
              gamepad::RIGHT_THUMB == GLFW_GAMEPAD_BUTTON_RIGHT_THUMB);
static_assert(gamepad::DPAD_UP == GLFW_GAMEPAD_BUTTON_DPAD_UP &&
              gamepad::DPAD_RIGHT == GLFW_GAMEPAD_BUTTON_DPAD_RIGHT &&
              gamepad::DPAD_DOWN == GLFW_GAMEPAD_BUTTON_DPAD_DOWN &&
              gamepad::DPAD_LEFT == GLFW_GAMEPAD_BUTTON_DPAD_LEFT &&
              gamepad::BUTTON_COUNT == GLFW_GAMEPAD_BUTTON_LAST + 1);
static_assert(gamepad::LEFT_X == GLFW_GAMEPAD_AXIS_LEFT_X && gamepad::LEFT_Y == GLFW_GAMEPAD_AXIS_LEFT_Y &&
              gamepad::RIGHT_X == GLFW_GAMEPAD_AXIS_RIGHT_X && gamepad::RIGHT_Y == GLFW_GAMEPAD_AXIS_RIGHT_Y &&
              gamepad::LEFT_TRIGGER == GLFW_GAMEPAD_AXIS_LEFT_TRIGGER &&
              gamepad::RIGHT_TRIGGER == GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER &&
              gamepad::AXIS_COUNT == GLFW_GAMEPAD_AXIS_LAST + 1);
static_assert(gamepad::HAT_UP == GLFW_HAT_UP && gamepad::HAT_RIGHT == GLFW_HAT_RIGHT &&
              gamepad::HAT_DOWN == GLFW_HAT_DOWN && gamepad::HAT_LEFT == GLFW_HAT_LEFT);
static_assert(sizeof(GamepadState) == sizeof(GLFWgamepadstate));

namespace {

int GetGamepadState3(int jid, GamepadState* state) {
    GLFWgamepadstate s;
    if (!glfwGetGamepadState(jid, &s)) return 0;
    std::memcpy(state->buttons, s.buttons, sizeof state->buttons);
    std::memcpy(state->axes, s.axes, sizeof state->axes);
    return 1;
}

// GLFW 3.3 skips a line it cannot parse and still answers true; the error it reports tells.
int UpdateGamepadMappings3(const char* text) {
    glfwGetError(nullptr);
    int ok = glfwUpdateGamepadMappings(text);
    return ok && glfwGetError(nullptr) == GLFW_NO_ERROR;
}

const JoystickSource kGlfw3Source = {
    glfwJoystickPresent, glfwGetJoystickAxes, glfwGetJoystickButtons, glfwGetJoystickHats,
    glfwJoystickIsGamepad, GetGamepadState3, UpdateGamepadMappings3,
};

const JoystickSource* g_source = nullptr;  // nullptr: GLFW 3

}  // namespace

void glfw2_SetJoystickSource(const JoystickSource* source) { g_source = source; }
const JoystickSource& glfw2_CurrentJoystickSource() { return g_source ? *g_source : kGlfw3Source; }
