/* stb_image_write's implementation for the Windows test programs (the screenshots and the images the
   graphics tests write); Debian's libstb holds it for the Linux build. */
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
