// The fatal path's console on Windows. The game is a desktop program with no console of its own: when its
// standard output goes nowhere (started from the desktop), the fatal message is collected and shown in a
// message box just before the process ends; started from a console or with its output redirected, it is
// written there as on other systems. With VX_DEBUGGER=1 and no console, one is opened for the prompt.
//
// The box is shown by a process of its own, started with the game (runtime/win32_fatal_box.cpp): a box
// of the game's own process would need its heap, whose lock a crashed thread may hold, and would run a
// message loop that hands the game window's input to game code. Should that process be missing, the game
// shows the box itself, task-modal (the thread's windows take no input while it shows), and the host drops
// whatever its window still delivers (rtFatalCheckpoint).
//
// A fault on another thread stops the game thread first: woken from any wait for messages, it parks at the
// host's next checkpoint, where it holds no lock; one that does not come there within a second is
// suspended.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "runtime/fatal_io.h"
#include "runtime/win32_fatal_box.h"

namespace {

// The collected text of the message box; the fatal message is two short lines.
char g_box[2048];
size_t g_boxUsed = 0;
HANDLE g_console[3] = {nullptr, nullptr, nullptr};  // a console opened for the debugger prompt

DWORD g_gameThreadId = 0;
HANDLE g_gameThread = nullptr;
std::atomic<bool> g_gameThreadParked{false};

bool Usable(HANDLE h) { return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN; }

bool WantsDebugger() {
  const char* v = std::getenv("VX_DEBUGGER");
  return v && v[0] == '1' && v[1] == 0;
}

// The handle of standard input (0), output (1) or error (2): the process's own when it goes somewhere,
// else, for the debugger, a console of its own.
HANDLE Stream(int stream) {
  static const DWORD kStd[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
  HANDLE h = GetStdHandle(kStd[stream]);
  if (Usable(h)) return h;
  if (!WantsDebugger()) return nullptr;
  if (!g_console[stream]) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) AllocConsole();
    const wchar_t* name = stream == 0 ? L"CONIN$" : L"CONOUT$";
    g_console[stream] = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  }
  return Usable(g_console[stream]) ? g_console[stream] : nullptr;
}

}  // namespace

void rt_fatal_Write(int stream, const char* text, size_t size) {
  HANDLE h = Stream(stream == 2 ? 2 : 1);
  if (!h) {
    size_t room = sizeof g_box - 1 - g_boxUsed;
    size_t n = size < room ? size : room;
    std::memcpy(g_box + g_boxUsed, text, n);
    g_boxUsed += n;
    return;
  }
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(h, text, DWORD(size > (1u << 30) ? (1u << 30) : size), &written, nullptr) || written == 0) return;
    text += written;
    size -= written;
  }
}

bool rt_fatal_ReadByte(char* byte) {
  HANDLE h = Stream(0);
  DWORD got = 0;
  return h && ReadFile(h, byte, 1, &got, nullptr) && got == 1;
}

void rt_fatal_Show() {
  if (g_boxUsed > 0) {
    // Trailing blank lines of the message are not shown.
    while (g_boxUsed > 0 && (g_box[g_boxUsed - 1] == '\n' || g_box[g_boxUsed - 1] == '\r')) --g_boxUsed;
    g_box[g_boxUsed] = 0;
    if (rt_fatal_ShowInBoxProcess(g_box)) {
      g_boxUsed = 0;
      return;
    }
    wchar_t wide[sizeof g_box];
    int n = MultiByteToWideChar(CP_UTF8, 0, g_box, -1, wide, int(sizeof g_box));
    // Top-most: a full-screen game window is top-most itself, and would hide the box.
    const UINT style = MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL | MB_TOPMOST;
    if (n > 0) MessageBoxW(nullptr, wide, L"Vextrallis", style);
    g_boxUsed = 0;
  }
}

void rt_fatal_Exit(int status) {
  rt_fatal_Show();
  TerminateProcess(GetCurrentProcess(), UINT(status));
  ExitProcess(UINT(status));  // not reached
}

unsigned long long rt_fatal_ThreadId() { return GetCurrentThreadId(); }

void rt_fatal_Init() {
  if (!Usable(GetStdHandle(STD_OUTPUT_HANDLE)) && !WantsDebugger()) rt_fatal_StartBoxProcess();
  const DWORD id = GetCurrentThreadId();
  if (id == g_gameThreadId) return;
  HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, id);
  if (g_gameThread) CloseHandle(g_gameThread);
  g_gameThread = thread;
  g_gameThreadId = id;
}

void rt_fatal_Park() {
  if (GetCurrentThreadId() == g_gameThreadId) g_gameThreadParked.store(true, std::memory_order_release);
  for (;;) Sleep(INFINITE);
}

bool rt_fatal_StopGameThread() {
  if (g_gameThreadId == 0 || GetCurrentThreadId() == g_gameThreadId) return false;
  PostThreadMessageW(g_gameThreadId, WM_NULL, 0, 0);  // ends a wait for window messages
  const ULONGLONG deadline = GetTickCount64() + 1000;
  while (!g_gameThreadParked.load(std::memory_order_acquire) && GetTickCount64() < deadline) Sleep(5);
  if (!g_gameThreadParked.load(std::memory_order_acquire) && g_gameThread &&
      SuspendThread(g_gameThread) != DWORD(-1)) {
    CONTEXT context;
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(g_gameThread, &context);  // returns once the thread has really stopped
  }
  return true;
}
