// The OpenGL 1.x header with the tokens and types of later versions the renderer uses (GL_CLAMP_TO_EDGE,
// glMultiDrawArrays); each platform's gl.h brings what it needs itself (windows.h on Windows).
#pragma once
#include <GL/gl.h>
#include <GL/glext.h>
