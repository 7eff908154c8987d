// OpenGL entry points on POSIX desktops: libGL exports every core function, so they are linked directly.
#define GL_GLEXT_PROTOTYPES
#include "graphics/gl_entry_points.h"

gl_MultiDrawArraysProc gl_MultiDrawArrays() { return glMultiDrawArrays; }
