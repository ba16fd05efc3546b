// Screenshots: valid PNG files with the picture's own pixels, never replacing one another.

#include "platform/screenshot.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>

#include "platform/crc32.h"
#include "platform/png.h"
#include "test_files.h"
#include "test_game.h"

namespace volley {
namespace {

uint32_t BigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rows;  // filter byte + RGB per row, inflated
    std::vector<std::string> chunks;
};

// Walks the chunks, checking each CRC, and inflates the picture data.
DecodedPng ReadPng(const std::vector<uint8_t>& png) {
    DecodedPng out;
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png.size() > 8 && std::equal(signature, signature + 8, png.begin()));
    std::vector<uint8_t> packed;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = BigEndian(&png[at]);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        const std::span<const uint8_t> covered(&png[at + 4], 4 + length);
        EXPECT_EQ(Crc32(covered), BigEndian(&png[at + 8 + length])) << type;
        if (type == "IHDR") {
            out.width = static_cast<int>(BigEndian(&png[at + 8]));
            out.height = static_cast<int>(BigEndian(&png[at + 12]));
        } else if (type == "IDAT") {
            packed.insert(packed.end(), &png[at + 8], &png[at + 8] + length);
        }
        out.chunks.push_back(type);
        at += 12 + length;
    }
    out.rows.resize(static_cast<size_t>(out.height) * (1 + 3 * out.width));
    uLongf size = out.rows.size();
    EXPECT_EQ(uncompress(out.rows.data(), &size, packed.data(), packed.size()), Z_OK);
    EXPECT_EQ(size, out.rows.size());
    return out;
}

TEST(Png, HoldsEveryPixelOfThePictureInRgbOrderWithTheStandardCrc) {
    Surface image(3, 2, kBlack);
    image.At(0, 0) = MakePixel(255, 0, 0);
    image.At(2, 0) = MakePixel(1, 2, 3);
    image.At(1, 1) = kWhite;
    const DecodedPng png = ReadPng(EncodePng(image));
    EXPECT_EQ(std::make_pair(png.width, png.height), std::make_pair(3, 2));
    EXPECT_EQ(png.chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(png.rows, (std::vector<uint8_t>{0, 255, 0, 0, 0,   0,   0,   1, 2, 3,
                                              0, 0,   0, 0, 255, 255, 255, 0, 0, 0}));
    const std::string text = "123456789";
    EXPECT_EQ(Crc32(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())),
              0xCBF43926u);
}

// Named by the date and time; two in one second both stay; the folder is made, and where it
// cannot be there is a reason and no file.
TEST(Screenshot, NamesCarryTheDateAndTimeAndNeverReplaceOneAnother) {
    std::tm when{3, 5, 9, 7, 11, 2026 - 1900, 0, 0, -1, 0, nullptr};
    EXPECT_EQ(ScreenshotName(std::mktime(&when)), "volley-20261207-090503");
    testing::TempDir dir;
    const std::string folder = (dir.Path() / "Screenshots").string();
    std::string error;
    const std::string first = SaveScreenshot(Surface(4, 4, kWhite), folder, 1000000, error);
    const std::string second = SaveScreenshot(Surface(4, 4, kWhite), folder, 1000000, error);
    ASSERT_FALSE(first.empty()) << error;
    EXPECT_EQ(second, first.substr(0, first.size() - 4) + "-2.png");
    EXPECT_EQ(ReadPng(testing::ReadBytes(second)).width, 4);
    std::ofstream(dir.Path() / "File") << "x";  // a file where the folder should be
    EXPECT_EQ(SaveScreenshot(Surface(2, 2), (dir.Path() / "File").string(), 0, error), "");
    EXPECT_NE(error.find("File"), std::string::npos) << error;
}

}  // namespace
}  // namespace volley
