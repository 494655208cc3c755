// Encodes a canvas as an 8-bit RGBA PNG holding only IHDR, one IDAT and IEND. The same canvas
// always gives the same bytes, so the committed images can be checked by regenerating them.
#pragma once

#include "raster.h"

#include <cstdint>
#include <vector>

namespace crosshair {

std::vector<std::uint8_t> encodePng(const Canvas& canvas);

} // namespace crosshair
