// The Ogg Vorbis reader: decodes a whole stream to interleaved 16-bit samples with the packaged stb_vorbis.
#include <climits>
#include <cstdint>
#include <cstdlib>  // Required for: malloc(), realloc(), free()

#include "host/audio_readers.h"

#define STB_VORBIS_HEADER_ONLY  // the decoder itself comes from the packaged library
#include <stb/stb_vorbis.h>

namespace {

constexpr size_t kChunkFrames = 4096;  // no decoded packet is longer than this

// Replays how the decoder reads a stream's first two header packets (pages, segments, bytes past the
// end of the file reading as 0), to check the comment header before the decoder sees it: the decoder
// trusts the lengths and counts in that header, and a damaged one makes it write and free out of bounds.
class CommentHeaderCheck {
 public:
  explicit CommentHeaderCheck(FILE* f) : f_(f) {}

  // True when every length in the comment header fits inside the packet.
  bool Sane() {
    int flags;
    if (!StartPage(&flags)) return false;
    for (int i = 0; i < 30; ++i) Get8();  // the identification packet, which the decoder checks itself
    if (!StartPage(&flags)) return false;
    lastSeg_ = false;
    bytesInSeg_ = 0;
    if (!NextSegment()) return false;
    for (int i = 0; i < 7; ++i) Get8Packet();  // packet type and "vorbis"
    uint32_t vendor;
    if (!Get32Packet(&vendor) || !SkipPacket(vendor)) return false;
    uint32_t count;
    if (!Get32Packet(&count) || count > INT_MAX) return false;
    for (uint32_t i = 0; i < count; ++i) {  // each comment takes at least 4 bytes: bounded by the packet
      uint32_t len;
      if (!Get32Packet(&len) || !SkipPacket(len)) return false;
    }
    return true;
  }

 private:
  int Get8() {
    int c = fgetc(f_);
    return c == EOF ? 0 : c;
  }

  bool StartPage(int* flags) {
    if (Get8() != 'O' || Get8() != 'g' || Get8() != 'g' || Get8() != 'S') return false;
    if (Get8() != 0) return false;      // stream structure version
    *flags = Get8();
    for (int i = 0; i < 20; ++i) Get8();  // granule position, serial number, sequence number, checksum
    segCount_ = Get8();
    if (fread(seg_, 1, size_t(segCount_), f_) != size_t(segCount_)) return false;
    nextSeg_ = 0;
    return true;
  }

  int NextSegment() {
    if (lastSeg_) return 0;
    if (nextSeg_ == -1) {
      int flags;
      if (!StartPage(&flags)) {
        lastSeg_ = true;
        return 0;
      }
      if (!(flags & 1)) return 0;  // not a continuation
    }
    int len = seg_[nextSeg_++];
    if (len < 255) lastSeg_ = true;
    if (nextSeg_ >= segCount_) nextSeg_ = -1;
    bytesInSeg_ = len;
    return len;
  }

  int Get8Packet() {  // -1 past the end of the packet
    if (!bytesInSeg_ && (lastSeg_ || !NextSegment())) return -1;
    --bytesInSeg_;
    return Get8();
  }

  bool Get32Packet(uint32_t* v) {
    *v = 0;
    for (int i = 0; i < 4; ++i) {
      int b = Get8Packet();
      if (b < 0) return false;
      *v |= uint32_t(b) << (8 * i);
    }
    return true;
  }

  // Whether the packet still holds `n` bytes (read no further than it does).
  bool SkipPacket(uint32_t n) {
    if (n > INT_MAX) return false;
    for (uint32_t i = 0; i < n; ++i) {
      if (Get8Packet() < 0) return false;
    }
    return true;
  }

  FILE* f_;
  unsigned char seg_[255] = {};
  int segCount_ = 0, nextSeg_ = -1, bytesInSeg_ = 0;
  bool lastSeg_ = false;
};

}  // namespace

unsigned char* LoadOGG(FILE* f, int* length, int* channels, int* format, int* hertz) {
  long start = ftell(f);
  if (start < 0) return nullptr;
  bool sane = CommentHeaderCheck(f).Sane();
  if (!sane || fseek(f, start, SEEK_SET) != 0) return nullptr;
  int error = 0;
  // The decoder allocates for itself: its fixed-block mode trusts header sizes that a damaged file
  // can make overflow. (A file that fails half-way through its headers may leave a block behind.)
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
