// The built-in crosshairs as the program sees them: the embedded constants decoded by the
// real GDI+, held against the same tables the generator's host tests use.
#include "crosshair_images.h"
#include "expectations.h"
#include "host_command.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace expect = crosshair::expect;

namespace crosshair::expect {
// Names the case in test listings by its style instead of dumping the table's bytes.
void PrintTo(const ImageCheck& check, std::ostream* out) {
    *out << "style " << check.style;
}
} // namespace crosshair::expect

namespace {

const unsigned char* EmbeddedImage(int style) {
    const unsigned char* images[] = {CrosshairImage1, CrosshairImage2, CrosshairImage3,
                                     CrosshairImage4, CrosshairImage5};
    return images[style - 1];
}

std::vector<std::uint8_t> CommittedFile(int style) {
    const std::string path = WindowsPathOf(std::string(CROSSHAIR_SOURCE_DIR) +
                                           "/overlay/crosshairs/" + std::to_string(style) + ".png");
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
};

Pixels Decode(std::span<const std::uint8_t> png) {
    Pixels pixels;
    ScopedImage image = LoadScoped(png);
    if (image == nullptr) {
        return pixels;
    }
    pixels.width = static_cast<int>(ImageWidth(image.get()));
    pixels.height = static_cast<int>(ImageHeight(image.get()));
    pixels.argb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    Gdiplus::Rect all(0, 0, pixels.width, pixels.height);
    Gdiplus::BitmapData data{};
    auto* bitmap = reinterpret_cast<GpBitmap*>(image.get());
    if (Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead,
                                                PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return {};
    }
    for (int y = 0; y < pixels.height; ++y) {
        std::memcpy(&pixels.argb[static_cast<std::size_t>(y) * pixels.width],
                    static_cast<const std::uint8_t*>(data.Scan0) + y * data.Stride,
                    static_cast<std::size_t>(pixels.width) * 4);
    }
    Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
    return pixels;
}

class CrosshairImage : public testing::TestWithParam<expect::ImageCheck> {};

} // namespace

TEST_P(CrosshairImage, EmbeddedConstantIsTheCommittedPng) {
    const int style = GetParam().style;
    const unsigned char* constant = EmbeddedImage(style);
    std::uint32_t dimensions = 0;
    std::memcpy(&dimensions, constant, 4);
    EXPECT_EQ(dimensions, 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(constant) % 4, 0u);
    const std::vector<std::uint8_t> file = CommittedFile(style);
    ASSERT_FALSE(file.empty()) << "cannot read " << style << ".png";
    const auto bytes = EmbeddedBytes(constant);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), file);
}

TEST_P(CrosshairImage, GdiplusDecodesWhatTheTableDescribes) {
    const expect::ImageCheck& check = GetParam();
    const Pixels image = Decode(EmbeddedBytes(EmbeddedImage(check.style)));
    ASSERT_EQ(image.width, check.width);
    ASSERT_EQ(image.height, check.height);

    for (const auto& p : std::span(check.pixels, check.pixelCount)) {
        const std::uint32_t argb = image.At(p.x, p.y);
        const int alpha = static_cast<int>(argb >> 24);
        EXPECT_TRUE(alpha >= p.minAlpha && alpha <= p.maxAlpha)
            << p.what << " at " << p.x << "," << p.y << ": alpha " << alpha;
        if (p.colourTolerance != expect::kNoColourCheck) {
            const int r = static_cast<int>((argb >> 16) & 0xFF);
            const int g = static_cast<int>((argb >> 8) & 0xFF);
            const int b = static_cast<int>(argb & 0xFF);
            EXPECT_LE(std::abs(r - p.colour.r), p.colourTolerance) << p.what;
            EXPECT_LE(std::abs(g - p.colour.g), p.colourTolerance) << p.what;
            EXPECT_LE(std::abs(b - p.colour.b), p.colourTolerance) << p.what;
        }
    }
    for (const auto& b : std::span(check.blocks, check.blockCount)) {
        for (int y = b.y0; y <= b.y1; ++y) {
            for (int x = b.x0; x <= b.x1; ++x) {
                const int alpha = image.Alpha(x, y);
                ASSERT_TRUE(alpha >= b.minAlpha && alpha <= b.maxAlpha)
                    << b.what << " at " << x << "," << y << ": alpha " << alpha;
            }
        }
    }
    // A thin stroke covers no pixel whole: what it adds over the backing across its width
    // is what the table gives.
    for (const auto& s : std::span(check.sections, check.sectionCount)) {
        int sum = 0;
        for (int y = s.y0; y <= s.y1; ++y) {
            for (int x = s.x0; x <= s.x1; ++x) {
                sum += image.Alpha(x, y) - check.backingAlpha;
            }
        }
        EXPECT_TRUE(sum >= s.minSum && sum <= s.maxSum) << s.what << ": sum " << sum;
    }

    bool anyTransparent = false;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.Alpha(x, y) == 0) {
                anyTransparent = true;
                ASSERT_EQ(image.At(x, y), 0u) << "transparent but not black at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(anyTransparent, check.hasTransparentPixels);
}

TEST_P(CrosshairImage, CentreMarkSitsAtTheDesignedCentre) {
    const expect::ImageCheck& check = GetParam();
    const Pixels image = Decode(EmbeddedBytes(EmbeddedImage(check.style)));
    ASSERT_EQ(image.width, check.width);
    double weight = 0;
    double sumX = 0;
    double sumY = 0;
    for (int y = check.markY0; y <= check.markY1; ++y) {
        for (int x = check.markX0; x <= check.markX1; ++x) {
            const std::uint32_t argb = image.At(x, y);
            const double w = static_cast<double>((argb >> 16) & 0xFF) * (argb >> 24);
            weight += w;
            sumX += w * x;
            sumY += w * y;
        }
    }
    ASSERT_GT(weight, 0) << "no red centre mark found";
    EXPECT_NEAR(sumX / weight, check.centreX, expect::kCentreTolerance);
    EXPECT_NEAR(sumY / weight, check.centreY, expect::kCentreTolerance);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, CrosshairImage, testing::ValuesIn(expect::kImageChecks),
                         [](const testing::TestParamInfo<expect::ImageCheck>& info) {
                             return "Style" + std::to_string(info.param.style);
                         });
