#include "image_loader.h"
#include "memory_stream.h"
#include "process_memory.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
std::vector<std::uint8_t> ReadAll(IStream* stream) {
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    std::vector<std::uint8_t> bytes(4096);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}
} // namespace

TEST(MemoryStream, FromBytesReadsACopyOfThem) {
    std::vector<std::uint8_t> bytes{1, 2, 3, 4, 5, 250};
    MemoryStream memory;
    IStream* stream = memory.Create(bytes, true);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(memory.GetStream(), stream);
    bytes[0] = 99; // the stream holds a copy
    EXPECT_EQ(memory.GetSize(), 6u);
    EXPECT_EQ(ReadAll(stream), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 250}));
    const ByteArray copy = memory.GetBytes();
    EXPECT_EQ(std::vector<std::uint8_t>(copy.data(), copy.data() + copy.size()),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 250}));
}

TEST(MemoryStream, EmptyModeGrowsAsItIsWritten) {
    MemoryStream memory;
    IStream* stream = memory.Create({}, false);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(memory.GetSize(), 0u);
    std::vector<std::uint8_t> written(3000);
    for (std::size_t i = 0; i < written.size(); ++i) {
        written[i] = static_cast<std::uint8_t>(i * 7);
    }
    ULONG count = 0;
    ASSERT_EQ(stream->Write(written.data(), static_cast<ULONG>(written.size()), &count), S_OK);
    ASSERT_GE(memory.GetSize(), written.size());
    const ByteArray copy = memory.GetBytes();
    EXPECT_TRUE(std::equal(written.begin(), written.end(), copy.data()));
}

TEST(MemoryStream, CreateAgainAndFreeLeaveNothingBehind) {
    MemoryStream memory;
    const std::vector<std::uint8_t> block(256 * 1024, 0xAB);
    memory.Create(block, true);
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < 2000; ++i) { // 500 MiB if blocks leaked
        ASSERT_NE(memory.Create(block, i % 2 == 0), nullptr);
    }
    memory.Free();
    EXPECT_EQ(memory.GetStream(), nullptr);
    EXPECT_EQ(memory.GetSize(), 0u);
    EXPECT_TRUE(memory.GetBytes().empty());
    EXPECT_LT(PrivateBytes(), before + 8 * 1024 * 1024);
}

TEST(LoadImageFromBytes, ImageStaysDrawableAfterTheLoaderReturns) {
    auto argbAt = [](int x, int y) {
        return 0xFF000000u | static_cast<std::uint32_t>(x * 8) << 16 |
               static_cast<std::uint32_t>(y * 8);
    };
    ScopedBitmap original = MakeBitmap(32, 32, argbAt);
    ScopedImage image;
    {
        const ByteArray png = EncodePng(original.get());
        image = LoadScoped(png);
    }
    ASSERT_NE(image, nullptr);
    // Churn the heaps the stream's block came from, then draw the image.
    std::vector<HGLOBAL> scribble;
    for (int i = 0; i < 200; ++i) {
        HGLOBAL block = GlobalAlloc(GMEM_FIXED, 1024 + i * 16);
        std::memset(block, 0xCD, 1024 + i * 16);
        scribble.push_back(block);
    }
    ScopedBitmap target = MakeSolidBitmap(32, 32, 0);
    GpGraphics* raw = nullptr;
    Gdiplus::DllExports::GdipGetImageGraphicsContext(target.get(), &raw);
    ScopedGraphics graphics(raw);
    Gdiplus::DllExports::GdipDrawImageRectI(graphics.get(), image.get(), 0, 0, 32, 32);
    graphics.reset();
    for (int y = 0; y < 32; y += 5) {
        for (int x = 0; x < 32; x += 5) {
            EXPECT_EQ(PixelAt(target.get(), x, y), argbAt(x, y)) << x << "," << y;
        }
    }
    for (HGLOBAL block : scribble) {
        GlobalFree(block);
    }
}

TEST(LoadImageFromBytes, LoadingAndDisposingLeaksNothing) {
    ScopedBitmap original = MakeSolidBitmap(256, 256, 0x80FF8040);
    const ByteArray png = EncodePng(original.get());
    for (int i = 0; i < 50; ++i) {
        LoadScoped(png);
    }
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < 3000; ++i) { // 750 MiB of pixels if images or blocks leaked
        ScopedImage image = LoadScoped(png);
        ASSERT_NE(image, nullptr) << "load " << i;
    }
    EXPECT_LT(PrivateBytes(), before + 8 * 1024 * 1024)
        << "private bytes grew from " << before << " to " << PrivateBytes();
}
