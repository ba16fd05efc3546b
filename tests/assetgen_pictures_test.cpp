// The pictures the generator makes: the bitmap writer, drawn and shape-painted sprites, the sheet,
// the icon and the gauge. Bad sources are in assetgen_bad_sources_test.cpp; the rectangle tables
// are read by every game test.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "assetgen_test_support.h"
#include "bmp_writer.h"
#include "gauge.h"
#include "icon.h"
#include "pixel_art.h"
#include "shape_art.h"
#include "sprite_sheet.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;
using assetgen_test::Le16;
using assetgen_test::Le32;
using Bytes = std::vector<uint8_t>;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 200, 0};

std::vector<uint32_t> HeaderFields(const Bytes& b) {
    return {b.at(0),     b.at(1),     Le32(b, 2),  Le32(b, 6),  Le32(b, 10), Le32(b, 14),
            Le32(b, 18), Le32(b, 22), Le16(b, 26), Le16(b, 28), Le32(b, 30), Le32(b, 34),
            Le32(b, 38), Le32(b, 42), Le32(b, 46), Le32(b, 50)};
}

TEST(AssetgenBmpWriter, HeadersRowsPaddingAndPalettes) {
    Image image(3, 2);  // 9 bytes a row, padded to 12
    image.At(0, 0) = {1, 2, 3};
    image.At(2, 1) = {4, 5, 6};
    const Bytes colour = EncodeBmp24(image);
    EXPECT_EQ(HeaderFields(colour), (std::vector<uint32_t>{'B', 'M', 78, 0, 54, 40, 3, 2, 1, 24, 0,
                                                           24, 2835, 2835, 0, 0}));
    // Bottom row first, blue-green-red, zero padding.
    EXPECT_EQ(Bytes(colour.begin() + 54, colour.end()),
              (Bytes{0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0, 0, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    BitGrid bits(9, 2);  // 2 bytes a row, padded to 4
    bits.Set(0, 1, true);
    bits.Set(8, 1, true);
    bits.Set(1, 0, true);
    const Bytes mask = EncodeBmp1(bits);
    EXPECT_EQ(HeaderFields(mask),
              (std::vector<uint32_t>{'B', 'M', 70, 0, 62, 40, 9, 2, 1, 1, 0, 8, 2835, 2835, 2, 0}));
    EXPECT_EQ(Bytes(mask.begin() + 54, mask.end()),
              (Bytes{0, 0, 0, 0, 255, 255, 255, 0, 0x80, 0x80, 0, 0, 0x40, 0, 0, 0}));

    const Bytes indexed = EncodeBmp8({5, 1, {0, 1, 2, 1, 0}, {kBlack, {10, 20, 30}, {40, 50, 60}}});
    EXPECT_EQ(HeaderFields(indexed), (std::vector<uint32_t>{'B', 'M', 1086, 0, 1078, 40, 5, 1, 1, 8,
                                                            0, 8, 2835, 2835, 256, 0}));
    EXPECT_EQ(Bytes(indexed.begin() + 54, indexed.begin() + 66),
              (Bytes{0, 0, 0, 0, 30, 20, 10, 0, 60, 50, 40, 0}));
    EXPECT_EQ(std::count(indexed.begin() + 66, indexed.begin() + 1078, 0), 1012);
    EXPECT_EQ(Bytes(indexed.begin() + 1078, indexed.end()), (Bytes{0, 1, 2, 1, 0, 0, 0, 0}));

    EXPECT_THROW(EncodeBmp24(Image()), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8({1, 1, {2}, {kBlack, kBlack}}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8({1, 1, {0}, std::vector<Rgb>(257)}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp8({2, 2, {0, 0, 0}, {kBlack}}), std::invalid_argument);
}

TEST(AssetgenPixelArt, ColoursTransparencyCellsAndMirrors) {
    const std::vector<Sprite> sprites = ParsePixelArt(
        "# an arrow\ncolour r ff0000\ncolour k 000000   # opaque black stays opaque\n\n"
        "sprite arrow 64 32 3 2\n.r.\nkkr   # a comment after a row\nend\n"
        "mirror worra 32 0 arrow\nsprite dot 8 0 1 1\nr\nend\n",
        "arrow.txt");
    ASSERT_EQ(sprites.size(), 3u);
    const Sprite& arrow = sprites[0];
    EXPECT_EQ(std::make_tuple(arrow.Name, arrow.X, arrow.Y, arrow.Width(), arrow.Height()),
              std::make_tuple(std::string("arrow"), 64, 32, 3, 2));
    EXPECT_EQ(arrow.Opaque.Bits, (std::vector<uint8_t>{0, 1, 0, 1, 1, 1}));
    EXPECT_EQ(arrow.Colours.Pixels, (std::vector<Rgb>{kBlack, kRed, kBlack, kBlack, kBlack, kRed}));
    EXPECT_EQ(std::make_pair(arrow.Source.File, arrow.Source.Line),
              std::make_pair(std::string("arrow.txt"), 5));
    const Sprite& mirrored = sprites[1];
    EXPECT_EQ(std::make_tuple(mirrored.Name, mirrored.X, mirrored.Source.Line),
              std::make_tuple(std::string("worra"), 32, 9));
    EXPECT_EQ(mirrored.Opaque.Bits, (std::vector<uint8_t>{0, 1, 0, 1, 1, 1}));
    EXPECT_EQ(mirrored.Colours.Pixels,
              (std::vector<Rgb>{kBlack, kRed, kBlack, kRed, kBlack, kBlack}));
    EXPECT_EQ(sprites[2].Colours.At(0, 0), kRed) << "the palette serves every sprite";
}

// A shape-painted sprite as text: its cell, then its rows, '|' between them; '.' is clear, 'o' the
// outline and a digit how far a pixel lies from the ramp's dark end (0) to its light end (9).
std::string Picture(const Sprite& sprite) {
    std::string text = std::to_string(sprite.X) + "," + std::to_string(sprite.Y) + " ";
    for (int y = 0; y < sprite.Height(); ++y) {
        for (int x = 0; x < sprite.Width(); ++x) {
            const Rgb c = sprite.Colours.At(x, y);
            text += !sprite.Opaque.At(x, y) ? '.'
                    : c == Rgb{1, 2, 3}     ? 'o'
                                            : static_cast<char>('0' + (c.R - 10) * 9 / 190);
        }
        text += y + 1 < sprite.Height() ? "|" : "";
    }
    return text;
}

TEST(AssetgenShapeArt, ShapesAreCroppedShadedOutlinedAndMirrored) {
    const auto cases = assetgen_test::ReadCases("shape_art.txt");
    for (const auto& [source, picture] : cases) {
        EXPECT_EQ(Picture(ParseShapeArt("ramp two 0a141e c8d2dc\n" + source, "s.txt").at(0)),
                  picture)
            << source;
    }
    EXPECT_EQ(cases.size(), 7u);
}

// Opaque green on its diagonal; under clear pixels stray colour that must never reach the sheet.
Sprite DiagonalSprite(const std::string& name, int x, int y, int width, int height) {
    Sprite sprite;
    sprite.Name = name;
    sprite.X = x;
    sprite.Y = y;
    sprite.Colours = Image(width, height, Rgb{9, 9, 9});
    sprite.Opaque = BitGrid(width, height);
    sprite.Source = {"test.txt", 7};
    for (int i = 0; i < std::min(width, height); ++i) {
        sprite.Colours.At(i, i) = kGreen;
        sprite.Opaque.Set(i, i, true);
    }
    return sprite;
}

TEST(AssetgenSheet, OpaquePixelsOnlyAMaskOfTheRestAndCellsThatMayTouch) {
    const SpriteSheet sheet =
        ComposeSheet({DiagonalSprite("a", 1, 0, 2, 2), DiagonalSprite("b", 0, 1, 1, 1)}, 3, 2);
    EXPECT_EQ(sheet.Colours.Pixels,
              (std::vector<Rgb>{kBlack, kGreen, kBlack, kGreen, kBlack, kGreen}));
    EXPECT_EQ(sheet.Opaque.Bits, (std::vector<uint8_t>{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(MaskBits(sheet).Bits, (std::vector<uint8_t>{1, 0, 1, 0, 1, 0}));
    const std::vector<Sprite> sprites = {DiagonalSprite("a", 0, 0, 4, 4),
                                         DiagonalSprite("b", 4, 0, 4, 4),
                                         DiagonalSprite("c", 4, 4, 4, 4)};
    EXPECT_EQ(ErrorOf([&] { ComposeSheet(sprites, 8, 8); }), "");
    const std::optional<CellRect> cell = FindCell(sprites, "c");
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(std::make_tuple(cell->X, cell->Y, cell->Width, cell->Height),
              std::make_tuple(4, 4, 4, 4));
    EXPECT_FALSE(FindCell(sprites, "d").has_value());
    EXPECT_NE(
        ErrorOf([] {
            ComposeSheet({DiagonalSprite("a", 0, 0, 2, 2), DiagonalSprite("a", 4, 4, 2, 2)}, 8, 8);
        }).find("sprite name 'a' is also used"),
        std::string::npos);
}

TEST(AssetgenIcon, ClearPixelsAreEntryZeroBlackAndThereIsRoomFor255Colours) {
    const IndexedImage icon = MakeIcon(DiagonalSprite("ship", 0, 0, 32, 32));
    ASSERT_EQ(icon.Indices.size(), 32u * 32u);
    EXPECT_EQ(icon.Palette, (std::vector<Rgb>{kBlack, kGreen}));
    EXPECT_EQ(icon.Indices[0], 1);
    EXPECT_EQ(icon.Indices[1], 0) << "clear, despite its stray colour";
    EXPECT_EQ(icon.Indices[33 * 31], 1);
    EXPECT_EQ(ErrorOf([] { MakeIcon(DiagonalSprite("ship", 0, 0, 32, 31)); }),
              "test.txt:7: the icon sprite ship must be 32 x 32");
    auto with_colours = [](int count) {
        Sprite gaudy = DiagonalSprite("gaudy", 0, 0, 32, 32);
        for (int i = 0; i < 32 * 32; ++i) {
            gaudy.Colours.At(i % 32, i / 32) = {static_cast<uint8_t>(i % count), 1, 1};
            gaudy.Opaque.Set(i % 32, i / 32, true);
        }
        return gaudy;
    };
    EXPECT_EQ(ErrorOf([&] { MakeIcon(with_colours(255)); }), "");
    EXPECT_NE(ErrorOf([&] { MakeIcon(with_colours(256)); }).find("too many colours"),
              std::string::npos);
}

// Red above blue, and the same in every column: the game may cut the bar anywhere.
TEST(AssetgenGauge, ShadedRedBandAboveShadedBlueBand) {
    const Image bar = PaintGaugeBar();
    ASSERT_EQ(std::make_pair(bar.Width, bar.Height), std::make_pair(305, 90));
    for (int y = 0; y < 90; ++y) {
        const Rgb c = bar.At(0, y);
        EXPECT_GT(y <= 45 ? c.R : c.B, (y <= 45 ? std::max(c.G, c.B) : c.R) + 40) << "row " << y;
        EXPECT_EQ(std::count(bar.Pixels.begin() + y * 305, bar.Pixels.begin() + y * 305 + 305, c),
                  305);
    }
}

}  // namespace
}  // namespace assetgen
