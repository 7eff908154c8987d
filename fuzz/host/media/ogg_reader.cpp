// Fuzzes the Ogg Vorbis reader on arbitrary bytes: it must give none or a block of exactly the decoded size.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "host/media/audio_readers.h"

// The decoder asks for absurd sizes when a header says so and copes with the null it gets, as it does
// outside the sanitizer.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return 0;
  int length = 0, channels = 0, format = 0, hertz = 0;
  unsigned char* pcm = LoadOGG(f, &length, &channels, &format, &hertz);
  fclose(f);
  if (!pcm) return 0;
  if (length < 0 || channels <= 0 || format != 2 || hertz <= 0) __builtin_trap();
  // Touch every byte that the caller will hand to OpenAL.
  size_t bytes = size_t(length) * size_t(channels) * 2;
  volatile unsigned sum = 0;
  for (size_t i = 0; i < bytes; ++i) sum = sum + pcm[i];
  free(pcm);
  return 0;
}
