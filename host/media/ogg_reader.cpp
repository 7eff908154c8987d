// The Ogg Vorbis reader: decodes a whole stream to interleaved 16-bit samples with the packaged stb_vorbis.
#include <climits>
#include <cstdint>
#include <cstdlib>  // Required for: malloc(), realloc(), free()

#include "host/media/audio_readers.h"
#include "host/media/vorbis_header_check.h"

#define STB_VORBIS_HEADER_ONLY  // the decoder itself comes from the packaged library
#include <stb/stb_vorbis.h>

namespace {

constexpr size_t kChunkFrames = 4096;  // no decoded packet is longer than this

}  // namespace

unsigned char* LoadOGG(FILE* f, int* length, int* channels, int* format, int* hertz) {
  long start = ftell(f);
  if (start < 0) return nullptr;
  bool sane = VorbisHeadersSane(f);
  if (!sane || fseek(f, start, SEEK_SET) != 0) return nullptr;
  int error = 0;
  // The decoder allocates for itself: its fixed-block mode trusts header sizes that a damaged file
  // can make overflow.
  stb_vorbis* v = stb_vorbis_open_file(f, 0, &error, nullptr);  // 0: the stream stays ours
  if (!v) return nullptr;
  stb_vorbis_info info = stb_vorbis_get_info(v);
  if (info.channels <= 0 || info.sample_rate == 0 || info.sample_rate > INT_MAX) {
    stb_vorbis_close(v);
    return nullptr;
  }
  const size_t nch = size_t(info.channels);
  // The block must stay addressable by an int byte count.
  const size_t maxValues = size_t(INT_MAX) / sizeof(short);

  size_t cap = nch * kChunkFrames;  // in sample values
  size_t used = 0;
  short* buf = static_cast<short*>(malloc(cap * sizeof(short)));
  bool ok = buf != nullptr;
  while (ok) {
    if (cap - used < nch * kChunkFrames) {
      size_t grown = cap * 2;
      short* bigger = grown <= maxValues ? static_cast<short*>(realloc(buf, grown * sizeof(short))) : nullptr;
      if (!bigger) {
        ok = false;
        break;
      }
      buf = bigger;
      cap = grown;
    }
    int frames = stb_vorbis_get_frame_short_interleaved(v, info.channels, buf + used, int(cap - used));
    if (frames <= 0) break;
    used += size_t(frames) * nch;
  }
  stb_vorbis_close(v);
  if (!ok) {
    free(buf);
    return nullptr;
  }
  // Give back the room the doubling left over.
  short* fitted = static_cast<short*>(realloc(buf, used ? used * sizeof(short) : 1));
  if (fitted) buf = fitted;
  *channels = info.channels;
  *format = 2;
  *hertz = int(info.sample_rate);
  *length = int(used / nch);
  return reinterpret_cast<unsigned char*>(buf);
}
