// Key-number translation of the GLFW 3 backend (host/backend/glfw2_adapter.cpp), public for its tests.
// Plain ints, so it can be included next to either GLFW header.
#pragma once

// The 2.7 key number of a GLFW 3 key code; -1 for keys 2.7 has no number for (print screen, world keys).
int glfw2_KeyFromGlfw3(int glfw3Key);
// The GLFW 3 key code of a 2.7 key number; -1 when there is none (lower-case letters, unmapped characters).
int glfw2_KeyToGlfw3(int key);

// The description of the last error GLFW 3 reported (empty if none), for diagnostics.
const char* glfw2_LastGlfw3Error();
// True when that error says the system has no usable OpenGL: no driver for it, or none with a pixel format
// or context of the kind asked for.
bool glfw2_LastGlfw3ErrorIsOpenGL();
// Forgets the last error, so that a failure reports its own.
void glfw2_ClearGlfw3Error();

// A monitor's area on the desktop, in screen coordinates.
struct Glfw2Area {
    int x, y, width, height;
};

// The size in pixels of a window asked for at width x height, on a monitor of this content scale (1 at the
// pixel density the asked size was meant for, 2 at twice it), where room is the space the window may take
// (the monitor's work area less the window's frame; 0 or less: unknown). The asked size grows with the
// scale, by less where it would not fit in the room, but the room never makes it smaller than asked.
void glfw2_ScaledWindowSize(int width, int height, float scale, int roomWidth, int roomHeight, int* outWidth,
                            int* outHeight);

// Where a window's content area starts on one axis (at, of `size`) so that the window with its frame
// (frameBefore and frameAfter wide on that axis) lies inside the area, as far as it fits; where it does
// not, the frame's start is kept inside. An area of no size changes nothing.
int glfw2_KeepInArea(int at, int size, int areaAt, int areaSize, int frameBefore, int frameAfter);

// The first of `count` areas that holds the point, or -1.
int glfw2_AreaHolding(const Glfw2Area* areas, int count, int x, int y);
