#include "platform/bmp.h"

#include <gtest/gtest.h>

#include <vector>

namespace volley {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A bitmap file with the given header fields, palette and pixel rows (as stored, padded).
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, int bits,
                             const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& rows) {
    const size_t offset = 14 + 40 + palette.size() * 4;
    std::vector<uint8_t> b(offset);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<uint32_t>(offset + rows.size()), 4);
    Put(b, 10, static_cast<uint32_t>(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<uint32_t>(width), 4);
    Put(b, 22, static_cast<uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<uint32_t>(bits), 2);
    Put(b, 46, static_cast<uint32_t>(palette.size()), 4);
    for (size_t i = 0; i < palette.size(); ++i) {
        Put(b, 54 + i * 4, palette[i], 4);
    }
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

TEST(Bmp, Reads24BitRowsBottomUpWithPadding) {
    // 2 x 2: stored bottom row first, blue-green-red, each row padded to 8 bytes.
    std::vector<uint8_t> rows = {
        0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0,  // bottom row
        0x0C, 0x0B, 0x0A, 0xFF, 0xFF, 0xFF, 0, 0,  // top row
    };
    auto file = MakeBmp(2, 2, 24, {}, rows);
    Surface s;
    std::string error;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), s, error)) << error;
    EXPECT_EQ(s.Width, 2);
    EXPECT_EQ(s.Height, 2);
    EXPECT_EQ(s.At(0, 0), 0x000A0B0Cu);
    EXPECT_EQ(s.At(1, 0), kWhite);
    EXPECT_EQ(s.At(0, 1), 0x00010203u);
    EXPECT_EQ(s.At(1, 1), 0x00040506u);
}

TEST(Bmp, ReadsOneBitMasksThroughThePalette) {
    // 10 x 1, black = 0, white = 1; bits 1011 0000 01.. ; row padded to 4 bytes.
    std::vector<uint8_t> rows = {0xB0, 0x40, 0, 0};
    auto file = MakeBmp(10, 1, 1, {0x000000, 0xFFFFFF}, rows);
    Surface s;
    std::string error;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), s, error)) << error;
    const Pixel expected[] = {kWhite, kBlack, kWhite, kWhite, kBlack,
                              kBlack, kBlack, kBlack, kBlack, kWhite};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(s.At(x, 0), expected[x]) << x;
    }
}

TEST(Bmp, ReadsTopDownEightBitFiles) {
    std::vector<uint8_t> rows = {1, 0, 0, 0, 0, 1, 0, 0};
    auto file = MakeBmp(2, -2, 8, {0x000000, 0x00FF8000}, rows);
    Surface s;
    std::string error;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), s, error)) << error;
    EXPECT_EQ(s.At(0, 0), 0x00FF8000u);
    EXPECT_EQ(s.At(1, 1), 0x00FF8000u);
    EXPECT_EQ(s.At(1, 0), kBlack);
}

TEST(Bmp, RefusesDamagedFilesWithoutReadingPastThem) {
    std::vector<uint8_t> rows(8, 0);
    auto good = MakeBmp(2, 2, 24, {}, rows);
    Surface s;
    std::string error;

    auto cut = good;
    cut.resize(good.size() - 1);
    EXPECT_FALSE(DecodeBmp(cut.data(), cut.size(), s, error));
    EXPECT_NE(error.find("cut short"), std::string::npos);

    auto badMagic = good;
    badMagic[0] = 'X';
    EXPECT_FALSE(DecodeBmp(badMagic.data(), badMagic.size(), s, error));

    auto huge = MakeBmp(1 << 30, 1 << 30, 24, {}, rows);
    EXPECT_FALSE(DecodeBmp(huge.data(), huge.size(), s, error));

    auto zeroWidth = MakeBmp(0, 2, 24, {}, rows);
    EXPECT_FALSE(DecodeBmp(zeroWidth.data(), zeroWidth.size(), s, error));

    auto oddDepth = MakeBmp(2, 2, 16, {}, rows);
    EXPECT_FALSE(DecodeBmp(oddDepth.data(), oddDepth.size(), s, error));

    auto bigPalette = MakeBmp(2, 2, 1, std::vector<uint32_t>(3, 0), rows);
    EXPECT_FALSE(DecodeBmp(bigPalette.data(), bigPalette.size(), s, error));

    auto badOffset = good;
    Put(badOffset, 10, 0xFFFFFFF0u, 4);
    EXPECT_FALSE(DecodeBmp(badOffset.data(), badOffset.size(), s, error));

    EXPECT_FALSE(DecodeBmp(good.data(), 20, s, error));
}

TEST(Bmp, AMissingFileIsNamedInTheError) {
    Surface s;
    std::string error;
    EXPECT_FALSE(LoadBmp("/nonexistent/Graphics/Back.bmp", s, error));
    EXPECT_NE(error.find("/nonexistent/Graphics/Back.bmp"), std::string::npos);
}

}  // namespace
}  // namespace volley
