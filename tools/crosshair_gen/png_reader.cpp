#include "png_reader.h"

#include "png_filter.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace crosshair {

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

bool inflateAll(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out,
                std::string& error) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        error = "inflateInit failed";
        return false;
    }
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const bool whole = status == Z_STREAM_END && z.avail_out == 0 && z.avail_in == 0;
    inflateEnd(&z);
    if (!whole)
        error = "pixel data does not inflate to exactly one image";
    return whole;
}

bool unfilter(std::vector<std::uint8_t>& raw, Canvas& image, std::string& error) {
    const std::size_t stride = static_cast<std::size_t>(image.width) * kBytesPerPixel;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t type = raw[y * (stride + 1)];
        const std::uint8_t* in = &raw[y * (stride + 1) + 1];
        std::uint8_t* row = image.pixel(0, y);
        const std::uint8_t* above = y > 0 ? image.pixel(0, y - 1) : nullptr;
        for (std::size_t i = 0; i < stride; ++i) {
            const int predictor = filterPredictor(type, row, above, i);
            if (predictor < 0) {
                error = "unknown row filter " + std::to_string(type);
                return false;
            }
            row[i] = static_cast<std::uint8_t>(in[i] + predictor);
        }
    }
    return true;
}

} // namespace

bool decodePng(const std::vector<std::uint8_t>& file, DecodedPng& out, std::string& error) {
    if (file.size() < sizeof kPngSignature || std::memcmp(file.data(), kPngSignature, 8) != 0) {
        error = "no PNG signature";
        return false;
    }
    out = {};
    std::vector<std::uint8_t> compressed;
    bool haveHeader = false;
    std::size_t at = sizeof kPngSignature;
    while (at < file.size()) {
        if (file.size() - at < 12) {
            error = "truncated chunk";
            return false;
        }
        const std::uint32_t length = bigEndian32(&file[at]);
        if (length > file.size() - at - 12) {
            error = "chunk runs past the end of the file";
            return false;
        }
        const std::uint8_t* type = &file[at + 4];
        const std::uint8_t* data = type + 4;
        const uLong crc = crc32(0L, type, length + 4);
        if (crc != bigEndian32(data + length)) {
            error = "bad CRC";
            return false;
        }
        const std::string name(reinterpret_cast<const char*>(type), 4);
        out.chunks.push_back(name);
        if (name == "IHDR" && length == 13) {
            out.image.width = static_cast<int>(bigEndian32(data));
            out.image.height = static_cast<int>(bigEndian32(data + 4));
            if (data[8] != 8 || data[9] != 6 || data[10] != 0 || data[11] != 0 || data[12] != 0) {
                error = "not an 8-bit RGBA, non-interlaced PNG";
                return false;
            }
            haveHeader = true;
        } else if (name == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        }
        at += 12 + length;
    }
    if (!haveHeader || out.image.width <= 0 || out.image.height <= 0 || out.image.width > 4096 ||
        out.image.height > 4096) {
        error = "missing or unusable IHDR";
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(out.image.width) * kBytesPerPixel;
    std::vector<std::uint8_t> raw((stride + 1) * out.image.height);
    if (!inflateAll(compressed, raw, error))
        return false;
    out.image.rgba.assign(stride * out.image.height, 0);
    return unfilter(raw, out.image, error);
}

} // namespace crosshair
