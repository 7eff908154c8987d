// Where the generated data folder and its generator are, and small readers shared by the data tests.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace vxdata {

// The build's data folder: $VX_BINARY_DIR/data (environment first, then the compiled-in path).
inline std::string BinaryDir() {
  const char* env = std::getenv("VX_BINARY_DIR");
  return env && *env ? env : VX_BINARY_DIR;
}
inline std::string DataDir() { return BinaryDir() + "/data"; }
inline std::string Generator() { return BinaryDir() + "/tools/datagen/datagen"; }

std::vector<unsigned char> ReadFile(const std::string& path);

// A 16-bit PCM WAV file as the game's reader accepts it.
struct Wav {
  int channels = 0, rate = 0, bits = 0, format = 0;
  std::vector<int16_t> samples;  // interleaved
};
// Parses RIFF/WAVE with a "fmt " and a "data" chunk (other chunks skipped); false when malformed.
bool ParseWav(const std::vector<unsigned char>& bytes, Wav* out);

}  // namespace vxdata
