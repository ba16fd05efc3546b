#include <gtest/gtest.h>

#include "assetgen_test_support.h"
#include "icon.h"
#include "sprite_sheet.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

constexpr Rgb kGreen{0, 200, 0};

// A width x height sprite, opaque green on its diagonal; under clear pixels it carries stray
// colour that must never reach the sheet.
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

TEST(AssetgenSheet, PastesOpaquePixelsOnlyAndLeavesTheRestBlack) {
    const SpriteSheet sheet = ComposeSheet({DiagonalSprite("a", 4, 2, 3, 3)}, 10, 8);
    ASSERT_EQ(sheet.Colours.Width, 10);
    ASSERT_EQ(sheet.Opaque.Height, 8);
    EXPECT_EQ(sheet.Colours.At(4, 2), kGreen);
    EXPECT_EQ(sheet.Colours.At(6, 4), kGreen);
    EXPECT_TRUE(sheet.Opaque.At(5, 3));
    EXPECT_EQ(sheet.Colours.At(5, 2), kBlack);
    EXPECT_FALSE(sheet.Opaque.At(5, 2));
    EXPECT_EQ(sheet.Colours.At(0, 0), kBlack);
}

TEST(AssetgenSheet, MaskIsSetExactlyWhereTheSheetIsClear) {
    const SpriteSheet sheet = ComposeSheet({DiagonalSprite("a", 0, 0, 2, 2)}, 3, 2);
    const BitGrid mask = MaskBits(sheet);
    EXPECT_EQ(mask.Bits, (std::vector<uint8_t>{0, 1, 1, 1, 0, 1}));
}

TEST(AssetgenSheet, CellsMayTouchButNotOverlap) {
    EXPECT_EQ(ErrorOf([] {
                  ComposeSheet({DiagonalSprite("a", 0, 0, 4, 4), DiagonalSprite("b", 4, 0, 4, 4),
                                DiagonalSprite("c", 0, 4, 4, 4)},
                               8, 8);
              }),
              "");
    const std::string error = ErrorOf([] {
        ComposeSheet({DiagonalSprite("a", 0, 0, 4, 4), DiagonalSprite("b", 3, 3, 4, 4)}, 8, 8);
    });
    EXPECT_NE(error.find("test.txt:7: sprite b overlaps sprite a"), std::string::npos) << error;
}

TEST(AssetgenSheet, RejectsSpritesLeavingTheSheetAndReusedNames) {
    EXPECT_EQ(ErrorOf([] { ComposeSheet({DiagonalSprite("a", 4, 4, 4, 4)}, 8, 8); }), "");
    for (const auto& [x, y] :
         {std::pair{5, 0}, std::pair{0, 5}, std::pair{-1, 0}, std::pair{0, -1}}) {
        EXPECT_NE(ErrorOf([&] {
                      ComposeSheet({DiagonalSprite("a", x, y, 4, 4)}, 8, 8);
                  }).find("leaves the 8x8 sheet"),
                  std::string::npos)
            << x << "," << y;
    }
    EXPECT_NE(
        ErrorOf([] {
            ComposeSheet({DiagonalSprite("a", 0, 0, 2, 2), DiagonalSprite("a", 4, 4, 2, 2)}, 8, 8);
        }).find("sprite name 'a' is also used"),
        std::string::npos);
}

TEST(AssetgenSheet, FindsCellsByName) {
    const std::vector<Sprite> sprites = {DiagonalSprite("a", 0, 0, 2, 2),
                                         DiagonalSprite("b", 32, 64, 16, 8)};
    const std::optional<CellRect> cell = FindCell(sprites, "b");
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->X, 32);
    EXPECT_EQ(cell->Y, 64);
    EXPECT_EQ(cell->Width, 16);
    EXPECT_EQ(cell->Height, 8);
    EXPECT_FALSE(FindCell(sprites, "c").has_value());
}

TEST(AssetgenIcon, TransparentPixelsBecomeEntryZeroBlack) {
    const IndexedImage icon = MakeIcon(DiagonalSprite("ship", 0, 0, 32, 32));
    ASSERT_EQ(icon.Width, 32);
    ASSERT_EQ(icon.Indices.size(), 32u * 32u);
    ASSERT_EQ(icon.Palette.size(), 2u);
    EXPECT_EQ(icon.Palette[0], kBlack);
    EXPECT_EQ(icon.Palette[1], kGreen);
    EXPECT_EQ(icon.Indices[0], 1);        // (0, 0) on the diagonal
    EXPECT_EQ(icon.Indices[1], 0);        // (1, 0) clear, despite its stray colour
    EXPECT_EQ(icon.Indices[33 * 31], 1);  // (31, 31)
}

TEST(AssetgenIcon, RejectsWrongSizeAndTooManyColours) {
    EXPECT_NE(ErrorOf([] { MakeIcon(DiagonalSprite("ship", 0, 0, 32, 31)); }).find("32 x 32"),
              std::string::npos);
    // Black always takes entry 0, which leaves room for 255 others.
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

}  // namespace
}  // namespace assetgen
