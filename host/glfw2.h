// The GLFW 2.7-style window, input and timer API the host is written against: 2.7 names, signatures and
// numbers, served by the current backend of host/glfw2_backend.h. Never include with <GLFW/glfw3.h>.
#pragma once

#include "host/glfw2_backend.h"

#define GLFW_RELEASE 0
#define GLFW_PRESS 1

// glfwOpenWindow modes
#define GLFW_WINDOW 0x00010001
#define GLFW_FULLSCREEN 0x00010002

// glfwGetWindowParam parameters; the last two are also glfwOpenWindowHint targets
#define GLFW_OPENED 0x00020001
#define GLFW_ACTIVE 0x00020002
#define GLFW_ICONIFIED 0x00020003
#define GLFW_ACCELERATED 0x00020004
#define GLFW_RED_BITS 0x00020005
#define GLFW_GREEN_BITS 0x00020006
#define GLFW_BLUE_BITS 0x00020007
#define GLFW_ALPHA_BITS 0x00020008
#define GLFW_DEPTH_BITS 0x00020009
#define GLFW_STENCIL_BITS 0x0002000A
#define GLFW_REFRESH_RATE 0x0002000B
#define GLFW_WINDOW_NO_RESIZE 0x00020012

// glfwEnable / glfwDisable tokens
#define GLFW_MOUSE_CURSOR 0x00030001
#define GLFW_KEY_REPEAT 0x00030005
#define GLFW_AUTO_POLL_EVENTS 0x00030006

// glfwGetJoystickParam parameters; joysticks are numbered 0..15
#define GLFW_PRESENT 0x00050001
#define GLFW_AXES 0x00050002
#define GLFW_BUTTONS 0x00050003
#define GLFW_JOYSTICK_1 0
#define GLFW_JOYSTICK_LAST 15

#define GLFW_MOUSE_BUTTON_LEFT 0
#define GLFW_MOUSE_BUTTON_RIGHT 1
#define GLFW_MOUSE_BUTTON_MIDDLE 2
#define GLFW_MOUSE_BUTTON_LAST 7

// Keys: printable keys are their (upper-case, US layout) character codes; special keys start at 256.
#define GLFW_KEY_UNKNOWN -1
#define GLFW_KEY_SPACE 32
#define GLFW_KEY_SPECIAL 256
#define GLFW_KEY_ESC 257
#define GLFW_KEY_F1 258
#define GLFW_KEY_F2 259
#define GLFW_KEY_F3 260
#define GLFW_KEY_F4 261
#define GLFW_KEY_F5 262
#define GLFW_KEY_F6 263
#define GLFW_KEY_F7 264
#define GLFW_KEY_F8 265
#define GLFW_KEY_F9 266
#define GLFW_KEY_F10 267
#define GLFW_KEY_F11 268
#define GLFW_KEY_F12 269
#define GLFW_KEY_F13 270
#define GLFW_KEY_F14 271
#define GLFW_KEY_F15 272
#define GLFW_KEY_F16 273
#define GLFW_KEY_F17 274
#define GLFW_KEY_F18 275
#define GLFW_KEY_F19 276
#define GLFW_KEY_F20 277
#define GLFW_KEY_F21 278
#define GLFW_KEY_F22 279
#define GLFW_KEY_F23 280
#define GLFW_KEY_F24 281
#define GLFW_KEY_F25 282
#define GLFW_KEY_UP 283
#define GLFW_KEY_DOWN 284
#define GLFW_KEY_LEFT 285
#define GLFW_KEY_RIGHT 286
#define GLFW_KEY_LSHIFT 287
#define GLFW_KEY_RSHIFT 288
#define GLFW_KEY_LCTRL 289
#define GLFW_KEY_RCTRL 290
#define GLFW_KEY_LALT 291
#define GLFW_KEY_RALT 292
#define GLFW_KEY_TAB 293
#define GLFW_KEY_ENTER 294
#define GLFW_KEY_BACKSPACE 295
#define GLFW_KEY_INSERT 296
#define GLFW_KEY_DEL 297
#define GLFW_KEY_PAGEUP 298
#define GLFW_KEY_PAGEDOWN 299
#define GLFW_KEY_HOME 300
#define GLFW_KEY_END 301
#define GLFW_KEY_KP_0 302
#define GLFW_KEY_KP_1 303
#define GLFW_KEY_KP_2 304
#define GLFW_KEY_KP_3 305
#define GLFW_KEY_KP_4 306
#define GLFW_KEY_KP_5 307
#define GLFW_KEY_KP_6 308
#define GLFW_KEY_KP_7 309
#define GLFW_KEY_KP_8 310
#define GLFW_KEY_KP_9 311
#define GLFW_KEY_KP_DIVIDE 312
#define GLFW_KEY_KP_MULTIPLY 313
#define GLFW_KEY_KP_SUBTRACT 314
#define GLFW_KEY_KP_ADD 315
#define GLFW_KEY_KP_DECIMAL 316
#define GLFW_KEY_KP_EQUAL 317
#define GLFW_KEY_KP_ENTER 318
#define GLFW_KEY_KP_NUM_LOCK 319
#define GLFW_KEY_CAPS_LOCK 320
#define GLFW_KEY_SCROLL_LOCK 321
#define GLFW_KEY_PAUSE 322
#define GLFW_KEY_LSUPER 323
#define GLFW_KEY_RSUPER 324
#define GLFW_KEY_MENU 325
#define GLFW_KEY_LAST GLFW_KEY_MENU

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
