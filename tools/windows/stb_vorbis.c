/* stb_vorbis's implementation for the Windows build (on Debian the packaged libstb holds it). It has a file
   of its own: the header leaves the macros L, C and R defined. */
#include <stb/stb_vorbis.h>
