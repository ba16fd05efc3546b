#include "bmp_writer.h"

#include <stdexcept>

#include "platform/little_endian.h"

namespace assetgen {
namespace {

constexpr int kPaletteEntrySize = 4;

size_t RowStride(int width, int bits_per_pixel) {
    const size_t bits = static_cast<size_t>(width) * bits_per_pixel;
    return (bits + 31) / 32 * 4;
}

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    void U8(uint8_t value) { bytes_.push_back(value); }
    void U16(uint16_t value) { volley::AppendLe(bytes_, value, 2); }
    void U32(uint32_t value) { volley::AppendLe(bytes_, value, 4); }

  private:
    std::vector<uint8_t>& bytes_;
};

// Both headers and the palette; the caller appends the rows.
std::vector<uint8_t> StartBmp(int width, int height, int bits_per_pixel,
                              const std::vector<Rgb>& palette) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("a bitmap needs a positive size");
    }
    const uint32_t pixel_offset = kBmpFileHeaderSize + kBmpInfoHeaderSize +
                                  static_cast<uint32_t>(palette.size()) * kPaletteEntrySize;
    const uint32_t pixel_bytes = static_cast<uint32_t>(RowStride(width, bits_per_pixel) * height);
    std::vector<uint8_t> bytes;
    bytes.reserve(pixel_offset + pixel_bytes);
    ByteWriter out(bytes);
    out.U8('B');
    out.U8('M');
    out.U32(pixel_offset + pixel_bytes);
    out.U32(0);  // two reserved words
    out.U32(pixel_offset);
    out.U32(kBmpInfoHeaderSize);
    out.U32(static_cast<uint32_t>(width));
    out.U32(static_cast<uint32_t>(height));  // positive: bottom row first
    out.U16(1);                              // planes
    out.U16(static_cast<uint16_t>(bits_per_pixel));
    out.U32(0);  // no compression
    out.U32(pixel_bytes);
    out.U32(kBmpPixelsPerMetre);
    out.U32(kBmpPixelsPerMetre);
    out.U32(static_cast<uint32_t>(palette.size()));  // colours used
    out.U32(0);                                      // all colours important
    for (const Rgb& colour : palette) {
        out.U8(colour.B);
        out.U8(colour.G);
        out.U8(colour.R);
        out.U8(0);
    }
    return bytes;
}

void PadRow(std::vector<uint8_t>& bytes, size_t row_start, size_t stride) {
    bytes.resize(row_start + stride, 0);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Image& image) {
    std::vector<uint8_t> bytes = StartBmp(image.Width, image.Height, 24, {});
    const size_t stride = RowStride(image.Width, 24);
    for (int y = image.Height - 1; y >= 0; --y) {
        const size_t row_start = bytes.size();
        for (int x = 0; x < image.Width; ++x) {
            const Rgb colour = image.At(x, y);
            bytes.insert(bytes.end(), {colour.B, colour.G, colour.R});
        }
        PadRow(bytes, row_start, stride);
    }
    return bytes;
}

std::vector<uint8_t> EncodeBmp1(const BitGrid& bits) {
    std::vector<uint8_t> bytes = StartBmp(bits.Width, bits.Height, 1, {kBlack, {255, 255, 255}});
    const size_t stride = RowStride(bits.Width, 1);
    for (int y = bits.Height - 1; y >= 0; --y) {
        const size_t row_start = bytes.size();
        PadRow(bytes, row_start, stride);
        for (int x = 0; x < bits.Width; ++x) {
            if (bits.At(x, y)) {
                // The leftmost pixel is the most significant bit.
                bytes[row_start + static_cast<size_t>(x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return bytes;
}

std::vector<uint8_t> EncodeBmp8(const IndexedImage& image) {
    if (image.Palette.size() > 256 ||
        image.Indices.size() != static_cast<size_t>(image.Width) * image.Height) {
        throw std::invalid_argument(
            "an 8-bit bitmap needs at most 256 colours and one index a pixel");
    }
    std::vector<Rgb> palette = image.Palette;
    palette.resize(256, kBlack);
    std::vector<uint8_t> bytes = StartBmp(image.Width, image.Height, 8, palette);
    const size_t stride = RowStride(image.Width, 8);
    for (int y = image.Height - 1; y >= 0; --y) {
        const size_t row_start = bytes.size();
        for (int x = 0; x < image.Width; ++x) {
            const uint8_t index = image.Indices[static_cast<size_t>(y) * image.Width + x];
            if (index >= image.Palette.size()) {
                throw std::invalid_argument("a pixel names a colour beyond the palette");
            }
            bytes.push_back(index);
        }
        PadRow(bytes, row_start, stride);
    }
    return bytes;
}

}  // namespace assetgen
