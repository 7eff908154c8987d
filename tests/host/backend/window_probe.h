// What the adapter's tests do to a real window from outside, as a player and a window manager would, one
// implementation per platform (posix_window_probe.cpp on X11, win32_window_probe.cpp on Windows).
#pragma once
#include <initializer_list>

// Readies the window system for the adapter's tests, which start and end GLFW once per test; on X11 that
// is a display of the test program's own where one can be started (a private X server, so that focus and
// typed keys are not disturbed by other tests' windows). EndWindowTests undoes it.
void BeginWindowTests();
void EndWindowTests();

// The keys the tests type.
enum class ProbeKey { Escape, A, Left, Up };
// Whether keys can be typed at all (on X11 that needs xdotool).
bool CanTypeKeys();
// Types each key (pressed and released) in turn into the test's window (on X11, the one with the focus).
bool TypeKeys(std::initializer_list<ProbeKey> keys);
// Presses (down) or releases one key in the same way.
bool PressKey(ProbeKey key, bool down);

// Asks the window with this title to close, as a click on its title bar's close button does; false when
// there is no such window.
bool SendCloseRequest(const char* title);
