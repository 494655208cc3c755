#include "png_writer.h"

#include "png_filter.h"

#include <zlib.h>

#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace crosshair {

namespace {

void putBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void putChunk(std::vector<std::uint8_t>& out, std::string_view type,
              const std::vector<std::uint8_t>& data) {
    putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, &out[typeAt], static_cast<uInt>(out.size() - typeAt));
    putBigEndian32(out, static_cast<std::uint32_t>(crc));
}

// Applies one of the five PNG row filters to `row`, given the unfiltered row above.
std::vector<std::uint8_t> filterRow(int type, const std::uint8_t* row, const std::uint8_t* above,
                                    std::size_t length) {
    std::vector<std::uint8_t> out(length + 1);
    out[0] = static_cast<std::uint8_t>(type);
    for (std::size_t i = 0; i < length; ++i) {
        const int predictor = filterPredictor(type, row, above, i);
        out[i + 1] = static_cast<std::uint8_t>(row[i] - predictor);
    }
    return out;
}

// The usual heuristic: the filter whose output, read as signed bytes, sums smallest.
std::vector<std::uint8_t> bestFilteredRow(const std::uint8_t* row, const std::uint8_t* above,
                                          std::size_t length) {
    std::vector<std::uint8_t> best;
    long bestScore = 0;
    for (int type = 0; type <= 4; ++type) {
        std::vector<std::uint8_t> candidate = filterRow(type, row, above, length);
        long score = 0;
        for (std::size_t i = 1; i < candidate.size(); ++i)
            score += std::abs(static_cast<signed char>(candidate[i]));
        if (best.empty() || score < bestScore) {
            best = std::move(candidate);
            bestScore = score;
        }
    }
    return best;
}

} // namespace

std::vector<std::uint8_t> encodePng(const Canvas& canvas) {
    const std::size_t stride = static_cast<std::size_t>(canvas.width) * kBytesPerPixel;
    std::vector<std::uint8_t> raw;
    raw.reserve((stride + 1) * canvas.height);
    for (int y = 0; y < canvas.height; ++y) {
        const std::uint8_t* row = canvas.pixel(0, y);
        const std::uint8_t* above = y > 0 ? canvas.pixel(0, y - 1) : nullptr;
        const std::vector<std::uint8_t> filtered = bestFilteredRow(row, above, stride);
        raw.insert(raw.end(), filtered.begin(), filtered.end());
    }

    uLongf compressedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> compressed(compressedSize);
    if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress the pixel data");
    compressed.resize(compressedSize);

    std::vector<std::uint8_t> header;
    putBigEndian32(header, static_cast<std::uint32_t>(canvas.width));
    putBigEndian32(header, static_cast<std::uint32_t>(canvas.height));
    const std::uint8_t depth = 8;
    const std::uint8_t rgba = 6;
    header.insert(header.end(), {depth, rgba, 0, 0, 0}); // deflate, adaptive filters, progressive

    std::vector<std::uint8_t> out(std::begin(kPngSignature), std::end(kPngSignature));
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", compressed);
    putChunk(out, "IEND", {});
    return out;
}

} // namespace crosshair
