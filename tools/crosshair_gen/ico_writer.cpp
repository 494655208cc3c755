#include "ico_writer.h"

namespace crosshair {

namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

} // namespace

std::vector<std::uint8_t> encodeIco(const Canvas& canvas) {
    const auto width = static_cast<std::uint32_t>(canvas.width);
    const auto height = static_cast<std::uint32_t>(canvas.height);
    const std::uint32_t colourBytes = width * height * 4;
    // Mask rows are padded to whole 32-bit words.
    const std::uint32_t maskStride = (width + 31) / 32 * 4;
    const std::uint32_t maskBytes = maskStride * height;
    const std::uint32_t imageBytes = kInfoHeaderSize + colourBytes + maskBytes;

    std::vector<std::uint8_t> out;
    put16(out, 0); // reserved
    put16(out, 1); // icon, not cursor
    put16(out, 1); // image count

    out.push_back(static_cast<std::uint8_t>(width)); // 256 would be stored as 0
    out.push_back(static_cast<std::uint8_t>(height));
    out.push_back(0); // no palette
    out.push_back(0); // reserved
    put16(out, 1);    // planes
    put16(out, 32);   // bits per pixel
    put32(out, imageBytes);
    put32(out, kDirectorySize + kEntrySize);

    put32(out, kInfoHeaderSize);
    put32(out, width);
    put32(out, height * 2); // colour bitmap and mask stacked
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, colourBytes + maskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            const std::uint8_t* p = canvas.pixel(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    // A set mask bit marks a pixel that shows what lies beneath.
    for (int y = canvas.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < canvas.width; ++x)
            if (canvas.pixel(x, y)[3] == 0)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace crosshair
