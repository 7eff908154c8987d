// Fuzzes the WAV reader on arbitrary bytes: it must give none or a block no larger than the file's data.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "host/media/audio_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return 0;
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* pcm = LoadWAV(f, &length, &channels, &format, &hertz);
  fclose(f);
  if (!pcm) return 0;
  if (length < 0 || channels <= 0 || format <= 0 || hertz < 0) __builtin_trap();
  size_t bytes = size_t(length) * size_t(channels) * size_t(format);
  if (bytes > size) __builtin_trap();
  // Touch every byte that the caller will hand to OpenAL.
  volatile unsigned sum = 0;
  for (size_t i = 0; i < bytes; ++i) sum = sum + pcm[i];
  free(pcm);
  return 0;
}
