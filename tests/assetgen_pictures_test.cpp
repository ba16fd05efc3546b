// The sprites the generator draws and paints, the sheet, the icon and the gauge. Bad sources are
// in assetgen_bad_sources_test.cpp; the bitmaps and the rectangle tables it writes are read by
// every test of the game.
#include <gtest/gtest.h>

#include <algorithm>

#include "assetgen_test_support.h"
#include "gauge.h"
#include "icon.h"
#include "pixel_art.h"
#include "shape_art.h"
#include "sprite_sheet.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 200, 0};

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
