#include <gtest/gtest.h>

#include <stdexcept>

#include "assetgen_test_support.h"
#include "bmp_writer.h"
#include "platform/bmp.h"

namespace assetgen {
namespace {

using assetgen_test::Le16;
using assetgen_test::Le32;

constexpr size_t kHeaders = kBmpFileHeaderSize + kBmpInfoHeaderSize;

void ExpectCommonHeader(const std::vector<uint8_t>& bytes, int width, int height, int bits,
                        uint32_t palette_entries, uint32_t stride) {
    const uint32_t pixel_offset = static_cast<uint32_t>(kHeaders) + palette_entries * 4;
    const uint32_t pixel_bytes = stride * static_cast<uint32_t>(height);
    ASSERT_EQ(bytes.size(), pixel_offset + pixel_bytes);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    EXPECT_EQ(Le32(bytes, 6), 0u);
    EXPECT_EQ(Le32(bytes, 10), pixel_offset);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 18), static_cast<uint32_t>(width));
    EXPECT_EQ(Le32(bytes, 22), static_cast<uint32_t>(height));
    EXPECT_EQ(Le16(bytes, 26), 1);
    EXPECT_EQ(Le16(bytes, 28), bits);
    EXPECT_EQ(Le32(bytes, 30), 0u);
    EXPECT_EQ(Le32(bytes, 34), pixel_bytes);
    EXPECT_EQ(Le32(bytes, 38), 2835u);
    EXPECT_EQ(Le32(bytes, 42), 2835u);
    EXPECT_EQ(Le32(bytes, 46), palette_entries);
    EXPECT_EQ(Le32(bytes, 50), 0u);
}

TEST(AssetgenBmpWriter, TrueColourHeaderRowsAndPadding) {
    // 3 pixels of 3 bytes: 9 bytes a row, padded to 12.
    Image image(3, 2);
    image.At(0, 0) = {1, 2, 3};
    image.At(2, 1) = {4, 5, 6};
    const std::vector<uint8_t> bytes = EncodeBmp24(image);
    ExpectCommonHeader(bytes, 3, 2, 24, 0, 12);
    // Bottom row first, blue-green-red.
    EXPECT_EQ(bytes[kHeaders + 6], 6);
    EXPECT_EQ(bytes[kHeaders + 7], 5);
    EXPECT_EQ(bytes[kHeaders + 8], 4);
    EXPECT_EQ(bytes[kHeaders + 12], 3);
    EXPECT_EQ(bytes[kHeaders + 13], 2);
    EXPECT_EQ(bytes[kHeaders + 14], 1);
    for (size_t pad : {9, 10, 11, 21, 22, 23}) {
        EXPECT_EQ(bytes[kHeaders + pad], 0) << "padding byte " << pad;
    }
}

TEST(AssetgenBmpWriter, TwoColourPaletteBitOrderAndPadding) {
    // 9 pixels need 2 bytes a row, padded to 4.
    BitGrid bits(9, 2);
    bits.Set(0, 1, true);
    bits.Set(8, 1, true);
    bits.Set(1, 0, true);
    const std::vector<uint8_t> bytes = EncodeBmp1(bits);
    ExpectCommonHeader(bytes, 9, 2, 1, 2, 4);
    const std::vector<uint8_t> palette(bytes.begin() + kHeaders, bytes.begin() + kHeaders + 8);
    EXPECT_EQ(palette, (std::vector<uint8_t>{0, 0, 0, 0, 255, 255, 255, 0}));
    const size_t rows = kHeaders + 8;
    EXPECT_EQ(bytes[rows + 0], 0x80);  // bottom row: leftmost pixel is the top bit
    EXPECT_EQ(bytes[rows + 1], 0x80);
    EXPECT_EQ(bytes[rows + 4], 0x40);  // top row
    EXPECT_EQ(bytes[rows + 5], 0x00);
    for (size_t pad : {2, 3, 6, 7}) {
        EXPECT_EQ(bytes[rows + pad], 0) << "padding byte " << pad;
    }
}

TEST(AssetgenBmpWriter, PaletteImageWritesAllEntries) {
    IndexedImage image{5, 1, {0, 1, 2, 1, 0}, {kBlack, {10, 20, 30}, {40, 50, 60}}};
    const std::vector<uint8_t> bytes = EncodeBmp8(image);
    ExpectCommonHeader(bytes, 5, 1, 8, 256, 8);
    EXPECT_EQ(bytes[kHeaders + 4], 30);  // entry 1: blue, green, red, reserved
    EXPECT_EQ(bytes[kHeaders + 5], 20);
    EXPECT_EQ(bytes[kHeaders + 6], 10);
    EXPECT_EQ(bytes[kHeaders + 7], 0);
    for (size_t entry = 3; entry < 256; ++entry) {
        EXPECT_EQ(Le32(bytes, kHeaders + entry * 4), 0u) << "entry " << entry;
    }
    const size_t rows = kHeaders + 256 * 4;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + rows, bytes.end()),
              (std::vector<uint8_t>{0, 1, 2, 1, 0, 0, 0, 0}));
}

TEST(AssetgenBmpWriter, RefusesPicturesItCannotStore) {
    EXPECT_THROW(EncodeBmp24(Image()), std::invalid_argument);
    IndexedImage beyond_palette{1, 1, {2}, {kBlack, kBlack}};
    EXPECT_THROW(EncodeBmp8(beyond_palette), std::invalid_argument);
    IndexedImage too_many{1, 1, {0}, std::vector<Rgb>(257)};
    EXPECT_THROW(EncodeBmp8(too_many), std::invalid_argument);
    IndexedImage short_of_pixels{2, 2, {0, 0, 0}, {kBlack}};
    EXPECT_THROW(EncodeBmp8(short_of_pixels), std::invalid_argument);
}

TEST(AssetgenBmpWriter, TheGameReadsBackWhatWasWritten) {
    Image image(5, 3);
    image.At(4, 0) = {200, 100, 50};
    image.At(0, 2) = {1, 2, 3};
    const std::vector<uint8_t> colour_file = EncodeBmp24(image);
    volley::Surface surface;
    std::string error;
    ASSERT_TRUE(volley::DecodeBmp(colour_file.data(), colour_file.size(), surface, error)) << error;
    ASSERT_EQ(surface.Width, 5);
    ASSERT_EQ(surface.Height, 3);
    EXPECT_EQ(surface.At(4, 0), volley::MakePixel(200, 100, 50));
    EXPECT_EQ(surface.At(0, 2), volley::MakePixel(1, 2, 3));
    EXPECT_EQ(surface.At(0, 0), volley::kBlack);

    BitGrid bits(11, 2);
    bits.Set(10, 0, true);
    const std::vector<uint8_t> mask_file = EncodeBmp1(bits);
    ASSERT_TRUE(volley::DecodeBmp(mask_file.data(), mask_file.size(), surface, error)) << error;
    EXPECT_EQ(surface.At(10, 0), volley::kWhite);
    EXPECT_EQ(surface.At(9, 0), volley::kBlack);
    EXPECT_EQ(surface.At(10, 1), volley::kBlack);
}

}  // namespace
}  // namespace assetgen
