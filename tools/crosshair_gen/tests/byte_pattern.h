// A file content that exercises the byte array embedding: every byte value, and long enough
// that its length needs three bytes.
#pragma once

#include <cstdint>
#include <vector>

constexpr std::size_t kBytePatternLength = 70001;

inline std::vector<std::uint8_t> bytePattern() {
    std::vector<std::uint8_t> bytes(kBytePatternLength);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}
