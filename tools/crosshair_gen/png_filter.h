// What the PNG writer and reader share: the signature and the row filters' predictions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace crosshair {

inline constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// RGBA, 8 bits a channel.
inline constexpr std::size_t kBytesPerPixel = 4;

// The value that row filter `type` (0 to 4) predicts for byte i of an unfiltered row, from
// the row's earlier bytes and the unfiltered row above (null for the first row); -1 for a
// filter type PNG does not have.
inline int filterPredictor(int type, const std::uint8_t* row, const std::uint8_t* above,
                           std::size_t i) {
    const int a = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
    const int b = above ? above[i] : 0;
    const int c = above && i >= kBytesPerPixel ? above[i - kBytesPerPixel] : 0;
    switch (type) {
    case 0:
        return 0;
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return (a + b) / 2;
    case 4: {
        const int p = a + b - c;
        const int pa = std::abs(p - a);
        const int pb = std::abs(p - b);
        const int pc = std::abs(p - c);
        if (pa <= pb && pa <= pc)
            return a;
        return pb <= pc ? b : c;
    }
    default:
        return -1;
    }
}

} // namespace crosshair
