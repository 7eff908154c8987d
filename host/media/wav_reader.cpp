// The RIFF WAVE reader: 8- and 16-bit PCM only, numbers little-endian, other chunks skipped.
#include <climits>
#include <cstdint>
#include <cstdlib>  // Required for: malloc(), realloc(), free()
#include <cstring>

#include "host/media/audio_readers.h"

namespace {

bool ReadBytes(FILE* f, void* dst, size_t n) { return fread(dst, 1, n, f) == n; }

bool ReadTag(FILE* f, const char* tag) {
  char id[4];
  return ReadBytes(f, id, 4) && memcmp(id, tag, 4) == 0;
}

bool ReadU16(FILE* f, uint32_t* v) {
  unsigned char b[2];
  if (!ReadBytes(f, b, 2)) return false;
  *v = uint32_t(b[0]) | uint32_t(b[1]) << 8;
  return true;
}

bool ReadU32(FILE* f, uint32_t* v) {
  unsigned char b[4];
  if (!ReadBytes(f, b, 4)) return false;
  *v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  return true;
}

// Reads and drops `n` bytes; false when the stream ends first. Reading, rather than seeking, notices a
// chunk that claims more than the file holds.
bool Skip(FILE* f, uint64_t n) {
  unsigned char scratch[4096];
  while (n > 0) {
    size_t step = n < sizeof scratch ? size_t(n) : sizeof scratch;
    if (!ReadBytes(f, scratch, step)) return false;
    n -= step;
  }
  return true;
}

// Chunks of odd size are followed by one pad byte.
uint64_t Padded(uint32_t size) { return uint64_t(size) + (size & 1); }

// The whole chunk body in a new block; the block grows only as bytes actually arrive, so a size field
// larger than the file costs no more memory than the file.
unsigned char* ReadBody(FILE* f, uint32_t size) {
  size_t cap = size < 65536 ? (size ? size : 1) : 65536;
  unsigned char* data = static_cast<unsigned char*>(malloc(cap));
  size_t got = 0;
  while (data && got < size) {
    if (got == cap) {
      size_t grown = cap * 2 < size ? cap * 2 : size;
      unsigned char* bigger = static_cast<unsigned char*>(realloc(data, grown));
      if (!bigger) break;
      data = bigger;
      cap = grown;
    }
    size_t n = fread(data + got, 1, cap - got, f);
    if (n == 0) break;
    got += n;
  }
  if (got < size) {
    free(data);
    return nullptr;
  }
  return data;
}

}  // namespace

unsigned char* LoadWAV(FILE* f, int* length, int* channels, int* format, int* hertz) {
  uint32_t riffSize;
  if (!ReadTag(f, "RIFF") || !ReadU32(f, &riffSize) || !ReadTag(f, "WAVE") || !ReadTag(f, "fmt ")) return nullptr;

  uint32_t fmtSize, audioFormat, nchannels, rate, byteRate, blockAlign, bits;
  if (!ReadU32(f, &fmtSize) || fmtSize < 16) return nullptr;
  if (!ReadU16(f, &audioFormat) || audioFormat != 1) return nullptr;  // PCM only
  if (!ReadU16(f, &nchannels) || !ReadU32(f, &rate) || !ReadU32(f, &byteRate) || !ReadU16(f, &blockAlign) ||
      !ReadU16(f, &bits)) {
    return nullptr;
  }
  uint32_t bytesPerSample = bits / 8;
  if (nchannels == 0 || bytesPerSample == 0 || rate > INT_MAX) return nullptr;
  if (!Skip(f, Padded(fmtSize) - 16)) return nullptr;

  for (;;) {
    char id[4];
    uint32_t size;
    if (!ReadBytes(f, id, 4) || !ReadU32(f, &size)) return nullptr;
    if (memcmp(id, "data", 4) != 0) {
      if (!Skip(f, Padded(size))) return nullptr;
      continue;
    }
    if (size > INT_MAX) return nullptr;  // sizes are ints from here on
    unsigned char* data = ReadBody(f, size);
    if (!data) return nullptr;
    *channels = int(nchannels);
    *format = int(bytesPerSample);
    *hertz = int(rate);
    *length = int(size / (nchannels * bytesPerSample));
    return data;
  }
}
