// The adapter tests' window actions on Windows: keys go through SendInput, as a keyboard's do, to the
// window that has the focus; the close request is the WM_CLOSE that the title bar's close button sends.
#include <windows.h>

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

// One key event with both the virtual key and the scan code, as a keyboard driver delivers it (GLFW reads
// the key from the scan code). The arrow keys are extended keys.
INPUT KeyInput(ProbeKey key, bool down) {
  INPUT in;
  ZeroMemory(&in, sizeof in);
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = VirtualKey(key);
  in.ki.wScan = WORD(MapVirtualKeyW(in.ki.wVk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  if (key == ProbeKey::Left || key == ProbeKey::Up) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
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
    INPUT pair[2] = {KeyInput(k, true), KeyInput(k, false)};
    if (SendInput(2, pair, sizeof(INPUT)) != 2) return false;
  }
  return true;
}

bool PressKey(ProbeKey key, bool down) {
  INPUT in = KeyInput(key, down);
  return SendInput(1, &in, sizeof(INPUT)) == 1;
}

bool SendCloseRequest(const char* title) {
  std::wstring wide(title, title + strlen(title));  // the tests' titles are ASCII
  HWND window = FindWindowW(nullptr, wide.c_str());
  return window && PostMessageW(window, WM_CLOSE, 0, 0);
}
