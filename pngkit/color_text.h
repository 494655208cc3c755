// Colour and text conversions shared by the kit and its callers.
#pragma once

#include "byte_array.h"

#include <cstdint>

// An application colour 0x00BBGGRR (byte 3 ignored) and an alpha 0..255 as GDI+ ARGB
// 0xAARRGGBB. Only the low 8 bits of alpha count.
std::uint32_t ColorToArgb(std::uint32_t color, std::uint32_t alpha);

// Text in the ANSI code page as UTF-16LE followed by one zero unit. A null text counts as
// the empty text, which gives the two bytes of the zero unit.
ByteArray AnsiToUtf16(const char* text);
