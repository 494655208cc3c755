#include "byte_array.h"

#include <cstring>

std::span<const std::uint8_t> EmbeddedBytes(const unsigned char* constant) {
    if (constant == nullptr) {
        return {};
    }
    std::uint32_t dimensions = 0;
    std::uint32_t length = 0;
    std::memcpy(&dimensions, constant, sizeof dimensions);
    std::memcpy(&length, constant + sizeof dimensions, sizeof length);
    if (dimensions != 1) {
        return {};
    }
    return {constant + sizeof dimensions + sizeof length, length};
}
