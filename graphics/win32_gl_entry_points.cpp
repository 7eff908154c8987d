// OpenGL entry points on Windows: opengl32.dll exports OpenGL 1.1 only, so later functions come from the
// current context's driver through wglGetProcAddress. The answer is kept once a context has given one.
#include <windows.h>

#include "graphics/gl_entry_points.h"

namespace {

// Some drivers answer small numbers instead of null for functions they lack.
PROC Lookup(const char* name) {
  PROC p = wglGetProcAddress(name);
  intptr_t v = reinterpret_cast<intptr_t>(p);
  return v == 0 || v == 1 || v == 2 || v == 3 || v == -1 ? nullptr : p;
}

}  // namespace

gl_MultiDrawArraysProc gl_MultiDrawArrays() {
  static gl_MultiDrawArraysProc proc = nullptr;
  if (!proc && wglGetCurrentContext()) proc = reinterpret_cast<gl_MultiDrawArraysProc>(reinterpret_cast<void*>(Lookup("glMultiDrawArrays")));
  return proc;
}
