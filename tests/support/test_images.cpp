#include "test_images.h"

#include "image_loader.h"
#include "memory_stream.h"

using namespace Gdiplus::DllExports;

ScopedBitmap MakeBitmap(int width, int height,
                        const std::function<std::uint32_t(int x, int y)>& argbAt) {
    GpBitmap* raw = nullptr;
    GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &raw);
    ScopedBitmap bitmap(raw);
    for (int y = 0; bitmap != nullptr && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            GdipBitmapSetPixel(bitmap.get(), x, y, argbAt(x, y));
        }
    }
    return bitmap;
}

ScopedBitmap MakeSolidBitmap(int width, int height, std::uint32_t argb) {
    return MakeBitmap(width, height, [argb](int, int) { return argb; });
}

ByteArray EncodePng(GpImage* image) {
    static const CLSID pngEncoder = {
        0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    MemoryStream memory;
    IStream* stream = memory.Create({}, false);
    if (stream == nullptr ||
        GdipSaveImageToStream(image, stream, &pngEncoder, nullptr) != Gdiplus::Ok) {
        return {};
    }
    // The block may be larger than what was written.
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    ByteArray all = memory.GetBytes();
    return ByteArray(all.data(), static_cast<std::size_t>(stat.cbSize.QuadPart));
}

std::uint32_t PixelAt(GpBitmap* bitmap, int x, int y) {
    Gdiplus::ARGB argb = 0;
    GdipBitmapGetPixel(bitmap, x, y, &argb);
    return argb;
}

std::uint32_t ImageWidth(GpImage* image) {
    UINT width = 0;
    GdipGetImageWidth(image, &width);
    return width;
}

std::uint32_t ImageHeight(GpImage* image) {
    UINT height = 0;
    GdipGetImageHeight(image, &height);
    return height;
}

ScopedImage LoadScoped(std::span<const std::uint8_t> bytes) {
    return ScopedImage(LoadImageFromBytes(bytes));
}
