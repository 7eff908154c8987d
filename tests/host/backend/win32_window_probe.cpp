// The adapter tests' window actions on Windows. Keys are posted, as the keyboard's messages with their scan
// codes, straight to the test's own GLFW window: SendInput would deliver them to whichever window has the
// focus, and a window that another test program opens at the same moment on the shared desktop takes it.
// Each message is handled before the next is posted, as the keyboard's come one at a time, so that the
// character a press is translated into arrives before the release. The close request is the WM_CLOSE that
// the title bar's close button sends.
#include <windows.h>

#include <GLFW/glfw3.h>

#include <cstring>
#include <string>

#include "window_probe.h"

namespace {

WORD VirtualKey(ProbeKey key) {
  switch (key) {
    case ProbeKey::Escape: return VK_ESCAPE;
    case ProbeKey::A: return 'A';
    case ProbeKey::Left: return VK_LEFT;
    case ProbeKey::Up: return VK_UP;
  }
  return 0;
}

// This process's visible GLFW window (GLFW's hidden helper window has another class).
HWND OwnWindow() {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        wchar_t cls[32] = {};
        GetClassNameW(window, cls, 32);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(window) || wcscmp(cls, L"GLFW30") != 0) return TRUE;
        reinterpret_cast<Search*>(param)->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One key message as a keyboard driver's arrives: repeat count 1, the scan code (GLFW reads the key from
// it), the extended-key bit for the arrow keys, and on release the previous-state and transition bits.
bool PostKey(ProbeKey key, bool down) {
  HWND window = OwnWindow();
  if (!window) return false;
  const WORD vk = VirtualKey(key);
  LPARAM bits = 1 | LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  if (key == ProbeKey::Left || key == ProbeKey::Up) bits |= LPARAM(1) << 24;
  if (!down) bits |= LPARAM(3) << 30;
  if (!PostMessageW(window, down ? WM_KEYDOWN : WM_KEYUP, vk, bits)) return false;
  glfwPollEvents();  // the window's own loop: translated, dispatched, and the adapter's callbacks run
  return true;
}

}  // namespace

// The desktop is there already. GLFW loads XInput in glfwInit and frees it in glfwTerminate; under Wine 8
// the library's device thread can still be running when it is unmapped, and the process then dies of a
// page fault inside xinput1_4.dll (two test processes in about fifty here). The library is kept loaded for
// the test program's life; on Windows that changes nothing.
void BeginWindowTests() { LoadLibraryW(L"xinput1_4.dll"); }
void EndWindowTests() {}

bool CanTypeKeys() { return true; }

bool TypeKeys(std::initializer_list<ProbeKey> keys) {
  for (ProbeKey k : keys) {
    if (!PostKey(k, true) || !PostKey(k, false)) return false;
  }
  return true;
}

bool PressKey(ProbeKey key, bool down) { return PostKey(key, down); }

bool SendCloseRequest(const char* title) {
  std::wstring wide(title, title + strlen(title));  // the tests' titles are ASCII
  HWND window = FindWindowW(nullptr, wide.c_str());
  return window && PostMessageW(window, WM_CLOSE, 0, 0);
}
