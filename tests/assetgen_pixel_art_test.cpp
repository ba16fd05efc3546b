#include <gtest/gtest.h>

#include "assetgen_test_support.h"
#include "pixel_art.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kDarkBlue{0, 0, 16};

std::string ErrorParsing(const std::string& text) {
    return ErrorOf([&] { ParsePixelArt(text, "ship.txt"); });
}

TEST(AssetgenPixelArt, ReadsColoursTransparencyAndCell) {
    const std::vector<Sprite> sprites = ParsePixelArt(
        "# a tiny arrow\n"
        "colour r ff0000\n"
        "colour k 000010   # outline a shade above black\n"
        "\n"
        "sprite arrow 64 32 3 2\n"
        ".r.\n"
        "kkr   # comments may follow a row\n"
        "end\n",
        "arrow.txt");
    ASSERT_EQ(sprites.size(), 1u);
    const Sprite& arrow = sprites[0];
    EXPECT_EQ(arrow.Name, "arrow");
    EXPECT_EQ(arrow.X, 64);
    EXPECT_EQ(arrow.Y, 32);
    ASSERT_EQ(arrow.Width(), 3);
    ASSERT_EQ(arrow.Height(), 2);
    EXPECT_FALSE(arrow.Opaque.At(0, 0));
    EXPECT_TRUE(arrow.Opaque.At(1, 0));
    EXPECT_EQ(arrow.Colours.At(1, 0), kRed);
    EXPECT_EQ(arrow.Colours.At(0, 0), kBlack);
    EXPECT_TRUE(arrow.Opaque.At(0, 1));
    EXPECT_EQ(arrow.Colours.At(0, 1), kDarkBlue);
    EXPECT_EQ(arrow.Colours.At(2, 1), kRed);
    EXPECT_EQ(arrow.Source.File, "arrow.txt");
    EXPECT_EQ(arrow.Source.Line, 5);
}

TEST(AssetgenPixelArt, OpaqueBlackIsKeptOpaque) {
    const std::vector<Sprite> sprites =
        ParsePixelArt("colour k 000000\nsprite dot 0 0 2 1\nk.\nend\n", "dot.txt");
    ASSERT_EQ(sprites.size(), 1u);
    EXPECT_TRUE(sprites[0].Opaque.At(0, 0));
    EXPECT_FALSE(sprites[0].Opaque.At(1, 0));
}

TEST(AssetgenPixelArt, MirrorFlipsLeftToRight) {
    const std::vector<Sprite> sprites = ParsePixelArt(
        "colour r ff0000\n"
        "sprite left 0 0 3 2\n"
        "r..\n"
        "rr.\n"
        "end\n"
        "mirror right 32 0 left\n",
        "bank.txt");
    ASSERT_EQ(sprites.size(), 2u);
    const Sprite& right = sprites[1];
    EXPECT_EQ(right.Name, "right");
    EXPECT_EQ(right.X, 32);
    EXPECT_EQ(right.Source.Line, 6);
    EXPECT_FALSE(right.Opaque.At(0, 0));
    EXPECT_TRUE(right.Opaque.At(2, 0));
    EXPECT_FALSE(right.Opaque.At(0, 1));
    EXPECT_TRUE(right.Opaque.At(1, 1));
    EXPECT_EQ(right.Colours.At(2, 1), kRed);
}

TEST(AssetgenPixelArt, SeveralSpritesShareOnePalette) {
    const std::vector<Sprite> sprites = ParsePixelArt(
        "colour r ff0000\n"
        "sprite a 0 0 1 1\nr\nend\n"
        "sprite b 8 0 1 1\nr\nend\n",
        "pair.txt");
    ASSERT_EQ(sprites.size(), 2u);
    EXPECT_EQ(sprites[1].Name, "b");
    EXPECT_EQ(sprites[1].Colours.At(0, 0), kRed);
}

TEST(AssetgenPixelArt, RejectsCharacterMissingFromPalette) {
    const std::string error = ErrorParsing("colour r ff0000\nsprite a 0 0 3 1\nr.x\nend\n");
    EXPECT_NE(error.find("ship.txt:3:"), std::string::npos) << error;
    EXPECT_NE(error.find("'x' at column 3"), std::string::npos) << error;
}

TEST(AssetgenPixelArt, RejectsRowsOfTheWrongLength) {
    const std::string too_short = ErrorParsing("colour r ff0000\nsprite a 0 0 3 2\nrrr\nrr\nend\n");
    EXPECT_NE(too_short.find("ship.txt:4:"), std::string::npos) << too_short;
    EXPECT_NE(too_short.find("2 pixels wide"), std::string::npos) << too_short;
    const std::string too_long =
        ErrorParsing("colour r ff0000\nsprite a 0 0 3 2\nrrrr\nrrr\nend\n");
    EXPECT_NE(too_long.find("ship.txt:3:"), std::string::npos) << too_long;
}

TEST(AssetgenPixelArt, RejectsTheWrongNumberOfRows) {
    const std::string too_few = ErrorParsing("colour r ff0000\nsprite a 0 0 2 3\nrr\nrr\nend\n");
    EXPECT_NE(too_few.find("ship.txt:5:"), std::string::npos) << too_few;
    EXPECT_NE(too_few.find("has 2 rows, expected 3"), std::string::npos) << too_few;
    const std::string too_many = ErrorParsing("colour r ff0000\nsprite a 0 0 2 1\nrr\nrr\nend\n");
    EXPECT_NE(too_many.find("ship.txt:4:"), std::string::npos) << too_many;
    EXPECT_NE(too_many.find("more than 1 rows"), std::string::npos) << too_many;
    const std::string cut_off = ErrorParsing("colour r ff0000\nsprite a 0 0 2 2\nrr\n");
    EXPECT_NE(cut_off.find("has 1 rows, expected 2"), std::string::npos) << cut_off;
    const std::string no_end = ErrorParsing("colour r ff0000\nsprite a 0 0 2 1\nrr\n");
    EXPECT_NE(no_end.find("missing its 'end'"), std::string::npos) << no_end;
}

TEST(AssetgenPixelArt, RejectsBadPaletteLines) {
    EXPECT_NE(ErrorParsing("colour r ff0000\ncolour r 00ff00\n")
                  .find("ship.txt:2: palette "
                        "character 'r' is defined "
                        "twice"),
              std::string::npos);
    EXPECT_NE(ErrorParsing("colour . ff0000\n").find("other than '.'"), std::string::npos);
    EXPECT_NE(ErrorParsing("colour rr ff0000\n").find("one character"), std::string::npos);
    EXPECT_NE(ErrorParsing("colour r ff00\n").find("six hex digits"), std::string::npos);
    EXPECT_NE(ErrorParsing("colour r ff00zz\n").find("six hex digits"), std::string::npos);
    EXPECT_NE(ErrorParsing("colour r\n").find("expected 'colour"), std::string::npos);
}

TEST(AssetgenPixelArt, RejectsBadSpriteHeaders) {
    EXPECT_NE(ErrorParsing("sprite a 0 0 0 1\n").find("width must lie within"), std::string::npos);
    EXPECT_NE(ErrorParsing("sprite a 0 0 1 2000\n").find("height must lie within"),
              std::string::npos);
    EXPECT_NE(ErrorParsing("sprite a x 0 1 1\n").find("x must be a whole number"),
              std::string::npos);
    EXPECT_NE(ErrorParsing("sprite a 0 0 1\n").find("expected 'sprite"), std::string::npos);
    EXPECT_NE(ErrorParsing("sprit a 0 0 1 1\n").find("ship.txt:1: expected 'colour', 'sprite'"),
              std::string::npos);
}

TEST(AssetgenPixelArt, RejectsReusedNamesAndUnknownMirrorSources) {
    EXPECT_NE(ErrorParsing("colour r ff0000\nsprite a 0 0 1 1\nr\nend\nsprite a 8 0 1 1\nr\nend\n")
                  .find("ship.txt:5: sprite name 'a' is used twice"),
              std::string::npos);
    EXPECT_NE(ErrorParsing("mirror b 0 0 a\n").find("unknown sprite 'a'"), std::string::npos);
    EXPECT_NE(ErrorParsing("mirror b 0 0\n").find("expected 'mirror"), std::string::npos);
}

}  // namespace
}  // namespace assetgen
