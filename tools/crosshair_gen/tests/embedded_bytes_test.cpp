// Checks what embed_byte_array compiles in against the files it was made from: the byte array
// header, the bytes themselves and the alignment the header promises.
#include "byte_pattern.h"
#include "crosshair_images.h"
#include "file_bytes.h"
#include "png_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

alignas(4) extern const unsigned char EmbeddedBytePattern[];

namespace {

struct Embedded {
    const unsigned char* bytes;
    std::string file;
};

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void expectEmbeds(const unsigned char* embedded, const std::vector<std::uint8_t>& file) {
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(embedded) % 4, 0u) << "not 4-byte aligned";
    EXPECT_EQ(le32(embedded), 1u) << "dimension count";
    ASSERT_EQ(le32(embedded + 4), file.size()) << "length";
    EXPECT_EQ(std::memcmp(embedded + 8, file.data(), file.size()), 0) << "bytes differ";
}

class EmbeddedCrosshair : public ::testing::TestWithParam<Embedded> {};

TEST_P(EmbeddedCrosshair, HoldsTheCommittedPngAsAByteArray) {
    const std::vector<std::uint8_t> file = readFileBytes(repoPath(GetParam().file));
    expectEmbeds(GetParam().bytes, file);

    const std::vector<std::uint8_t> png(GetParam().bytes + 8, GetParam().bytes + 8 + file.size());
    crosshair::DecodedPng decoded;
    std::string error;
    ASSERT_TRUE(crosshair::decodePng(png, decoded, error)) << error;
    EXPECT_EQ(decoded.image.width, 64);
    EXPECT_EQ(decoded.image.height, 64);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, EmbeddedCrosshair,
                         ::testing::Values(Embedded{CrosshairImage1, "overlay/crosshairs/1.png"},
                                           Embedded{CrosshairImage2, "overlay/crosshairs/2.png"},
                                           Embedded{CrosshairImage3, "overlay/crosshairs/3.png"},
                                           Embedded{CrosshairImage4, "overlay/crosshairs/4.png"},
                                           Embedded{CrosshairImage5, "overlay/crosshairs/5.png"}),
                         [](const ::testing::TestParamInfo<Embedded>& info) {
                             return "Style" + std::to_string(info.index + 1);
                         });

TEST(EmbedByteArray, KeepsEveryByteValueAndAThreeByteLength) {
    expectEmbeds(EmbeddedBytePattern, bytePattern());
}

} // namespace
