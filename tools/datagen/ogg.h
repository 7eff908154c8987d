// Ogg Vorbis encoding of a stereo float buffer through libvorbisenc.
#pragma once
#include <string>
#include <vector>

namespace datagen {

// Encodes left/right channels (equal lengths, values in [-1, 1]) as VBR Ogg Vorbis at `quality`
// (-0.1 .. 1.0) and writes the file. The stream serial number is fixed so the bytes never change.
bool WriteOggVorbis(const std::string& path, const std::vector<float>& left, const std::vector<float>& right,
                    int rate, float quality, const std::string& title);

}  // namespace datagen
