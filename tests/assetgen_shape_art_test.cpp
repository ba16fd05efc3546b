#include <gtest/gtest.h>

#include "assetgen_test_support.h"
#include "shape_art.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

constexpr Rgb kDark{10, 20, 30};
constexpr Rgb kLight{200, 210, 220};
constexpr Rgb kRim{1, 2, 3};

const char* const kRamps = "ramp two 0a141e c8d2dc\n";

std::vector<Sprite> Paint(const std::string& body) {
    return ParseShapeArt(std::string(kRamps) + body, "craft.txt");
}

bool IsSymmetric(const Sprite& sprite) {
    for (int y = 0; y < sprite.Height(); ++y) {
        for (int x = 0; x < sprite.Width(); ++x) {
            const int flipped = sprite.Width() - 1 - x;
            if (sprite.Opaque.At(x, y) != sprite.Opaque.At(flipped, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST(AssetgenShapeArt, CellIsCroppedToThePaintedPixels) {
    const std::vector<Sprite> sprites =
        Paint("outline none\nsprite disc 100 200 16 16 plain\nellipse two 8 8 4 4\nend\n");
    ASSERT_EQ(sprites.size(), 1u);
    const Sprite& disc = sprites[0];
    EXPECT_EQ(disc.Name, "disc");
    EXPECT_EQ(disc.X, 104);
    EXPECT_EQ(disc.Y, 204);
    EXPECT_EQ(disc.Width(), 8);
    EXPECT_EQ(disc.Height(), 8);
    EXPECT_TRUE(disc.Opaque.At(4, 0));
    EXPECT_TRUE(disc.Opaque.At(0, 4));
    EXPECT_FALSE(disc.Opaque.At(0, 0)) << "a disc has no corners";
}

TEST(AssetgenShapeArt, OutlineRimsTheShapeOnePixelWide) {
    const std::vector<Sprite> sprites =
        Paint("outline 010203\nsprite box 0 0 12 12 plain\nrect two 3 3 6 6\nend\n");
    const Sprite& box = sprites.at(0);
    EXPECT_EQ(box.X, 2);
    EXPECT_EQ(box.Width(), 8);
    EXPECT_EQ(box.Height(), 8);
    EXPECT_EQ(box.Colours.At(3, 0), kRim);
    EXPECT_EQ(box.Colours.At(0, 3), kRim);
    EXPECT_NE(box.Colours.At(3, 3), kRim);
    EXPECT_FALSE(box.Opaque.At(0, 0)) << "the rim follows edges, not corners";
}

TEST(AssetgenShapeArt, PlateIsLitOnTopAndShadedBelow) {
    const Sprite box =
        Paint("outline none\nsprite box 0 0 8 8 plain\nrect two 0 0 8 8\nend\n").at(0);
    EXPECT_EQ(box.Colours.At(4, 0), kLight);
    EXPECT_EQ(box.Colours.At(4, 7), kDark);
}

TEST(AssetgenShapeArt, GlowIsBrightestInTheMiddle) {
    const Sprite glow =
        Paint("outline none\nsprite glow 0 0 20 20 plain\nglow two 10 10 9 9\nend\n").at(0);
    const int middle = glow.Width() / 2;
    EXPECT_EQ(glow.Colours.At(middle, middle), kLight);
    EXPECT_EQ(glow.Colours.At(0, middle), kDark);
}

TEST(AssetgenShapeArt, RingLeavesItsMiddleClear) {
    const Sprite ring =
        Paint("outline none\nsprite ring 0 0 20 20 plain\nring two 10 10 8 4\nend\n").at(0);
    EXPECT_EQ(ring.Width(), 16);
    EXPECT_FALSE(ring.Opaque.At(8, 8));
    EXPECT_TRUE(ring.Opaque.At(8, 1));
}

TEST(AssetgenShapeArt, MirrorPaintsEveryShapeOnBothSides) {
    const std::string source =
        "outline 010203\nsprite wing 0 0 32 16 MODE\npoly two 2 2 10 4 6 14\n"
        "line two 12 1 14 10\nend\n";
    std::string mirrored = source;
    mirrored.replace(mirrored.find("MODE"), 4, "mirror");
    std::string plain = source;
    plain.replace(plain.find("MODE"), 4, "plain");
    const Sprite both = Paint(mirrored).at(0);
    const Sprite one = Paint(plain).at(0);
    EXPECT_TRUE(IsSymmetric(both));
    EXPECT_FALSE(IsSymmetric(one));
    EXPECT_EQ(both.X, one.X);
    EXPECT_EQ(both.X + both.Width(), 32 - one.X) << "reflected about the slot's middle";
}

TEST(AssetgenShapeArt, LinePaintsTheDarkestColour) {
    const Sprite seam =
        Paint("outline none\nsprite seam 0 0 8 8 plain\nline two 1 1 1 6\nend\n").at(0);
    EXPECT_EQ(seam.Width(), 1);
    EXPECT_EQ(seam.Height(), 6);
    EXPECT_EQ(seam.Colours.At(0, 3), kDark);
}

TEST(AssetgenShapeArt, MistakesNameTheLine) {
    EXPECT_NE(ErrorOf([] {
                  Paint("sprite a 0 0 8 8 plain\nglow nope 4 4 2 2\nend\n");
              }).find("craft.txt:3: no ramp is named 'nope'"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  Paint("sprite a 0 0 8 8 plain\nglow two 4 4 2\nend\n");
              }).find("craft.txt:3: wrong number of values for 'glow'"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  Paint("sprite a 0 0 8 8 plain\npoly two 1 1 2 2 3\nend\n");
              }).find("craft.txt:3: wrong number"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  Paint("sprite a 0 0 8 8 plain\nglow two 4 4 2 2\n");
              }).find("craft.txt:2: sprite a is missing its 'end'"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  Paint("sprite a 0 0 8 8 plain\nglow two 40 40 2 2\nend\n");
              }).find("sprite a has no opaque pixel"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  Paint("sprite a 0 0 8 8 sideways\nend\n");
              }).find("craft.txt:2: expected 'sprite"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] {
                  Paint(
                      "sprite a 0 0 8 8 plain\nglow two 4 4 2 2\nend\n"
                      "sprite a 9 0 8 8 plain\nglow two 4 4 2 2\nend\n");
              }).find("sprite name 'a' is used twice"),
              std::string::npos);
    EXPECT_NE(ErrorOf([] { Paint("ramp two 000000\n"); }).find("ramp 'two' is defined twice"),
              std::string::npos);
}

}  // namespace
}  // namespace assetgen
