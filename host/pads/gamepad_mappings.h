// Extra game-pad mappings for pads GLFW 3 does not recognise on its own, in the SDL game-controller text
// format (one pad per line: id, name, then element:source pairs), added through the joystick seam.
#pragma once

#include <cstddef>
#include <cstdio>

// Why one line (without its line break) cannot be a mapping, or nullptr when it can. Blank lines and
// comments (first non-blank character '#') are not mappings; callers skip them before asking.
const char* glfw2_MappingLineFault(const char* line, int length);

// False for a line whose platform field names another system ("platform:Windows" on Linux): GLFW does
// not take those. A line with no platform field is for every system.
bool glfw2_MappingIsForThisPlatform(const char* line, int length);

// Adds every mapping line of text[0..size) on its own. A malformed line, or one GLFW refuses, is skipped with one
// message (a line for another system quietly) on `log` naming `origin` and the line's number; the others still count. Returns the number of
// lines added.
int glfw2_AddGamepadMappings(const char* text, size_t size, const char* origin, FILE* log);

// The mappings of the start-up: the file gamecontrollerdb.txt in `folder` (nullptr: the program's folder),
// if there is one, then the environment variable SDL_GAMECONTROLLERCONFIG, so that for a pad named in both
// the environment wins. Never fails; problems are messages on `log`.
void glfw2_LoadStartupGamepadMappings(FILE* log, const char* folder = nullptr);
