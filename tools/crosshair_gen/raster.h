// Turns a picture description into straight-alpha RGBA pixels.
//
// Every picture has a faint black backing whose alpha is given pixel by pixel, and strokes on
// top of it. Where a stroke covers a whole pixel the pixel gets exactly the stroke's colour and
// alpha; where it covers part of one, the alpha rises from the backing's towards the stroke's in
// proportion to the covered share. Coverage is found by supersampling, and strokes are combined
// sample by sample, so crossings and joins are exact rather than estimated from coverages.
#pragma once

#include "geometry.h"

#include <cstdint>
#include <vector>

namespace crosshair {

struct Colour {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

enum class Blend {
    // Source-over: a stroke over another stroke is more opaque than either.
    Over,
    // The stroke's own colour and alpha replace whatever lies beneath it.
    Replace,
};

struct Element {
    Shape shape;
    Colour colour;
    int alpha;
    Blend blend = Blend::Over;
};

// An inclusive block of pixels whose backing has one alpha. Later blocks override earlier ones.
struct BackingBlock {
    int x0;
    int y0;
    int x1;
    int y1;
    int alpha;
};

struct Picture {
    int width;
    int height;
    // The backing's alpha under the strokes; a stroke laid over it stores exactly its own alpha.
    int backingAlpha;
    std::vector<BackingBlock> backing;
    // Painted in order.
    std::vector<Element> elements;
};

struct Canvas {
    int width = 0;
    int height = 0;
    // Row-major R, G, B, A bytes with straight (not premultiplied) alpha.
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* pixel(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    std::uint8_t* pixel(int x, int y) {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

Canvas render(const Picture& picture);

} // namespace crosshair
