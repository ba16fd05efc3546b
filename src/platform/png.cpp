#include "platform/png.h"

#include <zlib.h>

#include <array>
#include <span>

#include "platform/crc32.h"

namespace volley {

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Length, type, data and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], std::span<const uint8_t> data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::span<const uint8_t> covered(out.data() + typeAt, 4 + data.size());
    PutBigEndian(out, Crc32(covered));
}

// Each row: filter type 0 (none), then red, green, blue (and alpha).
std::vector<uint8_t> RawRows(const Surface& image, std::optional<Pixel> transparent) {
    const size_t channels = transparent ? 4 : 3;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.Height) *
                (1 + channels * static_cast<size_t>(image.Width)));
    for (int y = 0; y < image.Height; ++y) {
        raw.push_back(0);
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width; ++x) {
            raw.push_back(static_cast<uint8_t>(row[x] >> 16));
            raw.push_back(static_cast<uint8_t>(row[x] >> 8));
            raw.push_back(static_cast<uint8_t>(row[x]));
            if (transparent) {
                raw.push_back(row[x] == *transparent ? 0 : 255);
            }
        }
    }
    return raw;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(size);
    if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
        return {};
    }
    packed.resize(size);
    return packed;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Surface& image, std::optional<Pixel> transparent) {
    const std::vector<uint8_t> packed = Deflate(RawRows(image, transparent));
    if (packed.empty()) {
        return {};
    }
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(image.Width));
    PutBigEndian(header, static_cast<uint32_t>(image.Height));
    // Depth, RGB or RGBA, deflate, the usual filters, not interlaced.
    const uint8_t colourType = transparent ? 6 : 2;
    const std::array<uint8_t, 5> format = {8, colourType, 0, 0, 0};
    header.insert(header.end(), format.begin(), format.end());
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace volley
