// The 2.7-style glfw* entry points: each forwards to the current backend (GLFW 3 adapter by default).
#include "host/backend/glfw2.h"

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
