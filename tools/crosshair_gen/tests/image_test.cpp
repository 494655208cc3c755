// Holds each committed crosshair PNG against its row of the expectation table.
#include "expectations.h"
#include "file_bytes.h"
#include "png_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace crosshair::expect {

// Names the image in failure messages instead of dumping the row's bytes.
void PrintTo(const ImageCheck& check, std::ostream* out) {
    *out << "image " << check.style;
}

} // namespace crosshair::expect

namespace {

using crosshair::expect::ImageCheck;

struct Pixel {
    int r;
    int g;
    int b;
    int a;
};

Pixel at(const crosshair::Canvas& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

std::string describe(const Pixel& p) {
    return "rgba(" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) +
           ", " + std::to_string(p.a) + ")";
}

class CommittedCrosshair : public ::testing::TestWithParam<ImageCheck> {};

TEST_P(CommittedCrosshair, MatchesItsDesign) {
    const ImageCheck& check = GetParam();
    const std::string path = repoPath("overlay/crosshairs/" + std::to_string(check.style) + ".png");
    crosshair::DecodedPng png;
    std::string error;
    ASSERT_TRUE(crosshair::decodePng(readFileBytes(path), png, error)) << path << ": " << error;
    const crosshair::Canvas& image = png.image;

    ASSERT_EQ(image.width, check.width);
    ASSERT_EQ(image.height, check.height);
    ASSERT_GE(png.chunks.size(), 3u);
    EXPECT_EQ(png.chunks.front(), "IHDR");
    EXPECT_EQ(png.chunks.back(), "IEND");
    for (std::size_t i = 1; i + 1 < png.chunks.size(); ++i)
        EXPECT_EQ(png.chunks[i], "IDAT") << "chunk " << i << " is not pixel data";

    for (std::size_t i = 0; i < check.pixelCount; ++i) {
        const auto& c = check.pixels[i];
        const Pixel p = at(image, c.x, c.y);
        SCOPED_TRACE(std::string(c.what) + " at (" + std::to_string(c.x) + ", " +
                     std::to_string(c.y) + ") is " + describe(p));
        EXPECT_GE(p.a, c.minAlpha);
        EXPECT_LE(p.a, c.maxAlpha);
        if (c.colourTolerance != crosshair::expect::kNoColourCheck) {
            EXPECT_NEAR(p.r, c.colour.r, c.colourTolerance);
            EXPECT_NEAR(p.g, c.colour.g, c.colourTolerance);
            EXPECT_NEAR(p.b, c.colour.b, c.colourTolerance);
        }
    }

    for (std::size_t i = 0; i < check.blockCount; ++i) {
        const auto& b = check.blocks[i];
        for (int y = b.y0; y <= b.y1; ++y)
            for (int x = b.x0; x <= b.x1; ++x) {
                const Pixel p = at(image, x, y);
                EXPECT_TRUE(p.a >= b.minAlpha && p.a <= b.maxAlpha)
                    << b.what << ": (" << x << ", " << y << ") has alpha " << p.a << ", not "
                    << b.minAlpha << " to " << b.maxAlpha;
            }
    }

    for (std::size_t i = 0; i < check.sectionCount; ++i) {
        const auto& s = check.sections[i];
        int sum = 0;
        for (int y = s.y0; y <= s.y1; ++y)
            for (int x = s.x0; x <= s.x1; ++x)
                sum += at(image, x, y).a - check.backingAlpha;
        EXPECT_TRUE(sum >= s.minSum && sum <= s.maxSum)
            << s.what << ": alpha above the backing sums to " << sum << ", not " << s.minSum
            << " to " << s.maxSum;
    }

    // GDI+ and the window manager ignore the colour of a fully transparent pixel, but a
    // resampling filter does not: a stray colour there would fringe the stretched edges.
    int transparent = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Pixel p = at(image, x, y);
            if (p.a != 0)
                continue;
            ++transparent;
            EXPECT_TRUE(p.r == 0 && p.g == 0 && p.b == 0)
                << "(" << x << ", " << y << ") is " << describe(p);
        }
    EXPECT_EQ(transparent > 0, check.hasTransparentPixels) << transparent << " transparent pixels";

    double weight = 0;
    double sumX = 0;
    double sumY = 0;
    for (int y = check.markY0; y <= check.markY1; ++y)
        for (int x = check.markX0; x <= check.markX1; ++x) {
            const Pixel p = at(image, x, y);
            const double w = double(p.r) * p.a;
            weight += w;
            sumX += w * x;
            sumY += w * y;
        }
    ASSERT_GT(weight, 0) << "no red centre mark";
    EXPECT_NEAR(sumX / weight, check.centreX, crosshair::expect::kCentreTolerance);
    EXPECT_NEAR(sumY / weight, check.centreY, crosshair::expect::kCentreTolerance);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, CommittedCrosshair,
                         ::testing::ValuesIn(crosshair::expect::kImageChecks),
                         [](const ::testing::TestParamInfo<ImageCheck>& info) {
                             return "Style" + std::to_string(info.param.style);
                         });

} // namespace
