// The 2.7-style glfw* entry points: each forwards to the current backend (GLFW 3 adapter by default).
#include "host/glfw2.h"

// The macro spellings and the backend spellings of the 2.7 numbers must agree.
static_assert(GLFW_WINDOW == glfw2c::WINDOW && GLFW_FULLSCREEN == glfw2c::FULLSCREEN);
static_assert(GLFW_OPENED == glfw2c::OPENED && GLFW_ACTIVE == glfw2c::ACTIVE &&
              GLFW_ICONIFIED == glfw2c::ICONIFIED && GLFW_ACCELERATED == glfw2c::ACCELERATED);
static_assert(GLFW_RED_BITS == glfw2c::RED_BITS && GLFW_GREEN_BITS == glfw2c::GREEN_BITS &&
              GLFW_BLUE_BITS == glfw2c::BLUE_BITS && GLFW_ALPHA_BITS == glfw2c::ALPHA_BITS &&
              GLFW_DEPTH_BITS == glfw2c::DEPTH_BITS && GLFW_STENCIL_BITS == glfw2c::STENCIL_BITS);
static_assert(GLFW_REFRESH_RATE == glfw2c::REFRESH_RATE && GLFW_WINDOW_NO_RESIZE == glfw2c::WINDOW_NO_RESIZE);
static_assert(GLFW_MOUSE_CURSOR == glfw2c::MOUSE_CURSOR && GLFW_KEY_REPEAT == glfw2c::KEY_REPEAT &&
              GLFW_AUTO_POLL_EVENTS == glfw2c::AUTO_POLL_EVENTS);
static_assert(GLFW_PRESENT == glfw2c::PRESENT && GLFW_AXES == glfw2c::AXES && GLFW_BUTTONS == glfw2c::BUTTONS);
static_assert(GLFW_JOYSTICK_LAST == glfw2c::JOYSTICK_LAST && GLFW_MOUSE_BUTTON_LAST == glfw2c::MOUSE_BUTTON_LAST);
static_assert(GLFW_PRESS == glfw2c::PRESS && GLFW_RELEASE == glfw2c::RELEASE);
static_assert(GLFW_KEY_UNKNOWN == glfw2c::KEY_UNKNOWN && GLFW_KEY_SPACE == glfw2c::KEY_SPACE &&
              GLFW_KEY_SPECIAL == glfw2c::KEY_SPECIAL && GLFW_KEY_ESC == glfw2c::KEY_ESC);
static_assert(GLFW_KEY_F1 == glfw2c::KEY_F1 && GLFW_KEY_F25 == glfw2c::KEY_F25 && GLFW_KEY_F25 - GLFW_KEY_F1 == 24);
static_assert(GLFW_KEY_UP == glfw2c::KEY_UP && GLFW_KEY_DOWN == glfw2c::KEY_DOWN &&
              GLFW_KEY_LEFT == glfw2c::KEY_LEFT && GLFW_KEY_RIGHT == glfw2c::KEY_RIGHT);
static_assert(GLFW_KEY_LSHIFT == glfw2c::KEY_LSHIFT && GLFW_KEY_RSHIFT == glfw2c::KEY_RSHIFT &&
              GLFW_KEY_LCTRL == glfw2c::KEY_LCTRL && GLFW_KEY_RCTRL == glfw2c::KEY_RCTRL &&
              GLFW_KEY_LALT == glfw2c::KEY_LALT && GLFW_KEY_RALT == glfw2c::KEY_RALT);
static_assert(GLFW_KEY_TAB == glfw2c::KEY_TAB && GLFW_KEY_ENTER == glfw2c::KEY_ENTER &&
              GLFW_KEY_BACKSPACE == glfw2c::KEY_BACKSPACE && GLFW_KEY_INSERT == glfw2c::KEY_INSERT &&
              GLFW_KEY_DEL == glfw2c::KEY_DEL);
static_assert(GLFW_KEY_PAGEUP == glfw2c::KEY_PAGEUP && GLFW_KEY_PAGEDOWN == glfw2c::KEY_PAGEDOWN &&
              GLFW_KEY_HOME == glfw2c::KEY_HOME && GLFW_KEY_END == glfw2c::KEY_END);
static_assert(GLFW_KEY_KP_0 == glfw2c::KEY_KP_0 && GLFW_KEY_KP_9 == glfw2c::KEY_KP_9 &&
              GLFW_KEY_KP_9 - GLFW_KEY_KP_0 == 9);
static_assert(GLFW_KEY_KP_DIVIDE == glfw2c::KEY_KP_DIVIDE && GLFW_KEY_KP_MULTIPLY == glfw2c::KEY_KP_MULTIPLY &&
              GLFW_KEY_KP_SUBTRACT == glfw2c::KEY_KP_SUBTRACT && GLFW_KEY_KP_ADD == glfw2c::KEY_KP_ADD &&
              GLFW_KEY_KP_DECIMAL == glfw2c::KEY_KP_DECIMAL && GLFW_KEY_KP_EQUAL == glfw2c::KEY_KP_EQUAL &&
              GLFW_KEY_KP_ENTER == glfw2c::KEY_KP_ENTER && GLFW_KEY_KP_NUM_LOCK == glfw2c::KEY_KP_NUM_LOCK);
static_assert(GLFW_KEY_CAPS_LOCK == glfw2c::KEY_CAPS_LOCK && GLFW_KEY_SCROLL_LOCK == glfw2c::KEY_SCROLL_LOCK &&
              GLFW_KEY_PAUSE == glfw2c::KEY_PAUSE && GLFW_KEY_LSUPER == glfw2c::KEY_LSUPER &&
              GLFW_KEY_RSUPER == glfw2c::KEY_RSUPER && GLFW_KEY_MENU == glfw2c::KEY_MENU &&
              GLFW_KEY_LAST == glfw2c::KEY_LAST);

namespace {
const Glfw2Backend* g_backend = nullptr;  // nullptr: the GLFW 3 adapter

inline const Glfw2Backend& B() { return g_backend ? *g_backend : glfw2_Glfw3Backend(); }
}  // namespace

void glfw2_SetBackend(const Glfw2Backend* backend) { g_backend = backend; }
const Glfw2Backend& glfw2_CurrentBackend() { return B(); }

inline namespace glfw2 {

int glfwInit() { return B().Init(); }
void glfwTerminate() { B().Terminate(); }
int glfwOpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits, int depthBits,
                   int stencilBits, int mode) {
    return B().OpenWindow(width, height, redBits, greenBits, blueBits, alphaBits, depthBits, stencilBits, mode);
}
void glfwOpenWindowHint(int target, int hint) { B().OpenWindowHint(target, hint); }
void glfwCloseWindow() { B().CloseWindow(); }
int glfwGetWindowParam(int param) { return B().GetWindowParam(param); }
void glfwSetWindowTitle(const char* title) { B().SetWindowTitle(title); }
void glfwSetWindowPos(int x, int y) { B().SetWindowPos(x, y); }
void glfwGetWindowSize(int* width, int* height) { B().GetWindowSize(width, height); }
void glfwSwapBuffers() { B().SwapBuffers(); }
void glfwSwapInterval(int interval) { B().SwapInterval(interval); }
void glfwPollEvents() { B().PollEvents(); }
void glfwWaitEvents() { B().WaitEvents(); }
void glfwEnable(int token) { B().Enable(token); }
void glfwDisable(int token) { B().Disable(token); }
int glfwGetKey(int key) { return B().GetKey(key); }
int glfwGetMouseButton(int button) { return B().GetMouseButton(button); }
void glfwGetMousePos(int* x, int* y) { B().GetMousePos(x, y); }
void glfwSetKeyCallback(GLFWkeyfun fun) { B().SetKeyCallback(fun); }
void glfwSetCharCallback(GLFWcharfun fun) { B().SetCharCallback(fun); }
void glfwSetMouseButtonCallback(GLFWmousebuttonfun fun) { B().SetMouseButtonCallback(fun); }
void glfwSetMousePosCallback(GLFWmouseposfun fun) { B().SetMousePosCallback(fun); }
void glfwSetWindowCloseCallback(GLFWwindowclosefun fun) { B().SetWindowCloseCallback(fun); }
int glfwGetJoystickParam(int joy, int param) { return B().GetJoystickParam(joy, param); }
int glfwGetJoystickPos(int joy, float* pos, int numAxes) { return B().GetJoystickPos(joy, pos, numAxes); }
int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numButtons) {
    return B().GetJoystickButtons(joy, buttons, numButtons);
}
void glfwGetDesktopMode(GLFWvidmode* mode) { B().GetDesktopMode(mode); }
int glfwGetVideoModes(GLFWvidmode* list, int maxCount) { return B().GetVideoModes(list, maxCount); }
double glfwGetTime() { return B().GetTime(); }
void glfwSleep(double seconds) { B().Sleep(seconds); }

}  // namespace glfw2
