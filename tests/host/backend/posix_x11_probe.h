// Test helper that acts on the X server as a window manager would, finding the window by its title.
#pragma once

// Sends WM_DELETE_WINDOW (a click on the title-bar close button); false if no display or no such window.
bool SendX11CloseRequest(const char* title);
