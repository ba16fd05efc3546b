#include "platform/bmp.h"

#include <gtest/gtest.h>

#include <vector>

namespace volley {
namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A bitmap file with the given header fields, palette and pixel rows (as stored, padded).
Bytes MakeBmp(int32_t width, int32_t height, int bits, const std::vector<uint32_t>& palette,
              const Bytes& rows) {
    const size_t offset = 14 + 40 + palette.size() * 4;
    Bytes b(offset);
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

// Rows are stored bottom first unless the height is negative, each padded to four bytes.
TEST(Bmp, ReadsEveryDepthTheGameMeets) {
    const struct {
        const char* name;
        Bytes file;
        std::vector<Pixel> pixels;  // top row first
    } cases[] = {
        {"24 bits",
         MakeBmp(2, 2, 24, {}, {3, 2, 1, 6, 5, 4, 0, 0, 12, 11, 10, 255, 255, 255, 0, 0}),
         {0x0A0B0C, kWhite, 0x010203, 0x040506}},
        {"32 bits, top down",
         MakeBmp(1, -2, 32, {}, {3, 2, 1, 0, 6, 5, 4, 0}),
         {0x010203, 0x040506}},
        {"1 bit",
         MakeBmp(10, 1, 1, {0, 0xFFFFFF}, {0xB0, 0x40, 0, 0}),
         {kWhite, 0, kWhite, kWhite, 0, 0, 0, 0, 0, kWhite}},
        {"4 bits", MakeBmp(3, 1, 4, {0, 0x123456}, {0x10, 0x01, 0, 0}), {0x123456, 0, 0}},
        {"8 bits, top down",
         MakeBmp(2, -2, 8, {0, 0xFF8000}, {1, 0, 0, 0, 0, 1, 0, 0}),
         {0xFF8000, 0, 0, 0xFF8000}},
    };
    for (const auto& c : cases) {
        Surface s;
        std::string error;
        ASSERT_TRUE(DecodeBmp(c.file.data(), c.file.size(), s, error)) << c.name << ": " << error;
        EXPECT_EQ(s.Pixels, c.pixels) << c.name;
        EXPECT_EQ(s.Width * s.Height, static_cast<int>(c.pixels.size())) << c.name;
    }
}

TEST(Bmp, RefusesDamagedFilesWithoutReadingPastThem) {
    const Bytes good = MakeBmp(2, 2, 24, {}, Bytes(16, 0));
    auto changed = [&](size_t at, uint32_t value, int bytes) {
        Bytes file = good;
        Put(file, at, value, bytes);
        return file;
    };
    Bytes cut = good;
    cut.pop_back();
    const std::pair<Bytes, const char*> cases[] = {
        {cut, "BMP pixel data cut short"},
        {Bytes(good.begin(), good.begin() + 53), "not a BMP file"},
        {changed(0, 'X', 1), "not a BMP file"},
        {changed(14, 39, 4), "damaged BMP header"},
        {changed(14, 0xFFFFFFF0u, 4), "damaged BMP header"},
        {changed(30, 1, 4), "compressed BMP files are not supported"},
        {changed(18, 0, 4), "BMP size out of range"},
        {changed(22, 0, 4), "BMP size out of range"},
        {MakeBmp(1 << 30, 1 << 30, 24, {}, {}), "BMP size out of range"},
        {changed(22, static_cast<uint32_t>(-(1 << 30)), 4), "BMP size out of range"},
        {changed(28, 16, 2), "unsupported BMP bit depth 16"},
        {MakeBmp(2, 2, 1, std::vector<uint32_t>(3, 0), Bytes(8, 0)), "BMP palette too large"},
        {MakeBmp(2, 2, 8, {}, {}), "BMP palette cut short"},  // 256 entries when none are given
        {changed(10, 0xFFFFFFF0u, 4), "BMP pixel data cut short"},
    };
    for (const auto& [file, message] : cases) {
        Surface s;
        std::string error;
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), s, error)) << message;
        EXPECT_EQ(error, message);
    }
    Surface s;
    std::string error;
    EXPECT_FALSE(LoadBmp("/nonexistent/Graphics/Back.bmp", s, error));
    EXPECT_NE(error.find("/nonexistent/Graphics/Back.bmp"), std::string::npos) << error;
}

}  // namespace
}  // namespace volley
