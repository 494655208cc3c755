#include "color_text.h"

#include <windows.h>

std::uint32_t ColorToArgb(std::uint32_t color, std::uint32_t alpha) {
    const std::uint32_t red = color & 0xFF;
    const std::uint32_t green = (color >> 8) & 0xFF;
    const std::uint32_t blue = (color >> 16) & 0xFF;
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

ByteArray AnsiToUtf16(const char* text) {
    if (text == nullptr) {
        text = "";
    }
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        return {};
    }
    ByteArray wide(static_cast<std::size_t>(units) * sizeof(wchar_t));
    MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<wchar_t*>(wide.data()), units);
    return wide;
}
