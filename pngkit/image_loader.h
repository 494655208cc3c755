// Decoding images from bytes with GDI+.
#pragma once

#include "byte_array.h"
#include "gdiplus_api.h"

// The GDI+ time frame dimension as a 16-byte GUID. The application fills it once GDI+ is
// started; while it is empty the loader asks for frame 0 of a zero dimension, which GDI+
// refuses and nothing relies on.
extern ByteArray FrameDimensionGuid;

// Fills FrameDimensionGuid with the time dimension, parsed from its text with
// CLSIDFromString; it stays 16 zero bytes if that fails.
void ParseTimeFrameDimension();

// Decodes an encoded image (PNG and whatever else GDI+ reads), selecting the first frame of
// an animated one. The caller owns the image; the bytes it was decoded from stay alive
// inside GDI+ for as long as the image does. Returns null when the bytes are no image.
GpImage* LoadImageFromBytes(std::span<const std::uint8_t> bytes);
