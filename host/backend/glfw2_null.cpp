// The scripted (null) backend: the 2.7-style calls act on a world a test controls (see glfw2_null.h).
#include "host/backend/glfw2_null.h"

#include <cstring>

namespace {

Glfw2NullWorld w;

void RunHook(Glfw2NullCall call) {
    if (w.hook) w.hook(call, w.hookUser);
}

bool Push(Glfw2NullEvent e) {
    if (w.eventCount >= Glfw2NullWorld::kMaxEvents) {
        w.droppedEvents++;
        return false;
    }
    w.events[(w.eventHead + w.eventCount) % Glfw2NullWorld::kMaxEvents] = e;
    w.eventCount++;
    return true;
}

void CloseWindow() {
    if (!w.opened) return;
    w.opened = false;
    w.active = false;
    w.iconified = false;
    w.width = w.height = 0;
    w.closeCount++;
}

void Deliver(const Glfw2NullEvent& e) {
    switch (e.kind) {
        case Glfw2NullEvent::Key: {
            if (e.a < 0 || e.a > GLFW_KEY_LAST) return;
            bool press = e.b == GLFW_PRESS;
            if (press && w.keys[e.a] && !w.keyRepeat) return;  // a repeat while repeats are off
            if (!press && !w.keys[e.a]) return;                 // nothing to release
            w.keys[e.a] = press;
            if (w.keyFun) w.keyFun(e.a, press ? GLFW_PRESS : GLFW_RELEASE);
            break;
        }
        case Glfw2NullEvent::Char:
            if (w.charFun) w.charFun(e.a, e.b);
            break;
        case Glfw2NullEvent::MouseButton: {
            if (e.a < 0 || e.a > GLFW_MOUSE_BUTTON_LAST) return;
            bool press = e.b == GLFW_PRESS;
            w.mouseButtons[e.a] = press;
            if (w.mouseButtonFun) w.mouseButtonFun(e.a, press ? GLFW_PRESS : GLFW_RELEASE);
            break;
        }
        case Glfw2NullEvent::MousePos:
            w.mouseX = e.a;
            w.mouseY = e.b;
            if (w.mousePosFun) w.mousePosFun(e.a, e.b);
            break;
        case Glfw2NullEvent::WindowClose:
            if (!w.windowCloseFun || w.windowCloseFun() != 0) CloseWindow();
            break;
    }
}

// Delivers the events queued before this call; events queued by callbacks wait for the next one.
void DeliverQueued() {
    for (int n = w.eventCount; n > 0 && w.eventCount > 0; n--) {
        Glfw2NullEvent e = w.events[w.eventHead];
        w.eventHead = (w.eventHead + 1) % Glfw2NullWorld::kMaxEvents;
        w.eventCount--;
        if (w.opened) Deliver(e);  // a window that is gone receives nothing
    }
}

int Init() {
    w.initCount++;
    if (!w.initResult) return 0;
    w.initialized = true;
    w.keyRepeat = false;
    w.autoPoll = true;
    w.cursorShown = true;
    return 1;
}

void Terminate() {
    CloseWindow();
    w.initialized = false;
    w.terminateCount++;
    w.keyFun = nullptr;
    w.charFun = nullptr;
    w.mouseButtonFun = nullptr;
    w.mousePosFun = nullptr;
    w.windowCloseFun = nullptr;
}

int OpenWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits, int depthBits,
               int stencilBits, int mode) {
    int refreshRate = w.hintRefreshRate, noResize = w.hintNoResize;
    w.hintRefreshRate = w.hintNoResize = 0;
    if (w.opened || w.failOpen || (mode != GLFW_WINDOW && mode != GLFW_FULLSCREEN)) return 0;
    glfw2_DefaultWindowSize(width, height);
    if (width <= 0 || height <= 0) return 0;
    w.opened = true;
    w.openCount++;
    w.width = w.openWidth > 0 ? w.openWidth : width;
    w.height = w.openHeight > 0 ? w.openHeight : height;
    w.active = w.activeOnOpen;
    w.iconified = false;
    w.mode = mode;
    const int bits[6] = {redBits, greenBits, blueBits, alphaBits, depthBits, stencilBits};
    std::memcpy(w.bits, bits, sizeof bits);
    w.refreshRate = refreshRate;
    w.noResize = noResize;
    w.title[0] = 0;
    return 1;
}

void OpenWindowHint(int target, int hint) {
    if (target == GLFW_REFRESH_RATE) w.hintRefreshRate = hint;
    if (target == GLFW_WINDOW_NO_RESIZE) w.hintNoResize = hint;
}

int GetWindowParam(int param) {
    if (param == GLFW_OPENED) return w.opened;
    if (!w.opened) return 0;
    switch (param) {
        case GLFW_ACTIVE: return w.active && !w.iconified;
        case GLFW_ICONIFIED: return w.iconified;
        case GLFW_ACCELERATED: return 1;
        case GLFW_RED_BITS: return w.bits[0];
        case GLFW_GREEN_BITS: return w.bits[1];
        case GLFW_BLUE_BITS: return w.bits[2];
        case GLFW_ALPHA_BITS: return w.bits[3];
        case GLFW_DEPTH_BITS: return w.bits[4];
        case GLFW_STENCIL_BITS: return w.bits[5];
        case GLFW_REFRESH_RATE: return w.mode == GLFW_FULLSCREEN ? w.refreshRate : 0;
        case GLFW_WINDOW_NO_RESIZE: return w.noResize != 0;
        default: return 0;
    }
}

void SetWindowTitle(const char* title) {
    if (!w.opened || !title) return;
    std::strncpy(w.title, title, sizeof w.title - 1);
    w.title[sizeof w.title - 1] = 0;
}

void SetWindowPos(int x, int y) {
    if (!w.opened || w.mode == GLFW_FULLSCREEN) return;
    w.posX = x;
    w.posY = y;
}

void GetWindowSize(int* width, int* height) {
    if (width) *width = w.opened ? w.width : 0;
    if (height) *height = w.opened ? w.height : 0;
}

void PollEvents() {
    w.pollCount++;
    RunHook(Glfw2NullCall::PollEvents);
    DeliverQueued();
}

// Nothing can arrive from outside, so an empty queue (after the hook had its chance) returns at once
// instead of blocking.
void WaitEvents() {
    w.waitCount++;
    RunHook(Glfw2NullCall::WaitEvents);
    DeliverQueued();
}

void SwapBuffers() {
    if (w.opened) w.swapCount++;
    RunHook(Glfw2NullCall::SwapBuffers);
    if (w.autoPoll) DeliverQueued();
}

void SwapInterval(int interval) {
    if (w.opened) w.swapInterval = interval;
}

void SetEnabled(int token, bool on) {
    if (token == GLFW_MOUSE_CURSOR) w.cursorShown = on;
    if (token == GLFW_KEY_REPEAT) w.keyRepeat = on;
    if (token == GLFW_AUTO_POLL_EVENTS) w.autoPoll = on;
}
void Enable(int token) { SetEnabled(token, true); }
void Disable(int token) { SetEnabled(token, false); }

int GetKey(int key) {
    return w.opened && key >= 0 && key <= GLFW_KEY_LAST && w.keys[key] ? GLFW_PRESS : GLFW_RELEASE;
}

int GetMouseButton(int button) {
    return w.opened && button >= 0 && button <= GLFW_MOUSE_BUTTON_LAST && w.mouseButtons[button] ? GLFW_PRESS
                                                                                                  : GLFW_RELEASE;
}

void GetMousePos(int* x, int* y) {
    if (x) *x = w.mouseX;
    if (y) *y = w.mouseY;
}

void SetKeyCallback(GLFWkeyfun f) { w.keyFun = f; }
void SetCharCallback(GLFWcharfun f) { w.charFun = f; }
void SetMouseButtonCallback(GLFWmousebuttonfun f) { w.mouseButtonFun = f; }
void SetMousePosCallback(GLFWmouseposfun f) { w.mousePosFun = f; }
void SetWindowCloseCallback(GLFWwindowclosefun f) { w.windowCloseFun = f; }

const Glfw2NullJoystick* Joystick(int joy) {
    if (joy < 0 || joy > GLFW_JOYSTICK_LAST || !w.joysticks[joy].present) return nullptr;
    return &w.joysticks[joy];
}

int Clamp(int n, int hi) { return n < 0 ? 0 : (n > hi ? hi : n); }

int GetJoystickParam(int joy, int param) {
    const Glfw2NullJoystick* j = Joystick(joy);
    if (!j) return 0;
    if (param == GLFW_PRESENT) return 1;
    if (param == GLFW_AXES) return Clamp(j->axisCount, Glfw2NullJoystick::kMaxAxes);
    if (param == GLFW_BUTTONS) return Clamp(j->buttonCount, Glfw2NullJoystick::kMaxButtons);
    return 0;
}

int GetJoystickPos(int joy, float* pos, int numAxes) {
    if (!pos || numAxes <= 0) return 0;
    for (int i = 0; i < numAxes; i++) pos[i] = 0.0f;
    const Glfw2NullJoystick* j = Joystick(joy);
    if (!j) return 0;
    int n = Clamp(j->axisCount, Glfw2NullJoystick::kMaxAxes);
    if (n > numAxes) n = numAxes;
    for (int i = 0; i < n; i++) pos[i] = j->axes[i];
    return n;
}

int GetJoystickButtons(int joy, unsigned char* buttons, int numButtons) {
    if (!buttons || numButtons <= 0) return 0;
    for (int i = 0; i < numButtons; i++) buttons[i] = GLFW_RELEASE;
    const Glfw2NullJoystick* j = Joystick(joy);
    if (!j) return 0;
    int n = Clamp(j->buttonCount, Glfw2NullJoystick::kMaxButtons);
    if (n > numButtons) n = numButtons;
    for (int i = 0; i < n; i++) buttons[i] = j->buttons[i] ? GLFW_PRESS : GLFW_RELEASE;
    return n;
}

void GetDesktopMode(GLFWvidmode* mode) {
    if (mode) *mode = w.desktop;
}

int GetVideoModes(GLFWvidmode* list, int maxCount) {
    if (!list || maxCount <= 0) return 0;
    int n = Clamp(w.modeCount, Glfw2NullWorld::kMaxModes);
    if (n > maxCount) n = maxCount;
    for (int i = 0; i < n; i++) list[i] = w.modes[i];
    return n;
}

double GetTime() { return w.time; }

void Sleep(double seconds) {
    if (!(seconds > 0.0)) return;
    w.time += seconds;
    w.sleepCount++;
    w.sleptTotal += seconds;
    w.lastSleep = seconds;
}

const Glfw2Backend kNullBackend = {GLFW2_BACKEND_FUNCTIONS};

Glfw2NullEvent Event(Glfw2NullEvent::Kind kind, int a, int b) {
    Glfw2NullEvent e;
    e.kind = kind;
    e.a = a;
    e.b = b;
    return e;
}

}  // namespace

Glfw2NullWorld& glfw2null_World() { return w; }

void glfw2null_Install() {
    w = Glfw2NullWorld{};
    glfw2_SetBackend(&kNullBackend);
}

void glfw2null_Uninstall() { glfw2_SetBackend(nullptr); }

const Glfw2Backend& glfw2null_Backend() { return kNullBackend; }

bool glfw2null_PushKey(int key, int action) { return Push(Event(Glfw2NullEvent::Key, key, action)); }
bool glfw2null_PushChar(int character, int action) { return Push(Event(Glfw2NullEvent::Char, character, action)); }
bool glfw2null_PushMouseButton(int button, int action) {
    return Push(Event(Glfw2NullEvent::MouseButton, button, action));
}
bool glfw2null_PushMousePos(int x, int y) { return Push(Event(Glfw2NullEvent::MousePos, x, y)); }
bool glfw2null_PushWindowClose() { return Push(Event(Glfw2NullEvent::WindowClose, 0, 0)); }
