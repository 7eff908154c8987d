// The seam under the GLFW 2.7-style window API: one table of functions per backend (the GLFW 3 adapter,
// the scripted null world). Safe to include next to <GLFW/glfw3.h>: it defines no glfw* names or macros.
#pragma once

// A display mode as the 2.7 API reports it (no refresh rate).
struct Glfw2VidMode {
    int Width, Height;
    int RedBits, GreenBits, BlueBits;
};

// 2.7 callback shapes. The window-close callback returns 0 to keep the window open.
typedef void (*Glfw2KeyFun)(int key, int action);
typedef void (*Glfw2CharFun)(int character, int action);
typedef void (*Glfw2MouseButtonFun)(int button, int action);
typedef void (*Glfw2MousePosFun)(int x, int y);
typedef int (*Glfw2WindowCloseFun)();

// One entry per 2.7 call; every entry must be set. The glfw* functions of host/glfw2.h forward here.
struct Glfw2Backend {
    int (*Init)();
    void (*Terminate)();
    int (*OpenWindow)(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                      int depthBits, int stencilBits, int mode);
    void (*OpenWindowHint)(int target, int hint);
    void (*CloseWindow)();
    int (*GetWindowParam)(int param);
    void (*SetWindowTitle)(const char* title);
    void (*SetWindowPos)(int x, int y);
    void (*GetWindowSize)(int* width, int* height);
    void (*SwapBuffers)();
    void (*SwapInterval)(int interval);
    void (*PollEvents)();
    void (*WaitEvents)();
    void (*Enable)(int token);
    void (*Disable)(int token);
    int (*GetKey)(int key);
    int (*GetMouseButton)(int button);
    void (*GetMousePos)(int* x, int* y);
    void (*SetKeyCallback)(Glfw2KeyFun fun);
    void (*SetCharCallback)(Glfw2CharFun fun);
    void (*SetMouseButtonCallback)(Glfw2MouseButtonFun fun);
    void (*SetMousePosCallback)(Glfw2MousePosFun fun);
    void (*SetWindowCloseCallback)(Glfw2WindowCloseFun fun);
    int (*GetJoystickParam)(int joy, int param);
    int (*GetJoystickPos)(int joy, float* pos, int numAxes);
    int (*GetJoystickButtons)(int joy, unsigned char* buttons, int numButtons);
    void (*GetDesktopMode)(Glfw2VidMode* mode);
    int (*GetVideoModes)(Glfw2VidMode* list, int maxCount);
    double (*GetTime)();
    void (*Sleep)(double seconds);
};

// The table's fields in order, as the names of a backend's own functions: a backend that defines a
// function of each field's name in its namespace fills its table with {GLFW2_BACKEND_FUNCTIONS}, and a
// field added to the table is then added to every such backend in one place.
#define GLFW2_BACKEND_FUNCTIONS                                                                                  \
    Init, Terminate, OpenWindow, OpenWindowHint, CloseWindow, GetWindowParam, SetWindowTitle, SetWindowPos,     \
        GetWindowSize, SwapBuffers, SwapInterval, PollEvents, WaitEvents, Enable, Disable, GetKey, GetMouseButton, \
        GetMousePos, SetKeyCallback, SetCharCallback, SetMouseButtonCallback, SetMousePosCallback,              \
        SetWindowCloseCallback, GetJoystickParam, GetJoystickPos, GetJoystickButtons, GetDesktopMode,           \
        GetVideoModes, GetTime, Sleep

// Makes `backend` the target of every glfw* call; nullptr restores the GLFW 3 adapter (the default).
// The table must outlive its use. Swap only while no window is open through the old backend.
void glfw2_SetBackend(const Glfw2Backend* backend);
// The backend the glfw* calls currently reach.
const Glfw2Backend& glfw2_CurrentBackend();
// The GLFW 3 adapter's table (host/backend/glfw2_adapter.cpp).
const Glfw2Backend& glfw2_Glfw3Backend();

// The 2.7 numbers under names that cannot collide with GLFW 3's macros, for backend code.
// host/glfw2.h gives these values their 2.7 macro names.
namespace glfw2c {
enum : int {
    RELEASE = 0,
    PRESS = 1,

    WINDOW = 0x10001,
    FULLSCREEN = 0x10002,

    OPENED = 0x20001,
    ACTIVE = 0x20002,
    ICONIFIED = 0x20003,
    ACCELERATED = 0x20004,
    RED_BITS = 0x20005,
    GREEN_BITS = 0x20006,
    BLUE_BITS = 0x20007,
    ALPHA_BITS = 0x20008,
    DEPTH_BITS = 0x20009,
    STENCIL_BITS = 0x2000A,
    REFRESH_RATE = 0x2000B,
    WINDOW_NO_RESIZE = 0x20012,

    MOUSE_CURSOR = 0x30001,
    KEY_REPEAT = 0x30005,
    AUTO_POLL_EVENTS = 0x30006,

    PRESENT = 0x50001,
    AXES = 0x50002,
    BUTTONS = 0x50003,

    JOYSTICK_LAST = 15,
    MOUSE_BUTTON_LAST = 7,

    KEY_UNKNOWN = -1,
    KEY_SPACE = 32,
    KEY_SPECIAL = 256,
    KEY_ESC = 257,
    KEY_F1 = 258,
    KEY_F25 = 282,
    KEY_UP = 283,
    KEY_DOWN = 284,
    KEY_LEFT = 285,
    KEY_RIGHT = 286,
    KEY_LSHIFT = 287,
    KEY_RSHIFT = 288,
    KEY_LCTRL = 289,
    KEY_RCTRL = 290,
    KEY_LALT = 291,
    KEY_RALT = 292,
    KEY_TAB = 293,
    KEY_ENTER = 294,
    KEY_BACKSPACE = 295,
    KEY_INSERT = 296,
    KEY_DEL = 297,
    KEY_PAGEUP = 298,
    KEY_PAGEDOWN = 299,
    KEY_HOME = 300,
    KEY_END = 301,
    KEY_KP_0 = 302,
    KEY_KP_9 = 311,
    KEY_KP_DIVIDE = 312,
    KEY_KP_MULTIPLY = 313,
    KEY_KP_SUBTRACT = 314,
    KEY_KP_ADD = 315,
    KEY_KP_DECIMAL = 316,
    KEY_KP_EQUAL = 317,
    KEY_KP_ENTER = 318,
    KEY_KP_NUM_LOCK = 319,
    KEY_CAPS_LOCK = 320,
    KEY_SCROLL_LOCK = 321,
    KEY_PAUSE = 322,
    KEY_LSUPER = 323,
    KEY_RSUPER = 324,
    KEY_MENU = 325,
    KEY_LAST = 325,
};
}  // namespace glfw2c

// The 2.7 rule for a window size left out: 640 x 480 when both are missing, else 4:3 from the other.
inline void glfw2_DefaultWindowSize(int& width, int& height) {
    if (width <= 0 && height <= 0) {
        width = 640;
        height = 480;
    } else if (width <= 0) {
        width = height * 4 / 3;
    } else if (height <= 0) {
        height = width * 3 / 4;
    }
}
