// The host's image file loading through the packaged stb_image library; the decoded size is reported to
// the collector as external memory.
#include <stb/stb_image.h>

#include <cstring>

#include "host/host.h"
#include "host/media/image_reader.h"

namespace {

// Larger than any picture the game uses (its biggest sheet is 2048 x 2048); a header claiming more is
// taken as a bad file rather than letting a few bytes ask for gigabytes.
constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 16LL << 20;

// The game's pictures are PNG files. The library's other decoders are not offered untrusted files:
// fuzzing found inputs of a few kilobytes that made one of them ask for 2 GiB at once.
bool IsPng(FILE* file) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  unsigned char head[8];
  long at = ftell(file);
  size_t n = fread(head, 1, sizeof head, file);
  fseek(file, at, SEEK_SET);
  return n == sizeof head && memcmp(head, kSignature, sizeof head) == 0;
}

// Every chunk must fit in the file: the decoder grows its buffer to a chunk's claimed length before
// reading it, so a few bytes claiming a 2 GiB chunk would otherwise ask for 2 GiB.
bool ChunksFit(FILE* file) {
  long at = ftell(file);
  if (fseek(file, 0, SEEK_END) != 0) return false;
  long size = ftell(file);
  long pos = 8;
  bool ok = false;
  while (pos + 12 <= size) {
    unsigned char head[8];
    if (fseek(file, pos, SEEK_SET) != 0 || fread(head, 1, 8, file) != 8) break;
    unsigned long length = (unsigned long)head[0] << 24 | head[1] << 16 | head[2] << 8 | head[3];
    if (length > (unsigned long)(size - pos - 12)) break;
    pos += 12 + long(length);
    if (memcmp(head + 4, "IEND", 4) == 0) {
      ok = true;
      break;
    }
  }
  fseek(file, at, SEEK_SET);
  return ok;
}

}  // namespace

unsigned char* LoadImageStream(FILE* file, int* width, int* height, int* depth) {
  if (!IsPng(file) || !ChunksFit(file)) return nullptr;
  int w = 0, h = 0, n = 0;
  // Reads the header only and puts the stream back where it was.
  if (!stbi_info_from_file(file, &w, &h, &n)) return nullptr;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || (long long)w * h > kMaxPixels) return nullptr;
  // 0 components requested: the pixels keep the file's own channel count.
  return stbi_load_from_file(file, width, height, depth, 0);
}

unsigned char* RtGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
  FILE* f = OpenFile(path, String("rb"));
  if (!f) return nullptr;
  unsigned char* data = LoadImageStream(f, width, height, depth);
  fclose(f);
  if (data) gc_ext_malloced(*width * *height * *depth);
  return data;
}
