// The GLFW 3 adapter on a real window system: window life cycle with a fixed-function GL context, focus,
// real typed keys in 2.7 numbers, the close button, and the clock. On X11 each test process gets a private
// Xvfb when it can start one (else it uses DISPLAY, as under xvfb-run -a); skipped when there is no display.
#include "host/backend/glfw2.h"
#include "host/backend/glfw2_adapter.h"
#include "host/pads/joystick_source.h"
#include "support/test_os.h"
#include "window_probe.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct Rec {
    char kind;
    int a, b;
    bool operator==(const Rec& o) const { return kind == o.kind && a == o.a && b == o.b; }
};
void PrintTo(const Rec& r, std::ostream* os) { *os << r.kind << "(" << r.a << "," << r.b << ")"; }

// Window titles carry the process id, so that tests sharing a display never mix up windows.
std::string Title(const char* what) { return std::string("glfw2 ") + what + " " + std::to_string(vxtest::ProcessId()); }
std::vector<Rec> g_log;
void OnKey(int key, int action) { g_log.push_back({'k', key, action}); }
void OnChar(int chr, int action) { g_log.push_back({'c', chr, action}); }
int g_closeAnswer = 0, g_closeCalls = 0;
int OnClose() {
    g_closeCalls++;
    return g_closeAnswer;
}

class Glfw3Adapter : public ::testing::Test {
protected:
    // Focus and typed keys are only reliable when no other program's windows come and go on the display.
    static void SetUpTestSuite() { BeginWindowTests(); }
    static void TearDownTestSuite() { EndWindowTests(); }

    void SetUp() override {
        if (!vxtest::HasDisplay()) GTEST_SKIP() << "no display (on X11: no Xvfb and no DISPLAY)";
        glfw2_SetBackend(nullptr);
        // A shared Xvfb resets itself when its last client leaves (as a previous test process did) and
        // refuses connections meanwhile, so give it a moment.
        int ok = 0;
        for (int i = 0; i < 40 && !(ok = glfwInit()); i++) glfwSleep(0.05);
        ASSERT_EQ(ok, 1) << glfw2_LastGlfw3Error();
        initialised_ = true;
    }
    void TearDown() override {
        if (initialised_) glfwTerminate();
    }
    // Polls until `done` holds or about two seconds pass.
    template <class F> bool PollUntil(F done) {
        for (int i = 0; i < 200 && !done(); i++) {
            glfwPollEvents();
            glfwSleep(0.01);
        }
        return done();
    }
    static bool Active() { return glfwGetWindowParam(GLFW_ACTIVE) != 0; }
    bool initialised_ = false;
};

TEST_F(Glfw3Adapter, OpensClosesAndReopensWithAFixedFunctionContext) {
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round);
        glfwOpenWindowHint(GLFW_REFRESH_RATE, 60);
        glfwOpenWindowHint(GLFW_WINDOW_NO_RESIZE, 0);
        ASSERT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 1);
        EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 1);
        EXPECT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 0);  // one window at a time
        int w = 0, h = 0;
        glfwGetWindowSize(&w, &h);
        EXPECT_EQ(w, 640);
        EXPECT_EQ(h, 480);
        EXPECT_EQ(glfwGetWindowParam(GLFW_WINDOW_NO_RESIZE), 0);
        EXPECT_EQ(glfwGetWindowParam(GLFW_RED_BITS), 8);
        glfwSetWindowTitle("Vextrallis");
        glfwSetWindowPos(10, 10);
        glfwSwapInterval(1);

        // The new context is current and runs fixed-function code: clear, draw a quad, read it back.
        ASSERT_NE(glGetString(GL_VERSION), nullptr);
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 640, 480, 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 0, 0);
        glBegin(GL_QUADS);
        glVertex2f(0, 0);
        glVertex2f(320, 0);
        glVertex2f(320, 480);
        glVertex2f(0, 480);
        glEnd();
        unsigned char left[4] = {}, right[4] = {};
        glReadPixels(100, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
        glReadPixels(500, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_EQ(left[0], 255);
        EXPECT_EQ(left[2], 0);
        EXPECT_EQ(right[0], 0);
        EXPECT_EQ(right[2], 255);
        glfwSwapBuffers();

        glfwCloseWindow();
        EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 0);
        glfwGetWindowSize(&w, &h);
        EXPECT_EQ(w, 0);
        EXPECT_EQ(h, 0);
    }
}

// Under a bare X server the new window has the focus, so the game is not suspended at start; keys
// typed into it arrive with 2.7 numbers.
TEST_F(Glfw3Adapter, WindowBecomesActiveAndTypedKeysArriveAs27Numbers) {
    ASSERT_EQ(glfwOpenWindow(320, 240, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 1);
    EXPECT_TRUE(PollUntil(Active));
    glfwDisable(GLFW_AUTO_POLL_EVENTS);
    glfwEnable(GLFW_KEY_REPEAT);
    glfwSetKeyCallback(OnKey);
    glfwSetCharCallback(OnChar);
    if (!CanTypeKeys()) GTEST_SKIP() << "keys cannot be typed (xdotool not installed)";

    g_log.clear();
    ASSERT_TRUE(TypeKeys({ProbeKey::Escape, ProbeKey::A, ProbeKey::Left}));
    const std::vector<Rec> want = {{'k', GLFW_KEY_ESC, 1}, {'k', GLFW_KEY_ESC, 0}, {'k', 'A', 1}, {'c', 'a', 1},
                                   {'k', 'A', 0},          {'k', GLFW_KEY_LEFT, 1}, {'k', GLFW_KEY_LEFT, 0}};
    EXPECT_TRUE(PollUntil([&] { return g_log.size() >= want.size(); }));
    EXPECT_EQ(g_log, want);

    // Key state through glfwGetKey uses 2.7 numbers too.
    ASSERT_TRUE(PressKey(ProbeKey::Up, true));
    EXPECT_TRUE(PollUntil([] { return glfwGetKey(GLFW_KEY_UP) == GLFW_PRESS; }));
    ASSERT_TRUE(PressKey(ProbeKey::Up, false));
    EXPECT_TRUE(PollUntil([] { return glfwGetKey(GLFW_KEY_UP) == GLFW_RELEASE; }));
    glfwSetKeyCallback(nullptr);
    glfwSetCharCallback(nullptr);
}

// Switching to full screen and back, as the options do: the full-screen window covers the monitor (the
// size asked is matched as closely as the X server allows) and has the focus, so the game keeps running.
TEST_F(Glfw3Adapter, FullScreenWindowIsActiveAndWindowedModeFollows) {
    ASSERT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_FULLSCREEN), 1);
    EXPECT_TRUE(PollUntil(Active));
    int w = 0, h = 0;
    glfwGetWindowSize(&w, &h);
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
    glfwCloseWindow();
    ASSERT_EQ(glfwOpenWindow(640, 480, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 1);
    glfwGetWindowSize(&w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
}

// The close button only asks: a callback answering 0 keeps the window, any other answer closes it.
TEST_F(Glfw3Adapter, CloseButtonLeavesTheDecisionToTheCloseCallback) {
    ASSERT_EQ(glfwOpenWindow(320, 240, 8, 8, 8, 0, 0, 0, GLFW_WINDOW), 1);
    const std::string title = Title("close probe");
    glfwSetWindowTitle(title.c_str());
    glfwSetWindowCloseCallback(OnClose);
    for (int answer : {0, 1}) {
        SCOPED_TRACE(answer);
        g_closeAnswer = answer;
        g_closeCalls = 0;
        ASSERT_TRUE(SendCloseRequest(title.c_str()));
        EXPECT_TRUE(PollUntil([] { return g_closeCalls > 0; }));
        EXPECT_EQ(g_closeCalls, 1);
        EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), answer == 0 ? 1 : 0);
        glfwPollEvents();  // a refused request does not come back by itself
        EXPECT_EQ(g_closeCalls, 1);
    }
    glfwSetWindowCloseCallback(nullptr);
}

TEST_F(Glfw3Adapter, SleepWaitsAtLeastTheTimeAsked) {
    double t0 = glfwGetTime();
    glfwSleep(0.02);
    EXPECT_GE(glfwGetTime() - t0, 0.02);
}

TEST_F(Glfw3Adapter, ModesAndAbsentJoysticks) {
    GLFWvidmode desk{};
    glfwGetDesktopMode(&desk);
    EXPECT_GT(desk.Width, 0);
    EXPECT_GT(desk.Height, 0);
    GLFWvidmode modes[64];
    int n = glfwGetVideoModes(modes, 64);
    EXPECT_GE(n, 1);
    for (int i = 1; i < n; i++) {
        const GLFWvidmode& a = modes[i - 1];
        const GLFWvidmode& b = modes[i];
        EXPECT_FALSE(a.Width == b.Width && a.Height == b.Height && a.RedBits == b.RedBits &&
                     a.GreenBits == b.GreenBits && a.BlueBits == b.BlueBits);
    }
    for (int bad : {-1, 16}) EXPECT_EQ(glfwGetJoystickParam(bad, GLFW_PRESENT), 0);
    float axes[4] = {1, 1, 1, 1};
    EXPECT_EQ(glfwGetJoystickPos(-1, axes, 4), 0);
    EXPECT_EQ(axes[0], 0.0f);
}

// GLFW 3.3 answers true for any text; only the error it reports shows that it dropped a line.
TEST_F(Glfw3Adapter, PadMappingsGlfwDropsAreReportedAsRefused) {
    const JoystickSource& glfw3 = glfw2_CurrentJoystickSource();
    EXPECT_EQ(glfw3.UpdateGamepadMappings("03000000aa5500001122000010010000,Test Pad,a:b0,platform:Linux,"), 1);
    EXPECT_EQ(glfw3.UpdateGamepadMappings("03000000aa550000112200001001000,Short Id,a:b0,"), 0);
    EXPECT_EQ(glfw3.UpdateGamepadMappings("03000000aa5500001122000010010000,Test Pad,a:b1,"), 1)
        << "an earlier refusal does not linger";
}

}  // namespace
