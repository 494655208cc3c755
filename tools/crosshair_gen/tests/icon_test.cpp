// Reads the committed program icon as Windows does: the directory, its one entry, the 32-bit
// bottom-up bitmap with alpha and the 1-bit mask after it.
#include "expectations.h"
#include "file_bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

unsigned le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

unsigned le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

TEST(ProgramIcon, IsOneAntiAliasedBlack48PixelImageCentredInTheIcon) {
    const auto& check = crosshair::expect::kIconCheck;
    const std::vector<std::uint8_t> ico = readFileBytes(repoPath("overlay/crosshair.ico"));
    const unsigned size = static_cast<unsigned>(check.size);
    const std::size_t colourBytes = size * size * 4;
    const std::size_t maskStride = (size + 31) / 32 * 4;
    const std::size_t maskBytes = maskStride * size;
    ASSERT_EQ(ico.size(), 6u + 16u + 40u + colourBytes + maskBytes);

    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "not an icon";
    ASSERT_EQ(le16(ico, 4), 1u) << "image count";

    EXPECT_EQ(ico[6], size);
    EXPECT_EQ(ico[7], size);
    EXPECT_EQ(ico[8], 0u) << "palette size";
    EXPECT_EQ(le16(ico, 10), 1u) << "planes";
    EXPECT_EQ(le16(ico, 12), 32u) << "bits per pixel";
    EXPECT_EQ(le32(ico, 14), 40u + colourBytes + maskBytes) << "image bytes";
    ASSERT_EQ(le32(ico, 18), 22u) << "image offset";

    const std::size_t header = 22;
    EXPECT_EQ(le32(ico, header), 40u) << "BITMAPINFOHEADER size";
    EXPECT_EQ(le32(ico, header + 4), size);
    EXPECT_EQ(le32(ico, header + 8), 2 * size) << "height counts bitmap and mask";
    EXPECT_EQ(le16(ico, header + 12), 1u);
    EXPECT_EQ(le16(ico, header + 14), 32u);
    EXPECT_EQ(le32(ico, header + 16), 0u) << "BI_RGB";

    const std::size_t pixels = header + 40;
    const std::size_t mask = pixels + colourBytes;
    auto alphaAt = [&](int x, int y) {
        return int(ico[pixels + ((size - 1 - y) * size + x) * 4 + 3]);
    };
    double weight = 0;
    double sumX = 0;
    double sumY = 0;
    for (int y = 0; y < check.size; ++y) {
        for (int x = 0; x < check.size; ++x) {
            const std::size_t p = pixels + ((size - 1 - y) * size + x) * 4;
            EXPECT_TRUE(ico[p] == 0 && ico[p + 1] == 0 && ico[p + 2] == 0)
                << "(" << x << ", " << y << ") is not black";
            const int alpha = ico[p + 3];
            const bool masked = ico[mask + (size - 1 - y) * maskStride + x / 8] & (0x80 >> (x % 8));
            EXPECT_EQ(masked, alpha == 0)
                << "mask disagrees with alpha at (" << x << ", " << y << ")";
            EXPECT_LE(std::abs(alpha - alphaAt(check.size - 1 - x, y)), 1)
                << "not mirrored left to right at (" << x << ", " << y << ")";
            EXPECT_LE(std::abs(alpha - alphaAt(x, check.size - 1 - y)), 1)
                << "not mirrored top to bottom at (" << x << ", " << y << ")";
            weight += alpha;
            sumX += double(alpha) * x;
            sumY += double(alpha) * y;
        }
    }
    EXPECT_NEAR(sumX / weight, check.centre, 0.05);
    EXPECT_NEAR(sumY / weight, check.centre, 0.05);

    int partial = 0;
    for (int y = 0; y < check.size; ++y)
        for (int x = 0; x < check.size; ++x)
            partial += alphaAt(x, y) > 0 && alphaAt(x, y) < 255;
    EXPECT_GT(partial, 0) << "edges are not anti-aliased";

    for (std::size_t i = 0; i < check.pixelCount; ++i) {
        const auto& c = check.pixels[i];
        const int alpha = alphaAt(c.x, c.y);
        EXPECT_TRUE(alpha >= c.minAlpha && alpha <= c.maxAlpha)
            << c.what << " at (" << c.x << ", " << c.y << ") has alpha " << alpha;
    }
}

} // namespace
