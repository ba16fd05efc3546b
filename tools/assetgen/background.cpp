#include "background.h"

#include <algorithm>

#include "colour_math.h"
#include "noise.h"
#include "rng.h"

namespace assetgen {
namespace {

// Separate seeds for the haze's density and for its hue, so they do not move in lockstep.
constexpr uint64_t kHueSeedOffset = 1000;

Rgb SkyAt(const StarFieldRecipe& recipe, double u, double v) {
    const double density =
        FractalNoise(u, v, recipe.NebulaCells, recipe.NebulaOctaves, recipe.Seed);
    const double haze =
        std::clamp((density - recipe.NebulaThreshold) / (1 - recipe.NebulaThreshold), 0.0, 1.0);
    const double hue = FractalNoise(u, v, recipe.NebulaCells, 2, recipe.Seed + kHueSeedOffset);
    const size_t last = recipe.NebulaColours.size() - 1;
    const double position = hue * static_cast<double>(last);
    const size_t lower = std::min(static_cast<size_t>(position), last);
    const size_t upper = std::min(lower + 1, last);
    const Rgb tint = MixColours(recipe.NebulaColours[lower], recipe.NebulaColours[upper],
                                position - static_cast<double>(lower));
    return MixColours(recipe.Base, tint, haze * recipe.NebulaStrength);
}

bool NextToStar(const BitGrid& stars, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            // Neighbours wrap around, as the picture does when it tiles.
            const int nx = (x + dx + stars.Width) % stars.Width;
            const int ny = (y + dy + stars.Height) % stars.Height;
            if (stars.At(nx, ny)) {
                return true;
            }
        }
    }
    return false;
}

void ScatterStars(const StarFieldRecipe& recipe, Image& sky) {
    Rng rng(recipe.Seed);
    BitGrid taken(sky.Width, sky.Height);
    int placed = 0;
    // Stars never touch, so none grows into a bright clump when stretched; the attempt limit
    // only matters for an absurd star count.
    for (int attempt = 0; placed < recipe.Stars && attempt < recipe.Stars * 100; ++attempt) {
        const int x = rng.Below(sky.Width);
        const int y = rng.Below(sky.Height);
        const Rgb tint = recipe.StarTints[static_cast<size_t>(
            rng.Below(static_cast<int>(recipe.StarTints.size())))];
        const double brightness = rng.Between(recipe.StarDimmest, recipe.StarBrightest);
        if (NextToStar(taken, x, y)) {
            continue;
        }
        taken.Set(x, y, true);
        sky.At(x, y) = MixColours(sky.At(x, y), tint, brightness);
        ++placed;
    }
}

}  // namespace

StarFieldRecipe ReadStarFieldRecipe(const Params& params) {
    StarFieldRecipe recipe;
    recipe.Seed = static_cast<uint64_t>(params.Integer("seed", 0, 1 << 30));
    recipe.Base = params.Colour("base");
    recipe.NebulaColours = params.Colours("nebula_colours", 0);
    recipe.NebulaStrength = params.Number("nebula_strength", 0, 1);
    recipe.NebulaThreshold = params.Number("nebula_threshold", 0, 0.99);
    recipe.NebulaCells = params.Integer("nebula_cells", 1, 64);
    recipe.NebulaOctaves = params.Integer("nebula_octaves", 1, 8);
    recipe.Stars = params.Integer("stars", 0, 10000);
    const std::vector<double> brightness = params.Numbers("star_brightness", 2, 0, 1);
    recipe.StarDimmest = std::min(brightness[0], brightness[1]);
    recipe.StarBrightest = std::max(brightness[0], brightness[1]);
    recipe.StarTints = params.Colours("star_tints", 0);
    params.RejectUnread();
    return recipe;
}

Image PaintStarField(const StarFieldRecipe& recipe, int width, int height) {
    Image sky(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            sky.At(x, y) =
                SkyAt(recipe, static_cast<double>(x) / width, static_cast<double>(y) / height);
        }
    }
    ScatterStars(recipe, sky);
    return sky;
}

}  // namespace assetgen
