#include <gtest/gtest.h>

#include <algorithm>

#include "assetgen_test_support.h"
#include "background.h"
#include "explosion.h"
#include "gauge.h"
#include "noise.h"

namespace assetgen {
namespace {

using assetgen_test::ErrorOf;

ExplosionRecipe SmallBlast() {
    ExplosionRecipe recipe;
    recipe.Name = "boom";
    recipe.X = 0;
    recipe.Y = 32;
    recipe.Cell = 32;
    recipe.Seed = 5;
    recipe.Ramp = {{255, 255, 255}, {255, 200, 0}, {200, 40, 0}, {90, 10, 10}};
    recipe.Frames = {{4, 0, 1.5, 0.1, 10, 0}, {12, 0, 1.1, 0.3, 0, 6}, {15, 0.7, 0.3, 0.5, 0, 3}};
    return recipe;
}

int OpaqueCount(const Sprite& sprite) {
    return static_cast<int>(std::count(sprite.Opaque.Bits.begin(), sprite.Opaque.Bits.end(), 1));
}

TEST(AssetgenExplosion, FramesFollowEachOtherFromTheOrigin) {
    const std::vector<Sprite> frames = PaintExplosion(SmallBlast());
    ASSERT_EQ(frames.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(frames[i].Name, "boom_" + std::to_string(i));
        EXPECT_EQ(frames[i].X, 32 * i);
        EXPECT_EQ(frames[i].Y, 32);
        EXPECT_EQ(frames[i].Width(), 32);
        EXPECT_EQ(frames[i].Height(), 32);
    }
}

TEST(AssetgenExplosion, PaintsOnlyRampColoursAndBlackUnderClearPixels) {
    const ExplosionRecipe recipe = SmallBlast();
    for (const Sprite& frame : PaintExplosion(recipe)) {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const Rgb colour = frame.Colours.At(x, y);
                if (frame.Opaque.At(x, y)) {
                    EXPECT_NE(std::find(recipe.Ramp.begin(), recipe.Ramp.end(), colour),
                              recipe.Ramp.end())
                        << frame.Name << " " << x << "," << y;
                } else {
                    EXPECT_EQ(colour, kBlack) << frame.Name << " " << x << "," << y;
                }
            }
        }
    }
}

TEST(AssetgenExplosion, FlaresThenGrowsThenBurnsOut) {
    const std::vector<Sprite> frames = PaintExplosion(SmallBlast());
    // The flash's ray reaches far beyond its small fireball; the later frames have none.
    EXPECT_TRUE(frames[0].Opaque.At(7, 15));
    EXPECT_TRUE(frames[0].Opaque.At(16, 24));
    EXPECT_FALSE(frames[0].Opaque.At(24, 24));
    EXPECT_LT(OpaqueCount(frames[0]), OpaqueCount(frames[1]));
    EXPECT_LT(OpaqueCount(frames[2]), OpaqueCount(frames[1]));
    // The white-hot middle of the fireball is gone in the burnt-out frame.
    EXPECT_EQ(frames[1].Colours.At(15, 15), (Rgb{255, 255, 255}));
    EXPECT_FALSE(frames[2].Opaque.At(15, 15));
}

TEST(AssetgenExplosion, SameRecipeSamePixels) {
    const std::vector<Sprite> first = PaintExplosion(SmallBlast());
    const std::vector<Sprite> second = PaintExplosion(SmallBlast());
    ExplosionRecipe reseeded = SmallBlast();
    reseeded.Seed = 6;
    const std::vector<Sprite> other = PaintExplosion(reseeded);
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].Colours.Pixels, second[i].Colours.Pixels);
        EXPECT_EQ(first[i].Opaque.Bits, second[i].Opaque.Bits);
    }
    EXPECT_NE(first[2].Opaque.Bits, other[2].Opaque.Bits);
}

TEST(AssetgenExplosion, RecipeListsMustAgreeAndFitTheCell) {
    const std::string good =
        "name = boom\norigin = 0 32\ncell = 32\nseed = 1\nramp = ffffff 800000\n"
        "radius = 4 8\nhollow = 0 0.5\nheat = 1 0.5\nragged = 0 0.2\nflare = 6 0\nsparks = 0 3\n";
    const ExplosionRecipe recipe = ReadExplosionRecipe(Params::Parse(good, "boom.txt"));
    ASSERT_EQ(recipe.Frames.size(), 2u);
    EXPECT_EQ(recipe.Frames[1].Sparks, 3);
    EXPECT_EQ(recipe.Source.Line, 1);

    auto error_with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return ErrorOf([&] { ReadExplosionRecipe(Params::Parse(text, "boom.txt")); });
    };
    EXPECT_NE(error_with("hollow = 0 0.5", "hollow = 0").find("hollow needs 2 value(s)"),
              std::string::npos);
    EXPECT_NE(error_with("radius = 4 8", "radius = 4 16.5").find("radius must lie within"),
              std::string::npos);
    EXPECT_NE(error_with("seed = 1\n", "seed = 1\nsead = 2\n").find("unknown key 'sead'"),
              std::string::npos);
    EXPECT_NE(error_with("name = boom\n", "").find("missing 'name = ...'"), std::string::npos);
}

StarFieldRecipe PlainSky(int stars) {
    StarFieldRecipe recipe;
    recipe.Seed = 3;
    recipe.Base = {4, 4, 20};
    recipe.NebulaColours = {{40, 20, 90}};
    recipe.NebulaStrength = 0;
    recipe.NebulaThreshold = 0.4;
    recipe.NebulaCells = 3;
    recipe.NebulaOctaves = 3;
    recipe.Stars = stars;
    recipe.StarDimmest = 0.2;
    recipe.StarBrightest = 0.5;
    recipe.StarTints = {{255, 255, 255}};
    return recipe;
}

TEST(AssetgenStarField, StarsAreCountedDimAndNeverTouch) {
    const StarFieldRecipe recipe = PlainSky(40);
    const Image sky = PaintStarField(recipe, 50, 40);
    ASSERT_EQ(sky.Width, 50);
    ASSERT_EQ(sky.Height, 40);
    int stars = 0;
    for (int y = 0; y < sky.Height; ++y) {
        for (int x = 0; x < sky.Width; ++x) {
            if (sky.At(x, y) == recipe.Base) {
                continue;
            }
            ++stars;
            // Half way from the sky to white at the most.
            EXPECT_LE(sky.At(x, y).R, (4 + 255) / 2 + 1);
            EXPECT_GE(sky.At(x, y).R, 4 + (255 - 4) / 5);
            for (const auto& [dx, dy] :
                 {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}, std::pair{-1, 1}}) {
                // Neighbours wrap around, as the picture does when it tiles.
                const Rgb next = sky.At((x + dx + sky.Width) % sky.Width, (y + dy) % sky.Height);
                EXPECT_EQ(next, recipe.Base) << "stars touch at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(stars, 40);
}

TEST(AssetgenStarField, HazeStaysBetweenTheSkyAndItsHue) {
    StarFieldRecipe recipe = PlainSky(0);
    recipe.NebulaStrength = 1;
    const Image sky = PaintStarField(recipe, 64, 64);
    bool hazy = false;
    for (const Rgb& pixel : sky.Pixels) {
        EXPECT_GE(pixel.R, 4);
        EXPECT_LE(pixel.R, 40);
        EXPECT_GE(pixel.B, 20);
        EXPECT_LE(pixel.B, 90);
        hazy = hazy || pixel.B > 30;
    }
    EXPECT_TRUE(hazy);
}

TEST(AssetgenNoise, StaysInRangeAndWrapsAroundItsPeriod) {
    for (double y = -2; y < 6; y += 0.37) {
        for (double x = -2; x < 6; x += 0.29) {
            const double value = ValueNoise(x, y, 4, 9);
            EXPECT_GE(value, 0.0);
            EXPECT_LE(value, 1.0);
            EXPECT_NEAR(value, ValueNoise(x + 4, y, 4, 9), 1e-9);
            EXPECT_NEAR(value, ValueNoise(x, y - 4, 4, 9), 1e-9);
        }
    }
    EXPECT_NE(ValueNoise(0.5, 0.5, 4, 9), ValueNoise(0.5, 0.5, 4, 10));
}

TEST(AssetgenGauge, ShadedRedBandAboveShadedBlueBand) {
    const Image bar = PaintGaugeBar();
    ASSERT_EQ(bar.Width, 305);
    ASSERT_EQ(bar.Height, 90);
    for (int y = 0; y < 90; ++y) {
        const Rgb c = bar.At(0, y);
        const int hue = y <= 45 ? c.R : c.B, others = y <= 45 ? std::max(c.G, c.B) : c.R;
        EXPECT_GT(hue, others + 40) << "row " << y << " loses its band's colour";
        for (int x = 1; x < 305; ++x) {
            ASSERT_EQ(bar.At(x, y), c) << "the game may cut the bar at any column: " << x;
        }
    }
    // The two windows the game shows, rows 0-21 and 50-71: dark rims, lit upper middle.
    for (int top : {0, 50}) {
        const auto level = [&](int row) {
            const Rgb c = bar.At(0, top + row);
            return c.R + c.G + c.B;
        };
        EXPECT_LT(level(0) * 10, level(6) * 6) << top;
        EXPECT_LT(level(21) * 10, level(11) * 6) << top;
    }
}

}  // namespace
}  // namespace assetgen
