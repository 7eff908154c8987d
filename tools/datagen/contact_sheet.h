// Contact sheet of the generated images, for reviewing the art at a glance.
#pragma once
#include <string>

namespace datagen {

// Reads the images from dataDir and writes one PNG of all their frames with numbers.
bool WriteContactSheet(const std::string& outPng, const std::string& dataDir);

}  // namespace datagen
