// Damaged image bytes, made from the real crosshair PNGs, must never crash the loader or the
// window, and never change anything unless they still decode to a usable image.
#include "crosshair_images.h"
#include "png_check.h"
#include "png_window.h"
#include "test_images.h"
#include "test_windows.h"
#include "window_properties.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    return PngCrc32({data, size});
}

std::uint32_t Read32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

void Write32(Bytes& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

struct Chunk {
    std::size_t at; // offset of the length field
    std::uint32_t length;
};

std::vector<Chunk> Chunks(const Bytes& png) {
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Read32(png, at);
        chunks.push_back({at, length});
        at += 12 + std::size_t{length};
    }
    return chunks;
}

// Gives a chunk a CRC that matches its (damaged) contents, so the damage reaches the decoder.
void FixCrc(Bytes& png, const Chunk& chunk) {
    if (chunk.at + 12 + chunk.length <= png.size()) {
        Write32(png, chunk.at + 8 + chunk.length, Crc32(&png[chunk.at + 4], 4 + chunk.length));
    }
}

// One damaged copy of the PNG; the kind of damage cycles with the case number.
Bytes Mutate(const Bytes& png, int index, std::mt19937& random) {
    Bytes bytes = png;
    const auto chunks = Chunks(png);
    const Chunk& header = chunks.front();
    const Chunk& data = chunks[1];
    auto pick = [&](std::size_t limit) { return static_cast<std::size_t>(random() % limit); };
    switch (index % 6) {
    case 0: // bit flips anywhere, CRCs left as they are
        for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips) {
            bytes[pick(bytes.size())] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        }
        break;
    case 1: // bit flips in the compressed pixels, with CRCs that agree
        for (int flips = 1 + static_cast<int>(random() % 8); flips > 0; --flips) {
            bytes[data.at + 8 + pick(data.length)] ^=
                static_cast<std::uint8_t>(1u << (random() % 8));
        }
        FixCrc(bytes, data);
        break;
    case 2: // truncated anywhere
        bytes.resize(pick(bytes.size()));
        break;
    case 3: // a chunk length that lies
        Write32(bytes, chunks[pick(chunks.size())].at,
                static_cast<std::uint32_t>(random() % 2 == 0 ? random() : random() % 20000));
        break;
    case 4: { // a zero-length IDAT, made consistent
        Bytes rebuilt(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(data.at));
        const std::uint8_t empty[] = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0, 0, 0, 0};
        rebuilt.insert(rebuilt.end(), std::begin(empty), std::end(empty));
        Write32(rebuilt, rebuilt.size() - 4, Crc32(&rebuilt[rebuilt.size() - 8], 4));
        rebuilt.insert(rebuilt.end(),
                       png.begin() + static_cast<std::ptrdiff_t>(data.at + 12 + data.length),
                       png.end());
        bytes = rebuilt;
        break;
    }
    default: { // huge or odd dimensions and header fields, made consistent
        const std::uint32_t sizes[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, 65535, 100000, 1u << 20};
        Write32(bytes, header.at + 8, sizes[random() % 7]);
        Write32(bytes, header.at + 12, sizes[random() % 7]);
        if (random() % 3 == 0) {
            bytes[header.at + 8 + 8 + pick(5)] = static_cast<std::uint8_t>(random());
        }
        FixCrc(bytes, header);
        break;
    }
    }
    return bytes;
}

const unsigned char* EmbeddedImage(int style) {
    const unsigned char* images[] = {CrosshairImage1, CrosshairImage2, CrosshairImage3,
                                     CrosshairImage4, CrosshairImage5};
    return images[style - 1];
}

// A decoded image is usable when it has a size and draws.
bool Usable(GpImage* image) {
    const std::uint32_t width = ImageWidth(image);
    const std::uint32_t height = ImageHeight(image);
    if (width == 0 || height == 0 || width > 65535 || height > 65535) {
        return false;
    }
    ScopedBitmap target = MakeSolidBitmap(8, 8, 0);
    GpGraphics* raw = nullptr;
    Gdiplus::DllExports::GdipGetImageGraphicsContext(target.get(), &raw);
    ScopedGraphics graphics(raw);
    return Gdiplus::DllExports::GdipDrawImageRectI(graphics.get(), image, 0, 0, 8, 8) ==
           Gdiplus::Ok;
}

class DamagedCrosshair : public testing::TestWithParam<int> {};

} // namespace

TEST_P(DamagedCrosshair, IsRefusedOrDecodesToAUsableImage) {
    constexpr int Cases = 20000;
    const int style = GetParam();
    const auto original = EmbeddedBytes(EmbeddedImage(style));
    const Bytes png(original.begin(), original.end());
    TestWindow window(0, 0, 66, 66);
    PngWindow kit;
    ASSERT_TRUE(kit.Bind(window));
    ASSERT_TRUE(kit.SetBackImageBytes(png));
    const std::uintptr_t background = GetWindowProperty(window, "PngControl_BackImage");

    std::mt19937 random(static_cast<unsigned>(style) * 7919u);
    int refused = 0;
    for (int i = 0; i < Cases; ++i) {
        const Bytes bytes = Mutate(png, i, random);
        ScopedImage image = LoadScoped(bytes);
        if (image != nullptr) {
            ASSERT_TRUE(Usable(image.get())) << "case " << i << " decoded to an unusable image";
        } else {
            ++refused;
        }
        // The window takes the same bytes every 16th case; its background changes only
        // when they decode, and a new one is taken back off so the run keeps its memory.
        if (i % 16 == 0) {
            const bool taken = kit.SetBackImageBytes(bytes);
            const std::uintptr_t now = GetWindowProperty(window, "PngControl_BackImage");
            if (!taken) {
                ASSERT_EQ(now, background) << "case " << i << " changed the window";
            } else {
                ASSERT_NE(image, nullptr)
                    << "case " << i << ": the window took what the loader refused";
                Gdiplus::DllExports::GdipDisposeImage(reinterpret_cast<GpImage*>(now));
                SetWindowProperty(window, "PngControl_BackImage", background);
            }
        }
    }
    std::printf("style %d: %d of %d damaged copies refused\n", style, refused, Cases);
    EXPECT_GT(refused, Cases / 2);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, DamagedCrosshair, testing::Values(1, 2, 3, 4, 5),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Style" + std::to_string(info.param);
                         });
