#include "image_loader.h"

#include "memory_stream.h"
#include "png_check.h"

#include <cstring>

ByteArray FrameDimensionGuid;

namespace {

void SelectFirstFrame(GpImage* image) {
    GUID dimension{};
    if (FrameDimensionGuid.size() == sizeof dimension) {
        std::memcpy(&dimension, FrameDimensionGuid.data(), sizeof dimension);
    }
    // Fails for still images; the image is usable either way.
    Gdiplus::DllExports::GdipImageSelectActiveFrame(image, &dimension, 0);
}

} // namespace

GpImage* LoadImageFromBytes(std::span<const std::uint8_t> bytes) {
    if (!IsIntactPngOrOtherFormat(bytes)) {
        return nullptr;
    }
    MemoryStream memory;
    IStream* stream = memory.Create(bytes, true);
    if (stream == nullptr) {
        return nullptr;
    }
    GpImage* image = nullptr;
    if (Gdiplus::DllExports::GdipLoadImageFromStream(stream, &image) != Gdiplus::Ok) {
        if (image != nullptr) {
            Gdiplus::DllExports::GdipDisposeImage(image);
        }
        return nullptr;
    }
    SelectFirstFrame(image);
    return image;
}
