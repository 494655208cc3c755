// ByteArray: an owned, copyable run of bytes, and the reader for byte arrays that the
// build embeds as constants (a 32-bit dimension count of 1, a 32-bit length, the bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class ByteArray {
  public:
    ByteArray() = default;
    explicit ByteArray(std::size_t size) : bytes_(size) {}
    ByteArray(const void* data, std::size_t size)
        : bytes_(static_cast<const std::uint8_t*>(data),
                 static_cast<const std::uint8_t*>(data) + size) {}

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }

    std::span<const std::uint8_t> view() const { return bytes_; }
    operator std::span<const std::uint8_t>() const { return bytes_; }

    friend bool operator==(const ByteArray&, const ByteArray&) = default;

  private:
    std::vector<std::uint8_t> bytes_;
};

// The bytes of an embedded constant. The constant must live for the whole run, which
// read-only data does. A header that is not a one-dimensional array gives no bytes.
std::span<const std::uint8_t> EmbeddedBytes(const unsigned char* constant);
