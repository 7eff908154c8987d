// OpenGL entry points beyond 1.1, one implementation per platform: the system's libGL exports them on
// POSIX desktops (graphics/posix_gl_entry_points.cpp), while Windows' opengl32.dll stops at 1.1 and they
// are asked of the current context (graphics/win32_gl_entry_points.cpp).
#pragma once
#include "graphics/gl_headers.h"

typedef void(APIENTRY* gl_MultiDrawArraysProc)(GLenum mode, const GLint* first, const GLsizei* count,
                                                GLsizei drawcount);

// glMultiDrawArrays (OpenGL 1.4); null when the context has none. Call with a context current.
gl_MultiDrawArraysProc gl_MultiDrawArrays();
