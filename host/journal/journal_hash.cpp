// The running draw-list hash: four independent lanes over the floats' bits, so a full list of 37,500
// floats costs a few tens of microseconds, folded into the previous frames' value.
#include <cstring>

#include "host/journal/journal.h"

namespace journal_detail {
bool g_hashing = false;
uint64_t g_running = 0;

void Fold(const float* list, int count) { g_running = journal_HashFloats(list, count, g_running); }
}  // namespace journal_detail

namespace {
inline uint64_t Rotl(uint64_t v, int s) { return (v << s) | (v >> (64 - s)); }
inline uint64_t Step(uint64_t lane, uint32_t word) { return Rotl((lane ^ word) * 0x9E3779B97F4A7C15ULL, 29); }
}  // namespace

uint64_t journal_HashFloats(const float* list, int count, uint64_t seed) {
  uint64_t a = seed ^ 0x243F6A8885A308D3ULL, b = seed + 0x13198A2E03707344ULL, c = ~seed, d = Rotl(seed, 32);
  int i = 0;
  uint32_t w[4];
  for (; i + 4 <= count; i += 4) {
    std::memcpy(w, list + i, sizeof w);
    a = Step(a, w[0]);
    b = Step(b, w[1]);
    c = Step(c, w[2]);
    d = Step(d, w[3]);
  }
  for (; i < count; ++i) {
    std::memcpy(w, list + i, sizeof w[0]);
    a = Step(a, w[0]);
  }
  uint64_t h = a ^ Rotl(b, 16) ^ Rotl(c, 32) ^ Rotl(d, 48) ^ uint64_t(count);
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDULL;
  h ^= h >> 33;
  return h;
}

uint64_t journal_RunningHash() { return journal_detail::g_running; }

void journal_ResetHash(bool hashing) {
  journal_detail::g_hashing = hashing;
  journal_detail::g_running = 0;
}
