// Readers shared by the data tests: whole files and a strict little WAV parser.
#include "data_files.h"

#include <cstdio>

namespace vxdata {

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  unsigned char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
  std::fclose(f);
  return bytes;
}

namespace {
uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
}  // namespace

bool ParseWav(const std::vector<unsigned char>& b, Wav* out) {
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE" || Le32(&b[4]) != b.size() - 8)
    return false;
  bool haveFmt = false;
  size_t pos = 12;
  while (pos + 8 <= b.size()) {
    const std::string id(b.begin() + pos, b.begin() + pos + 4);
    const uint32_t size = Le32(&b[pos + 4]);
    if (size > b.size() - pos - 8) return false;
    const unsigned char* body = &b[pos + 8];
    if (id == "fmt " && size >= 16) {
      out->format = Le16(body);
      out->channels = Le16(body + 2);
      out->rate = static_cast<int>(Le32(body + 4));
      out->bits = Le16(body + 14);
      haveFmt = Le32(body + 8) == static_cast<uint32_t>(out->rate * out->channels * out->bits / 8);
    } else if (id == "data" && haveFmt && out->bits == 16) {
      out->samples.resize(size / 2);
      for (size_t i = 0; i < out->samples.size(); ++i) out->samples[i] = static_cast<int16_t>(Le16(body + 2 * i));
      return out->format == 1 && size % (2 * out->channels) == 0;
    }
    pos += 8 + size + (size & 1);
  }
  return false;
}

}  // namespace vxdata
