// Writer of 16-bit PCM WAV files: the RIFF header, a "fmt " chunk and one "data" chunk.
#include "wav.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "sheet.h"

namespace datagen {
namespace {

void Put32(std::vector<unsigned char>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void Put16(std::vector<unsigned char>& b, uint16_t v) {
  b.push_back(static_cast<unsigned char>(v));
  b.push_back(static_cast<unsigned char>(v >> 8));
}
void PutTag(std::vector<unsigned char>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

}  // namespace

short ToPcm16(float v) {
  const double x = std::lround(std::fmax(-1.0, std::fmin(1.0, v)) * 32767.0);
  return static_cast<short>(x);
}

bool WriteWav(const std::string& path, const std::vector<float>& samples, int channels, int rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<unsigned char> b;
  b.reserve(44 + dataBytes);
  PutTag(b, "RIFF");
  Put32(b, 36 + dataBytes);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, static_cast<uint16_t>(channels));
  Put32(b, static_cast<uint32_t>(rate));
  Put32(b, static_cast<uint32_t>(rate * channels * 2));
  Put16(b, static_cast<uint16_t>(channels * 2));
  Put16(b, 16);
  PutTag(b, "data");
  Put32(b, dataBytes);
  for (float v : samples) Put16(b, static_cast<uint16_t>(ToPcm16(v)));
  if (!MakeParentDirs(path)) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace datagen
