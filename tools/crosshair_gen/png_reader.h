// Reads back the kind of PNG the generator writes (8-bit RGBA, not interlaced), checking every
// chunk's CRC, so that tests can judge the committed files by their decoded pixels.
#pragma once

#include "raster.h"

#include <cstdint>
#include <string>
#include <vector>

namespace crosshair {

struct DecodedPng {
    // Chunk types in file order.
    std::vector<std::string> chunks;
    Canvas image;
};

// Returns false and says why in `error` if the file is damaged or of another kind.
bool decodePng(const std::vector<std::uint8_t>& file, DecodedPng& out, std::string& error);

} // namespace crosshair
