// The GLFW 2.7-style window, input and timer API the host is written against: 2.7 names, signatures and
// numbers (the values of glfw2c in host/glfw2_backend.h), served by the current backend of that header.
// Never include with <GLFW/glfw3.h>.
#pragma once

#include "host/backend/glfw2_backend.h"

#define GLFW_RELEASE glfw2c::RELEASE
#define GLFW_PRESS glfw2c::PRESS

// glfwOpenWindow modes
#define GLFW_WINDOW glfw2c::WINDOW
#define GLFW_FULLSCREEN glfw2c::FULLSCREEN

// glfwGetWindowParam parameters; the last two are also glfwOpenWindowHint targets
#define GLFW_OPENED glfw2c::OPENED
#define GLFW_ACTIVE glfw2c::ACTIVE
#define GLFW_ICONIFIED glfw2c::ICONIFIED
#define GLFW_ACCELERATED glfw2c::ACCELERATED
#define GLFW_RED_BITS glfw2c::RED_BITS
#define GLFW_GREEN_BITS glfw2c::GREEN_BITS
#define GLFW_BLUE_BITS glfw2c::BLUE_BITS
#define GLFW_ALPHA_BITS glfw2c::ALPHA_BITS
#define GLFW_DEPTH_BITS glfw2c::DEPTH_BITS
#define GLFW_STENCIL_BITS glfw2c::STENCIL_BITS
#define GLFW_REFRESH_RATE glfw2c::REFRESH_RATE
#define GLFW_WINDOW_NO_RESIZE glfw2c::WINDOW_NO_RESIZE

// glfwEnable / glfwDisable tokens
#define GLFW_MOUSE_CURSOR glfw2c::MOUSE_CURSOR
#define GLFW_KEY_REPEAT glfw2c::KEY_REPEAT
#define GLFW_AUTO_POLL_EVENTS glfw2c::AUTO_POLL_EVENTS

// glfwGetJoystickParam parameters; joysticks are numbered 0..15
#define GLFW_PRESENT glfw2c::PRESENT
#define GLFW_AXES glfw2c::AXES
#define GLFW_BUTTONS glfw2c::BUTTONS
#define GLFW_JOYSTICK_1 0
#define GLFW_JOYSTICK_LAST glfw2c::JOYSTICK_LAST

#define GLFW_MOUSE_BUTTON_LEFT 0
#define GLFW_MOUSE_BUTTON_RIGHT 1
#define GLFW_MOUSE_BUTTON_MIDDLE 2
#define GLFW_MOUSE_BUTTON_LAST glfw2c::MOUSE_BUTTON_LAST

// Keys: printable keys are their (upper-case, US layout) character codes; special keys start at 256.
#define GLFW_KEY_UNKNOWN glfw2c::KEY_UNKNOWN
#define GLFW_KEY_SPACE glfw2c::KEY_SPACE
#define GLFW_KEY_SPECIAL glfw2c::KEY_SPECIAL
#define GLFW_KEY_ESC glfw2c::KEY_ESC
#define GLFW_KEY_F1 glfw2c::KEY_F1
#define GLFW_KEY_F2 (glfw2c::KEY_F1 + 1)
#define GLFW_KEY_F3 (glfw2c::KEY_F1 + 2)
#define GLFW_KEY_F4 (glfw2c::KEY_F1 + 3)
#define GLFW_KEY_F5 (glfw2c::KEY_F1 + 4)
#define GLFW_KEY_F6 (glfw2c::KEY_F1 + 5)
#define GLFW_KEY_F7 (glfw2c::KEY_F1 + 6)
#define GLFW_KEY_F8 (glfw2c::KEY_F1 + 7)
#define GLFW_KEY_F9 (glfw2c::KEY_F1 + 8)
#define GLFW_KEY_F10 (glfw2c::KEY_F1 + 9)
#define GLFW_KEY_F11 (glfw2c::KEY_F1 + 10)
#define GLFW_KEY_F12 (glfw2c::KEY_F1 + 11)
#define GLFW_KEY_F13 (glfw2c::KEY_F1 + 12)
#define GLFW_KEY_F14 (glfw2c::KEY_F1 + 13)
#define GLFW_KEY_F15 (glfw2c::KEY_F1 + 14)
#define GLFW_KEY_F16 (glfw2c::KEY_F1 + 15)
#define GLFW_KEY_F17 (glfw2c::KEY_F1 + 16)
#define GLFW_KEY_F18 (glfw2c::KEY_F1 + 17)
#define GLFW_KEY_F19 (glfw2c::KEY_F1 + 18)
#define GLFW_KEY_F20 (glfw2c::KEY_F1 + 19)
#define GLFW_KEY_F21 (glfw2c::KEY_F1 + 20)
#define GLFW_KEY_F22 (glfw2c::KEY_F1 + 21)
#define GLFW_KEY_F23 (glfw2c::KEY_F1 + 22)
#define GLFW_KEY_F24 (glfw2c::KEY_F1 + 23)
#define GLFW_KEY_F25 glfw2c::KEY_F25
#define GLFW_KEY_UP glfw2c::KEY_UP
#define GLFW_KEY_DOWN glfw2c::KEY_DOWN
#define GLFW_KEY_LEFT glfw2c::KEY_LEFT
#define GLFW_KEY_RIGHT glfw2c::KEY_RIGHT
#define GLFW_KEY_LSHIFT glfw2c::KEY_LSHIFT
#define GLFW_KEY_RSHIFT glfw2c::KEY_RSHIFT
#define GLFW_KEY_LCTRL glfw2c::KEY_LCTRL
#define GLFW_KEY_RCTRL glfw2c::KEY_RCTRL
#define GLFW_KEY_LALT glfw2c::KEY_LALT
#define GLFW_KEY_RALT glfw2c::KEY_RALT
#define GLFW_KEY_TAB glfw2c::KEY_TAB
#define GLFW_KEY_ENTER glfw2c::KEY_ENTER
#define GLFW_KEY_BACKSPACE glfw2c::KEY_BACKSPACE
#define GLFW_KEY_INSERT glfw2c::KEY_INSERT
#define GLFW_KEY_DEL glfw2c::KEY_DEL
#define GLFW_KEY_PAGEUP glfw2c::KEY_PAGEUP
#define GLFW_KEY_PAGEDOWN glfw2c::KEY_PAGEDOWN
#define GLFW_KEY_HOME glfw2c::KEY_HOME
#define GLFW_KEY_END glfw2c::KEY_END
#define GLFW_KEY_KP_0 glfw2c::KEY_KP_0
#define GLFW_KEY_KP_1 (glfw2c::KEY_KP_0 + 1)
#define GLFW_KEY_KP_2 (glfw2c::KEY_KP_0 + 2)
#define GLFW_KEY_KP_3 (glfw2c::KEY_KP_0 + 3)
#define GLFW_KEY_KP_4 (glfw2c::KEY_KP_0 + 4)
#define GLFW_KEY_KP_5 (glfw2c::KEY_KP_0 + 5)
#define GLFW_KEY_KP_6 (glfw2c::KEY_KP_0 + 6)
#define GLFW_KEY_KP_7 (glfw2c::KEY_KP_0 + 7)
#define GLFW_KEY_KP_8 (glfw2c::KEY_KP_0 + 8)
#define GLFW_KEY_KP_9 glfw2c::KEY_KP_9
#define GLFW_KEY_KP_DIVIDE glfw2c::KEY_KP_DIVIDE
#define GLFW_KEY_KP_MULTIPLY glfw2c::KEY_KP_MULTIPLY
#define GLFW_KEY_KP_SUBTRACT glfw2c::KEY_KP_SUBTRACT
#define GLFW_KEY_KP_ADD glfw2c::KEY_KP_ADD
#define GLFW_KEY_KP_DECIMAL glfw2c::KEY_KP_DECIMAL
#define GLFW_KEY_KP_EQUAL glfw2c::KEY_KP_EQUAL
#define GLFW_KEY_KP_ENTER glfw2c::KEY_KP_ENTER
#define GLFW_KEY_KP_NUM_LOCK glfw2c::KEY_KP_NUM_LOCK
#define GLFW_KEY_CAPS_LOCK glfw2c::KEY_CAPS_LOCK
#define GLFW_KEY_SCROLL_LOCK glfw2c::KEY_SCROLL_LOCK
#define GLFW_KEY_PAUSE glfw2c::KEY_PAUSE
#define GLFW_KEY_LSUPER glfw2c::KEY_LSUPER
#define GLFW_KEY_RSUPER glfw2c::KEY_RSUPER
#define GLFW_KEY_MENU glfw2c::KEY_MENU
#define GLFW_KEY_LAST glfw2c::KEY_LAST

// The 2.7 functions live in their own (inline) namespace so that they never clash with GLFW 3's C symbols.
inline namespace glfw2 {

typedef Glfw2VidMode GLFWvidmode;
typedef Glfw2KeyFun GLFWkeyfun;
typedef Glfw2CharFun GLFWcharfun;
typedef Glfw2MouseButtonFun GLFWmousebuttonfun;
typedef Glfw2MousePosFun GLFWmouseposfun;
typedef Glfw2WindowCloseFun GLFWwindowclosefun;

// Initialises the library and starts the clock; 1 on success, 0 on failure.
int glfwInit();
// Closes the window and shuts the library down.
void glfwTerminate();

// Opens the one window with a current GL context (GL 1.x fixed function available); 0 if it failed or a
// window is already open. Zero colour bits mean "any"; a zero size gives 640 x 480 (or 4:3 of the other).
// Hints given before the call apply to it only.
int glfwOpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                   int depthBits, int stencilBits, int mode);
// Target GLFW_REFRESH_RATE (full screen only, 0 = any) or GLFW_WINDOW_NO_RESIZE; others are ignored.
void glfwOpenWindowHint(int target, int hint);
// Destroys the window and its GL context; a later glfwOpenWindow makes a new context.
void glfwCloseWindow();
// GLFW_OPENED, GLFW_ACTIVE (focused and not iconified), GLFW_ICONIFIED, colour/depth bits, ...; 0 when closed.
int glfwGetWindowParam(int param);
void glfwSetWindowTitle(const char* title);
// Moves the window (ignored in full screen).
void glfwSetWindowPos(int x, int y);
// Size of the drawing area in pixels; 0 x 0 without a window. Either pointer may be null.
void glfwGetWindowSize(int* width, int* height);
// Shows the back buffer; with GLFW_AUTO_POLL_EVENTS enabled it then processes events.
void glfwSwapBuffers();
void glfwSwapInterval(int interval);
// Delivers pending events through the callbacks; the only place (with glfwWaitEvents) callbacks run.
void glfwPollEvents();
// As glfwPollEvents, but first blocks until at least one event is pending.
void glfwWaitEvents();

// GLFW_MOUSE_CURSOR (shown / hidden), GLFW_KEY_REPEAT (held keys press again; off after glfwInit),
// GLFW_AUTO_POLL_EVENTS (events in glfwSwapBuffers; on after glfwInit).
void glfwEnable(int token);
void glfwDisable(int token);

// GLFW_PRESS or GLFW_RELEASE for a 2.7 key number (letters upper case).
int glfwGetKey(int key);
int glfwGetMouseButton(int button);
// Cursor position in window pixels, origin at the top left.
void glfwGetMousePos(int* x, int* y);

// Callbacks stay installed until replaced or glfwTerminate (also across windows); nullptr removes one.
void glfwSetKeyCallback(GLFWkeyfun fun);
void glfwSetCharCallback(GLFWcharfun fun);
void glfwSetMouseButtonCallback(GLFWmousebuttonfun fun);
void glfwSetMousePosCallback(GLFWmouseposfun fun);
// The callback decides: 0 keeps the window open. Without a callback the window closes.
void glfwSetWindowCloseCallback(GLFWwindowclosefun fun);

// GLFW_PRESENT, GLFW_AXES (count), GLFW_BUTTONS (count, hat directions included); 0 for a bad joystick.
int glfwGetJoystickParam(int joy, int param);
// Fills pos[0..numAxes) (zero for axes the stick lacks); vertical axes (odd numbers) are positive
// upwards. Returns the number of axes written.
int glfwGetJoystickPos(int joy, float* pos, int numAxes);
// Fills buttons[0..numButtons) with GLFW_PRESS / GLFW_RELEASE: buttons first, then per hat up, right,
// down, left. Returns the number of buttons written.
int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numButtons);

// The primary monitor's current mode; all zero when there is none.
void glfwGetDesktopMode(GLFWvidmode* mode);
// Distinct modes of the primary monitor, fewest colour bits and smallest first; returns the count written.
int glfwGetVideoModes(GLFWvidmode* list, int maxCount);

// Seconds since glfwInit.
double glfwGetTime();
// Sleeps for `seconds` (nothing for zero, negative or NaN).
void glfwSleep(double seconds);

}  // namespace glfw2
