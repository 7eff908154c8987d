// The scripted backend: events reach the callbacks in order and only when polled, the close callback
// decides, key repeat, the scripted clock and frame hook, window, joystick and mode scripting.
#include "host/backend/glfw2_null.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

namespace {

struct Rec {
    char kind;  // k key, c char, b mouse button, m mouse move, x close
    int a, b;
    bool operator==(const Rec& o) const { return kind == o.kind && a == o.a && b == o.b; }
};
void PrintTo(const Rec& r, std::ostream* os) { *os << r.kind << "(" << r.a << "," << r.b << ")"; }
std::vector<Rec> g_log;
int g_closeAnswer = 0;

void OnKey(int key, int action) { g_log.push_back({'k', key, action}); }
void OnChar(int chr, int action) { g_log.push_back({'c', chr, action}); }
void OnButton(int button, int action) { g_log.push_back({'b', button, action}); }
void OnMove(int x, int y) { g_log.push_back({'m', x, y}); }
int OnClose() {
    g_log.push_back({'x', 0, 0});
    return g_closeAnswer;
}

class NullBackend : public ::testing::Test {
protected:
    void SetUp() override {
        glfw2null_Install();
        g_log.clear();
        g_closeAnswer = 0;
        ASSERT_EQ(glfwInit(), 1);
    }
    void TearDown() override {
        glfwTerminate();
        glfw2null_Uninstall();
    }
    Glfw2NullWorld& W() { return glfw2null_World(); }
    void OpenWithCallbacks() {
        ASSERT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 1);
        glfwSetKeyCallback(OnKey);
        glfwSetCharCallback(OnChar);
        glfwSetMouseButtonCallback(OnButton);
        glfwSetMousePosCallback(OnMove);
        glfwSetWindowCloseCallback(OnClose);
    }
};

TEST_F(NullBackend, DeliversQueuedEventsInOrderOnlyWhenPolled) {
    OpenWithCallbacks();
    glfwDisable(GLFW_AUTO_POLL_EVENTS);
    glfw2null_PushKey('A', GLFW_PRESS);
    glfw2null_PushChar('a', GLFW_PRESS);
    glfw2null_PushMousePos(10, 20);
    glfw2null_PushMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    glfw2null_PushKey('A', GLFW_RELEASE);
    glfw2null_PushWindowClose();
    glfwSwapBuffers();  // auto-polling is off: nothing arrives here
    EXPECT_TRUE(g_log.empty());

    glfwPollEvents();
    const std::vector<Rec> want = {{'k', 'A', 1}, {'c', 'a', 1}, {'m', 10, 20}, {'b', 0, 1}, {'k', 'A', 0}, {'x', 0, 0}};
    EXPECT_EQ(g_log, want);
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 1);  // the close callback answered 0
    EXPECT_EQ(glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT), GLFW_PRESS);
    int x = 0, y = 0;
    glfwGetMousePos(&x, &y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    EXPECT_EQ(W().eventCount, 0);
}

TEST_F(NullBackend, CloseCallbackAnsweringYesClosesAndLaterEventsAreDropped) {
    OpenWithCallbacks();
    g_closeAnswer = 1;
    glfw2null_PushWindowClose();
    glfw2null_PushKey(GLFW_KEY_ESC, GLFW_PRESS);
    glfwWaitEvents();
    EXPECT_EQ(g_log, (std::vector<Rec>{{'x', 0, 0}}));
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 0);
    EXPECT_EQ(glfwGetWindowParam(GLFW_ACTIVE), 0);
    EXPECT_EQ(W().closeCount, 1);
    EXPECT_EQ(W().eventCount, 0);

    // Without a close callback the window simply closes.
    ASSERT_EQ(glfwOpenWindow(0, 0, 0, 0, 0, 0, 0, 0, GLFW_WINDOW), 1);
    glfwSetWindowCloseCallback(nullptr);
    glfw2null_PushWindowClose();
    glfwPollEvents();
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 0);
}

TEST_F(NullBackend, KeyRepeatOnlyWhenEnabled) {
    OpenWithCallbacks();
    for (bool repeat : {false, true}) {
        SCOPED_TRACE(repeat);
        g_log.clear();
        if (repeat) glfwEnable(GLFW_KEY_REPEAT); else glfwDisable(GLFW_KEY_REPEAT);
        glfw2null_PushKey(GLFW_KEY_LEFT, GLFW_PRESS);
        glfw2null_PushKey(GLFW_KEY_LEFT, GLFW_PRESS);
        glfwPollEvents();
        EXPECT_EQ(glfwGetKey(GLFW_KEY_LEFT), GLFW_PRESS);
        glfw2null_PushKey(GLFW_KEY_LEFT, GLFW_RELEASE);
        glfw2null_PushKey(GLFW_KEY_LEFT, GLFW_RELEASE);  // nothing left to release
        glfwPollEvents();
        EXPECT_EQ(glfwGetKey(GLFW_KEY_LEFT), GLFW_RELEASE);
        std::vector<Rec> want = {{'k', GLFW_KEY_LEFT, 1}};
        if (repeat) want.push_back({'k', GLFW_KEY_LEFT, 1});
        want.push_back({'k', GLFW_KEY_LEFT, 0});
        EXPECT_EQ(g_log, want);
    }
}

// A frame hook that advances the clock by one 60th of a second per buffer swap and queues a mouse move.
void FrameHook(Glfw2NullCall call, void* user) {
    if (call == Glfw2NullCall::SwapBuffers) glfw2null_World().time += 1.0 / 60.0;
    if (call == Glfw2NullCall::PollEvents) glfw2null_PushMousePos(++*static_cast<int*>(user), 0);
}

TEST_F(NullBackend, ScriptedClockSleepAndFrameHook) {
    OpenWithCallbacks();
    glfwDisable(GLFW_AUTO_POLL_EVENTS);
    int frame = 0;
    W().hook = FrameHook;
    W().hookUser = &frame;
    for (int i = 0; i < 3; i++) {
        glfwSwapBuffers();
        glfwSleep(0.01);
        glfwPollEvents();
    }
    glfwSleep(0.0);
    glfwSleep(-1.0);
    glfwSleep(std::nan(""));
    EXPECT_NEAR(glfwGetTime(), 3.0 / 60.0 + 0.03, 1e-12);
    EXPECT_EQ(W().sleepCount, 3);
    EXPECT_NEAR(W().sleptTotal, 0.03, 1e-12);
    EXPECT_EQ(W().swapCount, 3);
    EXPECT_EQ(W().pollCount, 3);
    // The hook runs before delivery, so each poll delivers the move queued for it.
    EXPECT_EQ(g_log, (std::vector<Rec>{{'m', 1, 0}, {'m', 2, 0}, {'m', 3, 0}}));
}

TEST_F(NullBackend, WindowOpenHintsParamsAndScriptedSize) {
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 0);
    glfwOpenWindowHint(GLFW_REFRESH_RATE, 60);
    glfwOpenWindowHint(GLFW_WINDOW_NO_RESIZE, 1);
    ASSERT_EQ(glfwOpenWindow(800, 0, 8, 8, 8, 0, 0, 0, GLFW_FULLSCREEN), 1);
    EXPECT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 0);  // one window at a time
    int w = 0, h = 0;
    glfwGetWindowSize(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(glfwGetWindowParam(GLFW_REFRESH_RATE), 60);
    EXPECT_EQ(glfwGetWindowParam(GLFW_WINDOW_NO_RESIZE), 1);
    EXPECT_EQ(glfwGetWindowParam(GLFW_RED_BITS), 8);
    glfwSetWindowPos(5, 5);  // ignored in full screen
    EXPECT_EQ(W().posX, 0);

    // Hints apply to one open only; a script can impose a size and resize the window later.
    glfwCloseWindow();
    W().openWidth = 1024;
    W().openHeight = 700;
    ASSERT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 1);
    EXPECT_EQ(glfwGetWindowParam(GLFW_WINDOW_NO_RESIZE), 0);
    glfwSetWindowTitle("Vextrallis");
    glfwSetWindowPos(40, 50);
    EXPECT_STREQ(W().title, "Vextrallis");
    EXPECT_EQ(W().posX, 40);
    glfwGetWindowSize(&w, &h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 700);
    W().width = 300;
    glfwGetWindowSize(&w, nullptr);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(W().openCount, 2);

    struct Case { bool active, iconified; int want; };
    for (Case c : {Case{true, false, 1}, Case{false, false, 0}, Case{true, true, 0}}) {
        W().active = c.active;
        W().iconified = c.iconified;
        EXPECT_EQ(glfwGetWindowParam(GLFW_ACTIVE), c.want);
    }

    W().failOpen = true;
    glfwCloseWindow();
    EXPECT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 0);
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 0);
    glfwGetWindowSize(&w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST_F(NullBackend, ScriptedJoysticksAndModes) {
    Glfw2NullJoystick& j = W().joysticks[2];
    j.present = true;
    j.axisCount = 3;
    j.axes[0] = 0.5f;
    j.axes[1] = -1.0f;
    j.axes[2] = 0.25f;
    j.buttonCount = 4;
    j.buttons[3] = 1;

    EXPECT_EQ(glfwGetJoystickParam(0, GLFW_PRESENT), 0);
    EXPECT_EQ(glfwGetJoystickParam(2, GLFW_PRESENT), 1);
    EXPECT_EQ(glfwGetJoystickParam(2, GLFW_AXES), 3);
    EXPECT_EQ(glfwGetJoystickParam(2, GLFW_BUTTONS), 4);
    for (int bad : {-1, 16, 1000}) EXPECT_EQ(glfwGetJoystickParam(bad, GLFW_PRESENT), 0);

    float axes[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_EQ(glfwGetJoystickPos(2, axes, 6), 3);
    EXPECT_EQ(axes[1], -1.0f);
    EXPECT_EQ(axes[5], 0.0f);  // missing axes read as centred
    EXPECT_EQ(glfwGetJoystickPos(2, axes, 2), 2);
    unsigned char buttons[32];
    EXPECT_EQ(glfwGetJoystickButtons(2, buttons, 32), 4);
    EXPECT_EQ(buttons[3], GLFW_PRESS);
    EXPECT_EQ(buttons[4], GLFW_RELEASE);
    EXPECT_EQ(glfwGetJoystickButtons(0, buttons, 32), 0);
    EXPECT_EQ(buttons[3], GLFW_RELEASE);
    j.buttonCount = 1000;  // a careless script cannot make the backend read past its arrays
    EXPECT_EQ(glfwGetJoystickParam(2, GLFW_BUTTONS), Glfw2NullJoystick::kMaxButtons);

    GLFWvidmode desk;
    glfwGetDesktopMode(&desk);
    EXPECT_EQ(desk.Width, 1920);
    EXPECT_EQ(desk.Height, 1080);
    GLFWvidmode modes[3];
    EXPECT_EQ(glfwGetVideoModes(modes, 3), 3);
    EXPECT_EQ(modes[2].Width, 1024);
    EXPECT_EQ(glfwGetVideoModes(modes, 0), 0);
}

TEST_F(NullBackend, FullEventQueueRefusesAndCounts) {
    for (int i = 0; i < Glfw2NullWorld::kMaxEvents; i++) ASSERT_TRUE(glfw2null_PushMousePos(i, i));
    EXPECT_FALSE(glfw2null_PushKey('A', GLFW_PRESS));
    EXPECT_EQ(W().droppedEvents, 1);
}

TEST(Glfw2Seam, NullRestoresTheGlfw3Adapter) {
    glfw2null_Install();
    EXPECT_EQ(&glfw2_CurrentBackend(), &glfw2null_Backend());
    glfw2_SetBackend(nullptr);
    EXPECT_EQ(&glfw2_CurrentBackend(), &glfw2_Glfw3Backend());
}

}  // namespace
