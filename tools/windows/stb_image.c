/* stb_image's implementation for the Windows build (on Debian the packaged libstb holds it). */
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
