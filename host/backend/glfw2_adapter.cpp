// The GLFW 3 backend of the 2.7-style API: one window at a time, 2.7 key numbers, 2.7 callback and
// input-mode rules, joysticks (host/pads/glfw2_joysticks.cpp), desktop and video modes, clock and sleep.
// The 2.7 API knows one desktop; here it is the monitor the game is on: the one holding the window, or
// the last window, at first the primary one. Its mode is the desktop mode, window positions are relative
// to it, full screen goes to it and a new window opens on it, scaled to its pixel density.
#include "host/pads/gamepad_mappings.h"
#include "host/backend/glfw2_adapter.h"
#include "host/backend/glfw2_backend.h"
#include "host/backend/sleep.h"
#include "host/pads/glfw2_joysticks.h"

#include <GLFW/glfw3.h>  // also brings <GL/gl.h>, used for the colour-bit queries

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

int glfw2_KeyFromGlfw3(int k) {
    // Printable keys: GLFW 3 numbers them by their US-layout character, as 2.7 did.
    if (k == GLFW_KEY_SPACE || k == GLFW_KEY_APOSTROPHE || (k >= GLFW_KEY_COMMA && k <= GLFW_KEY_9) ||
        k == GLFW_KEY_SEMICOLON || k == GLFW_KEY_EQUAL || (k >= GLFW_KEY_A && k <= GLFW_KEY_RIGHT_BRACKET) ||
        k == GLFW_KEY_GRAVE_ACCENT)
        return k;
    if (k >= GLFW_KEY_F1 && k <= GLFW_KEY_F25) return glfw2c::KEY_F1 + (k - GLFW_KEY_F1);
    if (k >= GLFW_KEY_KP_0 && k <= GLFW_KEY_KP_9) return glfw2c::KEY_KP_0 + (k - GLFW_KEY_KP_0);
    switch (k) {
        case GLFW_KEY_ESCAPE: return glfw2c::KEY_ESC;
        case GLFW_KEY_ENTER: return glfw2c::KEY_ENTER;
        case GLFW_KEY_TAB: return glfw2c::KEY_TAB;
        case GLFW_KEY_BACKSPACE: return glfw2c::KEY_BACKSPACE;
        case GLFW_KEY_INSERT: return glfw2c::KEY_INSERT;
        case GLFW_KEY_DELETE: return glfw2c::KEY_DEL;
        case GLFW_KEY_RIGHT: return glfw2c::KEY_RIGHT;
        case GLFW_KEY_LEFT: return glfw2c::KEY_LEFT;
        case GLFW_KEY_DOWN: return glfw2c::KEY_DOWN;
        case GLFW_KEY_UP: return glfw2c::KEY_UP;
        case GLFW_KEY_PAGE_UP: return glfw2c::KEY_PAGEUP;
        case GLFW_KEY_PAGE_DOWN: return glfw2c::KEY_PAGEDOWN;
        case GLFW_KEY_HOME: return glfw2c::KEY_HOME;
        case GLFW_KEY_END: return glfw2c::KEY_END;
        case GLFW_KEY_CAPS_LOCK: return glfw2c::KEY_CAPS_LOCK;
        case GLFW_KEY_SCROLL_LOCK: return glfw2c::KEY_SCROLL_LOCK;
        case GLFW_KEY_NUM_LOCK: return glfw2c::KEY_KP_NUM_LOCK;
        case GLFW_KEY_PAUSE: return glfw2c::KEY_PAUSE;
        case GLFW_KEY_KP_DECIMAL: return glfw2c::KEY_KP_DECIMAL;
        case GLFW_KEY_KP_DIVIDE: return glfw2c::KEY_KP_DIVIDE;
        case GLFW_KEY_KP_MULTIPLY: return glfw2c::KEY_KP_MULTIPLY;
        case GLFW_KEY_KP_SUBTRACT: return glfw2c::KEY_KP_SUBTRACT;
        case GLFW_KEY_KP_ADD: return glfw2c::KEY_KP_ADD;
        case GLFW_KEY_KP_ENTER: return glfw2c::KEY_KP_ENTER;
        case GLFW_KEY_KP_EQUAL: return glfw2c::KEY_KP_EQUAL;
        case GLFW_KEY_LEFT_SHIFT: return glfw2c::KEY_LSHIFT;
        case GLFW_KEY_LEFT_CONTROL: return glfw2c::KEY_LCTRL;
        case GLFW_KEY_LEFT_ALT: return glfw2c::KEY_LALT;
        case GLFW_KEY_LEFT_SUPER: return glfw2c::KEY_LSUPER;
        case GLFW_KEY_RIGHT_SHIFT: return glfw2c::KEY_RSHIFT;
        case GLFW_KEY_RIGHT_CONTROL: return glfw2c::KEY_RCTRL;
        case GLFW_KEY_RIGHT_ALT: return glfw2c::KEY_RALT;
        case GLFW_KEY_RIGHT_SUPER: return glfw2c::KEY_RSUPER;
        case GLFW_KEY_MENU: return glfw2c::KEY_MENU;
        default: return glfw2c::KEY_UNKNOWN;
    }
}

int glfw2_KeyToGlfw3(int key) {
    // The inverse of the table above, built once from it so the two can never disagree.
    struct Inverse {
        int of[glfw2c::KEY_LAST + 1];
        Inverse() {
            for (int& k : of) k = -1;
            for (int k3 = 0; k3 <= GLFW_KEY_LAST; k3++) {
                int k2 = glfw2_KeyFromGlfw3(k3);
                if (k2 >= 0) of[k2] = k3;
            }
        }
    };
    static const Inverse inverse;
    return key >= 0 && key <= glfw2c::KEY_LAST ? inverse.of[key] : -1;
}

void glfw2_ScaledWindowSize(int width, int height, float scale, int roomWidth, int roomHeight, int* outWidth,
                            int* outHeight) {
    double s = scale > 0.0f ? scale : 1.0;
    if (width > 0 && height > 0 && roomWidth > 0 && roomHeight > 0) {
        const double fit = std::min(double(roomWidth) / width, double(roomHeight) / height);
        if (s > fit) s = std::max(fit, std::min(s, 1.0));
    }
    *outWidth = int(std::lround(width * s));
    *outHeight = int(std::lround(height * s));
}

int glfw2_KeepInArea(int at, int size, int areaAt, int areaSize, int frameBefore, int frameAfter) {
    if (areaSize <= 0) return at;
    return std::max(std::min(at, areaAt + areaSize - frameAfter - size), areaAt + frameBefore);
}

int glfw2_AreaHolding(const Glfw2Area* areas, int count, int x, int y) {
    for (int i = 0; i < count; i++) {
        const Glfw2Area& a = areas[i];
        if (x >= a.x && x - a.x < a.width && y >= a.y && y - a.y < a.height) return i;
    }
    return -1;
}

namespace {

constexpr int kMaxDoomed = 4;
constexpr int kMaxMonitors = 16;  // monitors beyond these are never the game's

struct AdapterState {
    GLFWwindow* window = nullptr;
    bool fullscreen = false;
    // The monitor of the window, kept when it closes so that the next one opens there; null: the primary.
    // Only ever compared with GLFW's current list: a monitor unplugged since is not used.
    GLFWmonitor* monitor = nullptr;
    // Windows closed from inside a callback: GLFW 3 forbids destroying them there, so they wait.
    GLFWwindow* doomed[kMaxDoomed] = {};
    int doomedCount = 0;
    int dispatching = 0;  // > 0 while GLFW 3 runs our callbacks

    int refreshRateHint = 0;  // for the next glfwOpenWindow only
    int noResizeHint = 0;

    bool keyRepeat = false;
    bool autoPoll = true;
    bool cursorShown = true;
    bool lastKeyWasRepeat = false;  // GLFW 3 sends the character of a repeat right after the key
    int mouseX = 0, mouseY = 0;
    bool mouseKnown = false;
    // The window size, kept from GLFW 3's size events: the host reads it every update, and asking
    // the X server each time would allocate and round-trip during play.
    int width = 0, height = 0;

    Glfw2KeyFun keyFun = nullptr;
    Glfw2CharFun charFun = nullptr;
    Glfw2MouseButtonFun mouseButtonFun = nullptr;
    Glfw2MousePosFun mousePosFun = nullptr;
    Glfw2WindowCloseFun windowCloseFun = nullptr;
};

AdapterState g;
char g_lastError[256];
int g_lastErrorCode = 0;

void OnError3(int code, const char* description) {
    g_lastErrorCode = code;
    std::snprintf(g_lastError, sizeof g_lastError, "%s", description ? description : "");
}

void ResetModes() {
    g.refreshRateHint = 0;
    g.noResizeHint = 0;
    g.keyRepeat = false;
    g.autoPoll = true;
    g.cursorShown = true;
}

// >>callbacks from GLFW 3; events of a window already closed are dropped

void OnSize3(GLFWwindow* w, int width, int height) {
    if (w != g.window) return;
    g.width = width;
    g.height = height;
}

void OnKey3(GLFWwindow* w, int key, int /*scancode*/, int action, int /*mods*/) {
    if (w != g.window) return;
    g.lastKeyWasRepeat = action == GLFW_REPEAT;
    if (action == GLFW_REPEAT) {
        if (!g.keyRepeat) return;
        action = GLFW_PRESS;
    }
    int key2 = glfw2_KeyFromGlfw3(key);
    if (key2 < 0 || !g.keyFun) return;
    g.keyFun(key2, action == GLFW_PRESS ? glfw2c::PRESS : glfw2c::RELEASE);
}

void OnChar3(GLFWwindow* w, unsigned int codepoint) {
    if (w != g.window) return;
    if (g.lastKeyWasRepeat && !g.keyRepeat) return;
    if (g.charFun && codepoint <= 0x10FFFF) g.charFun(int(codepoint), glfw2c::PRESS);
}

void OnMouseButton3(GLFWwindow* w, int button, int action, int /*mods*/) {
    if (w != g.window || button < 0 || button > glfw2c::MOUSE_BUTTON_LAST) return;
    if (g.mouseButtonFun) g.mouseButtonFun(button, action == GLFW_PRESS ? glfw2c::PRESS : glfw2c::RELEASE);
}

int ToPixel(double v) {
    if (!(v > double(INT_MIN) && v < double(INT_MAX))) return v > 0 ? INT_MAX : (v < 0 ? INT_MIN : 0);
    return int(std::floor(v));
}

void OnCursorPos3(GLFWwindow* w, double x, double y) {
    if (w != g.window) return;
    int ix = ToPixel(x), iy = ToPixel(y);
    // Whole pixels only: sub-pixel motion is no motion in the 2.7 API.
    if (g.mouseKnown && ix == g.mouseX && iy == g.mouseY) return;
    g.mouseX = ix;
    g.mouseY = iy;
    g.mouseKnown = true;
    if (g.mousePosFun) g.mousePosFun(ix, iy);
}

void OnClose3(GLFWwindow* w) {
    if (w != g.window) return;
    // GLFW 3 has already flagged the window; a callback answering 0 keeps it open.
    if (g.windowCloseFun && g.windowCloseFun() == 0) glfwSetWindowShouldClose(w, GLFW_FALSE);
}

// >>monitors

// The monitor the game is on: the full-screen window's own, the one holding the centre of a windowed
// one, else the last window's, else the primary one.
GLFWmonitor* GameMonitor() {
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    count = std::min(count, kMaxMonitors);
    if (g.window) {
        if (GLFWmonitor* own = glfwGetWindowMonitor(g.window)) {
            g.monitor = own;
        } else {
            Glfw2Area areas[kMaxMonitors] = {};
            for (int i = 0; i < count; i++) {
                const GLFWvidmode* v = glfwGetVideoMode(monitors[i]);
                if (!v) continue;
                glfwGetMonitorPos(monitors[i], &areas[i].x, &areas[i].y);
                areas[i].width = v->width;
                areas[i].height = v->height;
            }
            int x = 0, y = 0;
            glfwGetWindowPos(g.window, &x, &y);
            const int at = glfw2_AreaHolding(areas, count, x + g.width / 2, y + g.height / 2);
            if (at >= 0) g.monitor = monitors[at];
        }
    }
    for (int i = 0; i < count; i++) {
        if (monitors[i] == g.monitor) return g.monitor;
    }
    g.monitor = nullptr;
    return glfwGetPrimaryMonitor();
}

// Sizes a new, still hidden, windowed window for the monitor's pixel density and centres it in the
// monitor's work area. Moving it onto a monitor of another density rescales it (GLFW_SCALE_TO_MONITOR),
// so the size is set once it is there, and the place again for that size.
void PlaceOnMonitor(GLFWwindow* w, int width, int height, GLFWmonitor* monitor) {
    float scale = 1.0f, yScale = 1.0f;
    glfwGetMonitorContentScale(monitor, &scale, &yScale);
    int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
    glfwGetMonitorWorkarea(monitor, &areaX, &areaY, &areaWidth, &areaHeight);
    // The frame only matters to a window that grows; asking for it can wait on the window manager.
    int left = 0, top = 0, right = 0, bottom = 0;
    if (scale > 1.0f) glfwGetWindowFrameSize(w, &left, &top, &right, &bottom);
    const int roomWidth = areaWidth - left - right, roomHeight = areaHeight - top - bottom;
    int sizeWidth = width, sizeHeight = height;
    glfw2_ScaledWindowSize(width, height, scale, roomWidth, roomHeight, &sizeWidth, &sizeHeight);
    const int x = areaX + left + (roomWidth - sizeWidth) / 2, y = areaY + top + (roomHeight - sizeHeight) / 2;
    glfwSetWindowPos(w, x, y);
    glfwSetWindowSize(w, sizeWidth, sizeHeight);
    glfwSetWindowPos(w, x, y);
}

// >>window

void CloseWindow() {
    GLFWwindow* w = g.window;
    if (!w) return;
    GameMonitor();  // remembered for the next window
    g.window = nullptr;
    g.fullscreen = false;
    g.mouseKnown = false;
    if (g.dispatching > 0 && g.doomedCount < kMaxDoomed) {
        glfwHideWindow(w);
        g.doomed[g.doomedCount++] = w;
    } else {
        glfwDestroyWindow(w);
    }
}

// After GLFW 3 returns from event processing: destroy what callbacks closed, and close the window when
// the close request was not refused (2.7 closes it for the application).
void FinishEvents() {
    for (int i = 0; i < g.doomedCount; i++) glfwDestroyWindow(g.doomed[i]);
    g.doomedCount = 0;
    if (g.window && glfwWindowShouldClose(g.window)) CloseWindow();
}

int OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits, int depthBits,
               int stencilBits, int mode) {
    int refreshRate = g.refreshRateHint, noResize = g.noResizeHint;
    g.refreshRateHint = 0;
    g.noResizeHint = 0;
    if (g.window || (mode != glfw2c::WINDOW && mode != glfw2c::FULLSCREEN)) return 0;
    glfw2_DefaultWindowSize(width, height);
    if (width <= 0 || height <= 0) return 0;

    GLFWmonitor* target = GameMonitor();
    GLFWmonitor* monitor = mode == glfw2c::FULLSCREEN ? target : nullptr;
    // Default context hints give a compatibility context (no core profile), so GL 1.x code runs.
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RED_BITS, redBits > 0 ? redBits : GLFW_DONT_CARE);
    glfwWindowHint(GLFW_GREEN_BITS, greenBits > 0 ? greenBits : GLFW_DONT_CARE);
    glfwWindowHint(GLFW_BLUE_BITS, blueBits > 0 ? blueBits : GLFW_DONT_CARE);
    glfwWindowHint(GLFW_ALPHA_BITS, alphaBits > 0 ? alphaBits : 0);
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits > 0 ? depthBits : 0);
    glfwWindowHint(GLFW_STENCIL_BITS, stencilBits > 0 ? stencilBits : 0);
    glfwWindowHint(GLFW_REFRESH_RATE, refreshRate > 0 ? refreshRate : GLFW_DONT_CARE);
    glfwWindowHint(GLFW_RESIZABLE, noResize ? GLFW_FALSE : GLFW_TRUE);
    // The asked size is meant at the desktop's base pixel density: a windowed window grows with its
    // monitor's, also when it is moved to another monitor. It shows once it has its size and place.
    glfwWindowHint(GLFW_SCALE_TO_MONITOR, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, monitor ? GLFW_TRUE : GLFW_FALSE);
    GLFWwindow* w = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (!w) return 0;
    if (!monitor) {
        if (target) PlaceOnMonitor(w, width, height, target);
        glfwShowWindow(w);  // and focuses it (GLFW_FOCUS_ON_SHOW), as a window created visible is
    }

    g.window = w;
    g.fullscreen = monitor != nullptr;
    g.mouseKnown = false;
    g.lastKeyWasRepeat = false;
    glfwMakeContextCurrent(w);
    glfwSetKeyCallback(w, OnKey3);
    glfwSetCharCallback(w, OnChar3);
    glfwSetMouseButtonCallback(w, OnMouseButton3);
    glfwSetCursorPosCallback(w, OnCursorPos3);
    glfwSetWindowCloseCallback(w, OnClose3);
    glfwSetWindowSizeCallback(w, OnSize3);
    glfwGetWindowSize(w, &g.width, &g.height);
    glfwSetInputMode(w, GLFW_CURSOR, g.cursorShown ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
    // GLFW 3 focuses new windowed windows only; without a window manager a full-screen one would
    // otherwise start inactive (and the game suspended).
    if (g.fullscreen) glfwFocusWindow(w);
    return 1;
}

void OpenWindowHint(int target, int hint) {
    if (target == glfw2c::REFRESH_RATE) g.refreshRateHint = hint;
    if (target == glfw2c::WINDOW_NO_RESIZE) g.noResizeHint = hint;
}

int GetGlInteger(GLenum name) {
    GLint v = 0;
    glGetIntegerv(name, &v);
    return v;
}

int GetWindowParam(int param) {
    if (param == glfw2c::OPENED) return g.window != nullptr;
    if (!g.window) return 0;
    switch (param) {
        case glfw2c::ACTIVE:
            return glfwGetWindowAttrib(g.window, GLFW_FOCUSED) && !glfwGetWindowAttrib(g.window, GLFW_ICONIFIED);
        case glfw2c::ICONIFIED: return glfwGetWindowAttrib(g.window, GLFW_ICONIFIED) != 0;
        case glfw2c::ACCELERATED: return 1;
        case glfw2c::RED_BITS: return GetGlInteger(GL_RED_BITS);
        case glfw2c::GREEN_BITS: return GetGlInteger(GL_GREEN_BITS);
        case glfw2c::BLUE_BITS: return GetGlInteger(GL_BLUE_BITS);
        case glfw2c::ALPHA_BITS: return GetGlInteger(GL_ALPHA_BITS);
        case glfw2c::DEPTH_BITS: return GetGlInteger(GL_DEPTH_BITS);
        case glfw2c::STENCIL_BITS: return GetGlInteger(GL_STENCIL_BITS);
        case glfw2c::REFRESH_RATE: {
            GLFWmonitor* m = g.fullscreen ? glfwGetWindowMonitor(g.window) : nullptr;
            const GLFWvidmode* mode = m ? glfwGetVideoMode(m) : nullptr;
            return mode ? mode->refreshRate : 0;
        }
        case glfw2c::WINDOW_NO_RESIZE: return !glfwGetWindowAttrib(g.window, GLFW_RESIZABLE);
        default: return 0;
    }
}

void SetWindowTitle(const char* title) {
    if (g.window && title) glfwSetWindowTitle(g.window, title);
}

void SetWindowPos(int x, int y) {
    if (!g.window || g.fullscreen) return;
    GLFWmonitor* m = GameMonitor();
    if (m) {
        int originX = 0, originY = 0;
        glfwGetMonitorPos(m, &originX, &originY);
        x += originX;
        y += originY;
        // A window centred by its content area alone can push its title bar off the top of the screen.
        int areaX = 0, areaY = 0, areaWidth = 0, areaHeight = 0;
        glfwGetMonitorWorkarea(m, &areaX, &areaY, &areaWidth, &areaHeight);
        int left = 0, top = 0, right = 0, bottom = 0;
        glfwGetWindowFrameSize(g.window, &left, &top, &right, &bottom);
        x = glfw2_KeepInArea(x, g.width, areaX, areaWidth, left, right);
        y = glfw2_KeepInArea(y, g.height, areaY, areaHeight, top, bottom);
    }
    glfwSetWindowPos(g.window, x, y);
}

void GetWindowSize(int* width, int* height) {
    if (width) *width = g.window ? g.width : 0;
    if (height) *height = g.window ? g.height : 0;
}

void PollEvents() {
    if (g.dispatching > 0) return;  // GLFW 3 cannot process events from inside a callback
    g.dispatching++;
    glfwPollEvents();
    g.dispatching--;
    FinishEvents();
}

void WaitEvents() {
    if (g.dispatching > 0) return;
    g.dispatching++;
    // Without a window nothing could ever wake the wait.
    if (g.window) glfwWaitEvents(); else glfwPollEvents();
    g.dispatching--;
    FinishEvents();
}

void SwapBuffers() {
    if (g.window) glfwSwapBuffers(g.window);
    if (g.autoPoll) PollEvents();
}

void SwapInterval(int interval) {
    if (g.window) glfwSwapInterval(interval);
}

void SetEnabled(int token, bool on) {
    switch (token) {
        case glfw2c::MOUSE_CURSOR:
            g.cursorShown = on;
            if (g.window) glfwSetInputMode(g.window, GLFW_CURSOR, on ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
            break;
        case glfw2c::KEY_REPEAT: g.keyRepeat = on; break;
        case glfw2c::AUTO_POLL_EVENTS: g.autoPoll = on; break;
        default: break;
    }
}
void Enable(int token) { SetEnabled(token, true); }
void Disable(int token) { SetEnabled(token, false); }

// >>input state

int GetKey(int key) {
    int k3 = glfw2_KeyToGlfw3(key);
    if (!g.window || k3 < 0) return glfw2c::RELEASE;
    return glfwGetKey(g.window, k3) == GLFW_PRESS ? glfw2c::PRESS : glfw2c::RELEASE;
}

int GetMouseButton(int button) {
    if (!g.window || button < 0 || button > glfw2c::MOUSE_BUTTON_LAST) return glfw2c::RELEASE;
    return glfwGetMouseButton(g.window, button) == GLFW_PRESS ? glfw2c::PRESS : glfw2c::RELEASE;
}

void GetMousePos(int* x, int* y) {
    if (g.window) {
        double dx = 0, dy = 0;
        glfwGetCursorPos(g.window, &dx, &dy);
        g.mouseX = ToPixel(dx);
        g.mouseY = ToPixel(dy);
    }
    if (x) *x = g.mouseX;
    if (y) *y = g.mouseY;
}

void SetKeyCallback(Glfw2KeyFun f) { g.keyFun = f; }
void SetCharCallback(Glfw2CharFun f) { g.charFun = f; }
void SetMouseButtonCallback(Glfw2MouseButtonFun f) { g.mouseButtonFun = f; }
void SetMousePosCallback(Glfw2MousePosFun f) { g.mousePosFun = f; }
void SetWindowCloseCallback(Glfw2WindowCloseFun f) { g.windowCloseFun = f; }

// >>display modes

void GetDesktopMode(Glfw2VidMode* mode) {
    if (!mode) return;
    *mode = Glfw2VidMode{};
    GLFWmonitor* m = GameMonitor();
    const GLFWvidmode* v = m ? glfwGetVideoMode(m) : nullptr;
    if (v) *mode = Glfw2VidMode{v->width, v->height, v->redBits, v->greenBits, v->blueBits};
}

int GetVideoModes(Glfw2VidMode* list, int maxCount) {
    if (!list || maxCount <= 0) return 0;
    GLFWmonitor* m = GameMonitor();
    int count = 0;
    const GLFWvidmode* modes = m ? glfwGetVideoModes(m, &count) : nullptr;
    if (!modes) return 0;
    // GLFW 3 sorts by colour bits, area, width, then refresh rate, so modes that differ only in refresh
    // rate (one 2.7 mode) are neighbours.
    int n = 0;
    for (int i = 0; i < count && n < maxCount; i++) {
        Glfw2VidMode v{modes[i].width, modes[i].height, modes[i].redBits, modes[i].greenBits, modes[i].blueBits};
        if (n > 0) {
            const Glfw2VidMode& p = list[n - 1];
            if (p.Width == v.Width && p.Height == v.Height && p.RedBits == v.RedBits &&
                p.GreenBits == v.GreenBits && p.BlueBits == v.BlueBits)
                continue;
        }
        list[n++] = v;
    }
    return n;
}

// >>library, clock

int Init() {
    glfwSetErrorCallback(OnError3);
    // Hats are read on their own and appended in the order the game reads directions.
    glfwInitHint(GLFW_JOYSTICK_HAT_BUTTONS, GLFW_FALSE);
    if (!glfwInit()) return 0;
    ResetModes();
    glfw2_LoadStartupGamepadMappings(stderr);
    return 1;
}

void Terminate() {
    if (g.window) {
        glfwDestroyWindow(g.window);
        g.window = nullptr;
    }
    for (int i = 0; i < g.doomedCount; i++) glfwDestroyWindow(g.doomed[i]);
    g.doomedCount = 0;
    glfwTerminate();
    g = AdapterState{};
}

double GetTime() { return glfwGetTime(); }

void Sleep(double seconds) { glfw2_SleepSeconds(seconds); }

const Glfw2Backend kGlfw3Backend = {
    Init, Terminate, OpenWindow, OpenWindowHint, CloseWindow, GetWindowParam, SetWindowTitle, SetWindowPos,
    GetWindowSize, SwapBuffers, SwapInterval, PollEvents, WaitEvents, Enable, Disable, GetKey, GetMouseButton,
    GetMousePos, SetKeyCallback, SetCharCallback, SetMouseButtonCallback, SetMousePosCallback,
    SetWindowCloseCallback, glfw2_JoystickParam, glfw2_JoystickPos, glfw2_JoystickButtons, GetDesktopMode,
    GetVideoModes, GetTime, Sleep,
};

}  // namespace

const Glfw2Backend& glfw2_Glfw3Backend() { return kGlfw3Backend; }
const char* glfw2_LastGlfw3Error() { return g_lastError; }
bool glfw2_LastGlfw3ErrorIsOpenGL() {
    if (g_lastErrorCode == GLFW_API_UNAVAILABLE || g_lastErrorCode == GLFW_VERSION_UNAVAILABLE ||
        g_lastErrorCode == GLFW_FORMAT_UNAVAILABLE)
        return true;
    // Any other failure of the context layer (WGL, GLX, EGL) too: with no OpenGL driver at all, WGL
    // cannot even make the dummy context it starts with.
    for (const char* api : {"WGL: ", "GLX: ", "EGL: "}) {
        if (std::strncmp(g_lastError, api, std::strlen(api)) == 0) return true;
    }
    return false;
}
void glfw2_ClearGlfw3Error() {
    g_lastErrorCode = 0;
    g_lastError[0] = 0;
}
