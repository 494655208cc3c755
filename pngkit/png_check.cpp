#include "png_check.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<std::uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}
constexpr auto CrcTable = MakeCrcTable();

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

} // namespace

std::uint32_t PngCrc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) {
        crc = CrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

bool IsIntactPngOrOtherFormat(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < Signature.size() ||
        std::memcmp(bytes.data(), Signature.data(), Signature.size()) != 0) {
        return true;
    }
    std::size_t at = Signature.size();
    bool first = true;
    while (bytes.size() - at >= 12) {
        const std::uint32_t length = BigEndian32(&bytes[at]);
        if (length > bytes.size() - at - 12) {
            return false;
        }
        const auto typeAndData = bytes.subspan(at + 4, 4 + std::size_t{length});
        const bool isHeader = std::memcmp(typeAndData.data(), "IHDR", 4) == 0;
        if (first != isHeader || (isHeader && length != 13)) {
            return false;
        }
        if (PngCrc32(typeAndData) != BigEndian32(&bytes[at + 8 + length])) {
            return false;
        }
        if (std::memcmp(typeAndData.data(), "IEND", 4) == 0) {
            return true;
        }
        first = false;
        at += 12 + std::size_t{length};
    }
    return false;
}
