#include "platform/bmp.h"

#include <array>
#include <vector>

#include "platform/little_endian.h"
#include "platform/read_file.h"

namespace volley {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

struct BmpHeader {
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // negative: rows stored top first
    int bitCount = 0;
    uint32_t compression = 0;
    uint32_t paletteCount = 0;
};

bool ParseHeader(const uint8_t* data, size_t size, BmpHeader& h, std::string& error) {
    if (size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    h.pixelOffset = static_cast<uint32_t>(ReadLe(data + 10, 4));
    const uint8_t* info = data + kFileHeaderSize;
    h.infoSize = static_cast<uint32_t>(ReadLe(info, 4));
    h.width = static_cast<int32_t>(static_cast<uint32_t>(ReadLe(info + 4, 4)));
    h.height = static_cast<int32_t>(static_cast<uint32_t>(ReadLe(info + 8, 4)));
    h.bitCount = static_cast<int>(static_cast<uint32_t>(ReadLe(info + 14, 2)));
    h.compression = static_cast<uint32_t>(ReadLe(info + 16, 4));
    h.paletteCount = static_cast<uint32_t>(ReadLe(info + 32, 4));
    if (h.infoSize < kInfoHeaderSize || h.infoSize > size - kFileHeaderSize) {
        error = "damaged BMP header";
        return false;
    }
    if (h.compression != 0) {
        error = "compressed BMP files are not supported";
        return false;
    }
    if (h.width <= 0 || h.width > kMaxPictureSide || h.height == 0 || h.height < -kMaxPictureSide ||
        h.height > kMaxPictureSide) {
        error = "BMP size out of range";
        return false;
    }
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24 &&
        h.bitCount != 32) {
        error = "unsupported BMP bit depth " + std::to_string(h.bitCount);
        return false;
    }
    return true;
}

bool ReadPalette(const uint8_t* data, size_t size, const BmpHeader& h,
                 std::array<Pixel, 256>& palette, std::string& error) {
    if (h.bitCount > 8) {
        return true;
    }
    uint32_t count = h.paletteCount == 0 ? (1u << h.bitCount) : h.paletteCount;
    if (count > (1u << h.bitCount)) {
        error = "BMP palette too large";
        return false;
    }
    size_t start = kFileHeaderSize + h.infoSize;
    if (start + size_t{count} * 4 > size) {
        error = "BMP palette cut short";
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + start + i * 4;  // blue, green, red, reserved
        palette[i] = MakePixel(entry[2], entry[1], entry[0]);
    }
    return true;
}

Pixel DecodePixel(const uint8_t* row, int x, int bitCount, const std::array<Pixel, 256>& palette) {
    switch (bitCount) {
        case 1: return palette[(row[x / 8] >> (7 - x % 8)) & 1];
        case 4: return palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
        case 8: return palette[row[x]];
        default: {
            const uint8_t* p = row + static_cast<size_t>(x) * (bitCount / 8);
            return MakePixel(p[2], p[1], p[0]);
        }
    }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Surface& out, std::string& error) {
    BmpHeader h;
    std::array<Pixel, 256> palette{};
    if (!ParseHeader(data, size, h, error) || !ReadPalette(data, size, h, palette, error)) {
        return false;
    }
    const int height = h.height < 0 ? -h.height : h.height;
    const size_t stride = ((static_cast<size_t>(h.width) * h.bitCount + 31) / 32) * 4;
    if (h.pixelOffset > size || stride * height > size - h.pixelOffset) {
        error = "BMP pixel data cut short";
        return false;
    }
    out = Surface(h.width, height);
    for (int y = 0; y < height; ++y) {
        int stored = h.height < 0 ? y : height - 1 - y;
        const uint8_t* row = data + h.pixelOffset + stride * stored;
        for (int x = 0; x < h.width; ++x) {
            out.At(x, y) = DecodePixel(row, x, h.bitCount, palette);
        }
    }
    return true;
}

bool LoadBmp(const std::string& path, Surface& out, std::string& error) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(path, kMaxPictureBytes, bytes, error) != ReadStatus::Read) {
        return false;
    }
    if (!DecodeBmp(bytes.data(), bytes.size(), out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace volley
