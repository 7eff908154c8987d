// Makers of the sound effects (sfx/NNN.wav) and the tune (sfx/Linoleum.ogg).
#pragma once
#include <string>

namespace datagen {

bool MakeSoundEffects(const std::string& outDir);
bool MakeTune(const std::string& outDir);

}  // namespace datagen
