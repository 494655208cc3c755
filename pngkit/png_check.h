// A structural check of PNG files before they reach the decoder. Wine's decoder, unlike
// Windows', accepts chunks whose CRC is wrong and shows whatever the damaged bytes decode
// to; a damaged file must instead count as no image at all.
#pragma once

#include <cstdint>
#include <span>

// The CRC-32 that PNG chunks carry over their type and data.
std::uint32_t PngCrc32(std::span<const std::uint8_t> bytes);

// False for bytes that start with the PNG signature but are not a whole, intact PNG:
// a chunk running past the end, a CRC that does not match, IHDR not first or malformed,
// or no IEND. True for everything else, which the decoder judges for itself.
bool IsIntactPngOrOtherFormat(std::span<const std::uint8_t> bytes);
