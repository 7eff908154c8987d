// Writer of 16-bit PCM WAV files.
#pragma once
#include <string>
#include <vector>

namespace datagen {

// Writes float samples in [-1, 1] (interleaved when channels is 2) as 16-bit PCM. False on failure.
bool WriteWav(const std::string& path, const std::vector<float>& samples, int channels, int rate);

// Converts a float sample to 16-bit with rounding and clipping.
short ToPcm16(float v);

}  // namespace datagen
