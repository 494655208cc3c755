#include "image_loader.h"

#include "color_text.h"

#include "memory_stream.h"
#include "png_check.h"

#include <cstring>

ByteArray FrameDimensionGuid;

void ParseTimeFrameDimension() {
    FrameDimensionGuid = ByteArray(sizeof(GUID));
    const ByteArray text = AnsiToUtf16("{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}");
    CLSIDFromString(reinterpret_cast<LPCOLESTR>(text.data()),
                    reinterpret_cast<CLSID*>(FrameDimensionGuid.data()));
}

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
