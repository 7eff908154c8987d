// Key-number translation of the GLFW 3 backend (host/backend/glfw2_adapter.cpp), public for its tests.
// Plain ints, so it can be included next to either GLFW header.
#pragma once

// The 2.7 key number of a GLFW 3 key code; -1 for keys 2.7 has no number for (print screen, world keys).
int glfw2_KeyFromGlfw3(int glfw3Key);
// The GLFW 3 key code of a 2.7 key number; -1 when there is none (lower-case letters, unmapped characters).
int glfw2_KeyToGlfw3(int key);

// The description of the last error GLFW 3 reported (empty if none), for diagnostics.
const char* glfw2_LastGlfw3Error();
