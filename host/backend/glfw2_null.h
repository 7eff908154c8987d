// The scripted (null) backend of the 2.7-style API: no display and no GL context. Tests and benchmarks
// set its clock, window, keys, joysticks and modes, queue events, and read back what the host did.
#pragma once

#include "host/backend/glfw2.h"

enum class Glfw2NullCall { SwapBuffers, PollEvents, WaitEvents };

struct Glfw2NullJoystick {
    static constexpr int kMaxAxes = 16;
    static constexpr int kMaxButtons = 64;
    bool present = false;
    int axisCount = 0;  // glfwGetJoystickPos reports axes[0..axisCount), already in 2.7 orientation
    float axes[kMaxAxes] = {};
    int buttonCount = 0;  // hat directions, if any, are simply the last buttons
    unsigned char buttons[kMaxButtons] = {};
};

struct Glfw2NullEvent {
    enum Kind { Key, Char, MouseButton, MousePos, WindowClose } kind;
    int a, b;  // key/char/button and action, or x and y
};

// Everything the scripted world knows; fields are free to read and set between glfw* calls.
struct Glfw2NullWorld {
    // Clock: glfwGetTime returns `time`; glfwSleep adds to it and records the request.
    double time = 0.0;
    int sleepCount = 0;
    double sleptTotal = 0.0;
    double lastSleep = 0.0;

    // Library
    int initResult = 1;  // what glfwInit returns
    bool initialized = false;
    int initCount = 0, terminateCount = 0;

    // Window. The next glfwOpenWindow gets the asked size unless openWidth/openHeight are > 0.
    bool opened = false;
    bool failOpen = false;     // the next glfwOpenWindow calls fail
    bool activeOnOpen = true;  // `active` after a successful open
    bool active = false;       // focus; GLFW_ACTIVE is opened && active && !iconified
    bool iconified = false;
    int openWidth = 0, openHeight = 0;
    int width = 0, height = 0;  // the open window's size; a script may change it (a resize)
    int openCount = 0, closeCount = 0;
    int mode = 0;                  // GLFW_WINDOW or GLFW_FULLSCREEN of the last open
    int bits[6] = {};              // red, green, blue, alpha, depth, stencil asked at the last open
    int refreshRate = 0;           // GLFW_REFRESH_RATE hint used by the last open
    int noResize = 0;              // GLFW_WINDOW_NO_RESIZE hint used by the last open
    int hintRefreshRate = 0, hintNoResize = 0;  // hints waiting for the next open
    char title[128] = {};
    int posX = 0, posY = 0;
    int swapInterval = -1;  // last glfwSwapInterval; -1 = never set

    // Input modes, as after glfwInit
    bool keyRepeat = false;
    bool autoPoll = true;
    bool cursorShown = true;

    // Input state; delivered events update it as well
    unsigned char keys[GLFW_KEY_LAST + 1] = {};
    unsigned char mouseButtons[GLFW_MOUSE_BUTTON_LAST + 1] = {};
    int mouseX = 0, mouseY = 0;
    Glfw2NullJoystick joysticks[GLFW_JOYSTICK_LAST + 1];

    // Modes
    GLFWvidmode desktop = {1920, 1080, 8, 8, 8};
    static constexpr int kMaxModes = 64;
    GLFWvidmode modes[kMaxModes] = {{640, 480, 8, 8, 8},   {800, 600, 8, 8, 8},    {1024, 768, 8, 8, 8},
                                    {1280, 720, 8, 8, 8},  {1280, 1024, 8, 8, 8},  {1920, 1080, 8, 8, 8}};
    int modeCount = 6;

    // Counters
    int swapCount = 0, pollCount = 0, waitCount = 0;

    // Called at the start of glfwSwapBuffers, glfwPollEvents and glfwWaitEvents, before queued events are
    // delivered: a script can advance `time` or queue events per frame here.
    void (*hook)(Glfw2NullCall call, void* user) = nullptr;
    void* hookUser = nullptr;

    // Installed callbacks
    GLFWkeyfun keyFun = nullptr;
    GLFWcharfun charFun = nullptr;
    GLFWmousebuttonfun mouseButtonFun = nullptr;
    GLFWmouseposfun mousePosFun = nullptr;
    GLFWwindowclosefun windowCloseFun = nullptr;

    // Event queue (a ring; use the push functions)
    static constexpr int kMaxEvents = 1024;
    Glfw2NullEvent events[kMaxEvents] = {};
    int eventHead = 0, eventCount = 0;
    int droppedEvents = 0;  // pushes refused because the queue was full
};

// The world behind the null backend.
Glfw2NullWorld& glfw2null_World();
// Resets the world to its defaults and routes every glfw* call to it.
void glfw2null_Install();
// Routes glfw* calls back to the GLFW 3 adapter (the world keeps its state).
void glfw2null_Uninstall();
// The null backend's table, for code that manages the seam itself.
const Glfw2Backend& glfw2null_Backend();

// Queue events for the next glfwPollEvents / glfwWaitEvents (or auto-polling glfwSwapBuffers); false when
// the queue is full. Events are delivered in order through the installed callbacks while a window is
// open, and dropped when none is. A key press of a key already down counts as a repeat: it is dropped
// unless GLFW_KEY_REPEAT is enabled; a release of a key that is not down is dropped too.
bool glfw2null_PushKey(int key, int action);
bool glfw2null_PushChar(int character, int action);
bool glfw2null_PushMouseButton(int button, int action);
bool glfw2null_PushMousePos(int x, int y);
// A click on the close button: the window closes unless the close callback returns 0.
bool glfw2null_PushWindowClose();
