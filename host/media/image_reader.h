// The image file reader behind the host's LoadImageData: decodes PNG (and the other formats the
// packaged stb_image reads) from an open stream, which it leaves open.
#pragma once
#include <cstdio>

// 8-bit pixels, rows top to bottom, in a malloc'd block owned by the caller (release with free), with
// the file's own channel count in `depth` (1 grey, 2 grey + alpha, 3 RGB, 4 RGBA). Null for a stream that
// is not a readable image or claims more than 16384 pixels a side or 16 Mi pixels; the out-parameters
// are then unspecified.
unsigned char* LoadImageStream(FILE* file, int* width, int* height, int* depth);
