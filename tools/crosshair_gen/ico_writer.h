// Encodes a canvas as a one-image .ico: a 32-bit BGRA bitmap with alpha, stored bottom-up in
// BITMAPINFOHEADER form, followed by the 1-bit AND mask that older readers use.
#pragma once

#include "raster.h"

#include <cstdint>
#include <vector>

namespace crosshair {

std::vector<std::uint8_t> encodeIco(const Canvas& canvas);

} // namespace crosshair
