// Images made on the spot with GDI+: known pixels, and their PNG encoding.
#pragma once

#include "byte_array.h"
#include "scoped_handles.h"

#include <cstdint>
#include <functional>

// A width x height ARGB bitmap whose pixel (x, y) is argbAt(x, y).
ScopedBitmap MakeBitmap(int width, int height,
                        const std::function<std::uint32_t(int x, int y)>& argbAt);
ScopedBitmap MakeSolidBitmap(int width, int height, std::uint32_t argb);

// The image encoded as PNG by GDI+'s own encoder.
ByteArray EncodePng(GpImage* image);

// Straight-alpha ARGB of one pixel.
std::uint32_t PixelAt(GpBitmap* bitmap, int x, int y);
std::uint32_t ImageWidth(GpImage* image);
std::uint32_t ImageHeight(GpImage* image);

// Decodes with the kit's loader and hands ownership to the caller.
ScopedImage LoadScoped(std::span<const std::uint8_t> bytes);
