#include "raster.h"

#include <algorithm>
#include <cmath>

namespace crosshair {

namespace {

// 64 x 64 samples a pixel: a straight edge parallel to an axis moves the alpha in steps of
// under 4, fine enough to place a hairline's two columns within a few units of their targets.
constexpr int kSamplesPerAxis = 64;

struct Premultiplied {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 0;
};

// An element ready to be laid over one sample.
struct Paint {
    const Shape* shape;
    Premultiplied colour;
    // The share of what lies beneath that the paint leaves visible where it covers a sample.
    double keep;
};

Paint makePaint(const Element& e, double backing) {
    const double alpha = e.alpha / 255.0;
    const Premultiplied full{e.colour.r / 255.0 * alpha, e.colour.g / 255.0 * alpha,
                             e.colour.b / 255.0 * alpha, alpha};
    if (e.blend == Blend::Replace)
        return {&e.shape, full, 0.0};
    // Laid with source-over onto the backing, the stroke has to end at exactly its own alpha,
    // so it lets through just enough of the backing to make up the difference. The backing is
    // black, so the colour channels need no such correction.
    const double opacity = (alpha - backing) / (1.0 - backing);
    return {&e.shape, {full.r, full.g, full.b, opacity}, 1.0 - opacity};
}

int backingAlphaAt(const Picture& picture, int x, int y) {
    int alpha = 0;
    for (const BackingBlock& block : picture.backing)
        if (x >= block.x0 && x <= block.x1 && y >= block.y0 && y <= block.y1)
            alpha = block.alpha;
    return alpha;
}

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

void store(std::uint8_t* out, const Premultiplied& p) {
    const std::uint8_t alpha = toByte(p.a);
    if (alpha == 0) {
        std::fill(out, out + 4, std::uint8_t{0});
        return;
    }
    out[0] = toByte(p.r / p.a);
    out[1] = toByte(p.g / p.a);
    out[2] = toByte(p.b / p.a);
    out[3] = alpha;
}

Premultiplied samplePixel(int x, int y, double backing, const std::vector<const Paint*>& paints) {
    Premultiplied sum;
    for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
        for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
            const Point p{x - 0.5 + (sx + 0.5) / kSamplesPerAxis,
                          y - 0.5 + (sy + 0.5) / kSamplesPerAxis};
            Premultiplied s{0, 0, 0, backing};
            for (const Paint* paint : paints) {
                if (!contains(*paint->shape, p))
                    continue;
                s.r = paint->colour.r + s.r * paint->keep;
                s.g = paint->colour.g + s.g * paint->keep;
                s.b = paint->colour.b + s.b * paint->keep;
                s.a = paint->colour.a + s.a * paint->keep;
            }
            sum.r += s.r;
            sum.g += s.g;
            sum.b += s.b;
            sum.a += s.a;
        }
    }
    constexpr double samples = kSamplesPerAxis * kSamplesPerAxis;
    return {sum.r / samples, sum.g / samples, sum.b / samples, sum.a / samples};
}

} // namespace

Canvas render(const Picture& picture) {
    std::vector<Paint> paints;
    paints.reserve(picture.elements.size());
    for (const Element& e : picture.elements)
        paints.push_back(makePaint(e, picture.backingAlpha / 255.0));

    Canvas canvas{
        picture.width, picture.height,
        std::vector<std::uint8_t>(static_cast<std::size_t>(picture.width) * picture.height * 4)};
    std::vector<const Paint*> nearby;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            nearby.clear();
            for (const Paint& paint : paints)
                if (mayTouchPixel(*paint.shape, {double(x), double(y)}))
                    nearby.push_back(&paint);
            const double backing = backingAlphaAt(picture, x, y) / 255.0;
            const Premultiplied p = nearby.empty() ? Premultiplied{0, 0, 0, backing}
                                                   : samplePixel(x, y, backing, nearby);
            store(canvas.pixel(x, y), p);
        }
    }
    return canvas;
}

} // namespace crosshair
