#include "explosion.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "noise.h"
#include "rng.h"

namespace assetgen {
namespace {

// Noise cells across the fireball: enough for a lumpy edge, few enough to stay readable at 32 px.
constexpr int kNoiseCells = 5;
constexpr uint64_t kHoleSeedOffset = 77;
// How much of the burning-out is decided by noise rather than by distance from the centre.
constexpr double kPatchiness = 0.45;
// How much noise mottles the colour bands.
constexpr double kHeatNoise = 0.35;
// How much the heat falls from the centre to the rim of the fireball.
constexpr double kRimCooling = 0.65;
// Embers are a little cooler than the fireball they leave.
constexpr double kSparkHeat = 0.7;
// Embers fly this far beyond the fireball's edge, at most.
constexpr double kSparkReach = 1.35;

double Centre(const ExplosionRecipe& recipe) {
    return (recipe.Cell - 1) / 2.0;
}

// Noise sampled relative to the radius, so the same lumps grow with the blast from frame to frame.
double LumpAt(const ExplosionRecipe& recipe, const BlastFrame& frame, int x, int y,
              uint64_t seed_offset) {
    const double u = (x - Centre(recipe)) / (2 * frame.Radius) + 0.5;
    const double v = (y - Centre(recipe)) / (2 * frame.Radius) + 0.5;
    return FractalNoise(u, v, kNoiseCells, 3, recipe.Seed + seed_offset);
}

Rgb RampColour(const ExplosionRecipe& recipe, double heat) {
    const double coolness = std::clamp(1 - heat, 0.0, 1.0);
    const size_t last = recipe.Ramp.size() - 1;
    const size_t index =
        std::min(last, static_cast<size_t>(coolness * static_cast<double>(last + 1)));
    return recipe.Ramp[index];
}

double DistanceFromCentre(const ExplosionRecipe& recipe, int x, int y) {
    const double dx = x - Centre(recipe);
    const double dy = y - Centre(recipe);
    return std::sqrt(dx * dx + dy * dy);
}

// The middle burns out first, and patchily, so late frames break up into wisps rather than
// showing a clean ring.
bool BurntOut(const ExplosionRecipe& recipe, const BlastFrame& frame, int x, int y,
              double distance) {
    const double patch = LumpAt(recipe, frame, x, y, kHoleSeedOffset);
    return (1 - kPatchiness) * distance + kPatchiness * patch < frame.Hollow;
}

void PaintFireball(const ExplosionRecipe& recipe, const BlastFrame& frame, Sprite& sprite) {
    for (int y = 0; y < recipe.Cell; ++y) {
        for (int x = 0; x < recipe.Cell; ++x) {
            const double distance = DistanceFromCentre(recipe, x, y) / frame.Radius;
            const double lump = LumpAt(recipe, frame, x, y, 0);
            const double edge = 1 - frame.Ragged * lump;
            if (distance > edge || BurntOut(recipe, frame, x, y, distance / edge)) {
                continue;
            }
            const double heat =
                frame.Heat * (1 - kRimCooling * distance / edge) + kHeatNoise * (lump - 0.5);
            sprite.Colours.At(x, y) = RampColour(recipe, heat);
            sprite.Opaque.Set(x, y, true);
        }
    }
}

// Two-pixel-wide rays along the axes: the flash of the first frames. They cool along their length.
void PaintFlare(const ExplosionRecipe& recipe, const BlastFrame& frame, Sprite& sprite) {
    if (frame.Flare <= 0) {
        return;
    }
    const int low = (recipe.Cell - 1) / 2;
    for (int along = 0; along < recipe.Cell; ++along) {
        const double reach = std::abs(along - Centre(recipe)) / frame.Flare;
        if (reach > 1) {
            continue;
        }
        const Rgb colour = RampColour(recipe, frame.Heat * (1 - reach));
        for (int across = low; across <= low + 1; ++across) {
            for (const auto& [x, y] : {std::pair{along, across}, std::pair{across, along}}) {
                if (!sprite.Opaque.At(x, y)) {
                    sprite.Colours.At(x, y) = colour;
                    sprite.Opaque.Set(x, y, true);
                }
            }
        }
    }
}

// A direction with no trigonometry, so the embers land on the same pixels with any maths library.
void RandomDirection(Rng& rng, double& dx, double& dy) {
    while (true) {
        dx = rng.Between(-1, 1);
        dy = rng.Between(-1, 1);
        const double length_squared = dx * dx + dy * dy;
        if (length_squared > 0.1 && length_squared <= 1) {
            const double length = std::sqrt(length_squared);
            dx /= length;
            dy /= length;
            return;
        }
    }
}

void ThrowSparks(const ExplosionRecipe& recipe, const BlastFrame& frame, uint64_t frame_seed,
                 Sprite& sprite) {
    Rng rng(recipe.Seed ^ (frame_seed * 0x9E3779B97F4A7C15ull));
    for (int spark = 0; spark < frame.Sparks; ++spark) {
        double dx = 0;
        double dy = 0;
        RandomDirection(rng, dx, dy);
        const double reach = frame.Radius * rng.Between(1.0, kSparkReach);
        const int x = static_cast<int>(std::lround(Centre(recipe) + dx * reach));
        const int y = static_cast<int>(std::lround(Centre(recipe) + dy * reach));
        if (x < 0 || y < 0 || x >= recipe.Cell || y >= recipe.Cell) {
            continue;
        }
        sprite.Colours.At(x, y) = RampColour(recipe, frame.Heat * kSparkHeat);
        sprite.Opaque.Set(x, y, true);
    }
}

}  // namespace

ExplosionRecipe ReadExplosionRecipe(const Params& params) {
    ExplosionRecipe recipe;
    recipe.Name = params.Word("name");
    recipe.Source = params.PlaceOf("name");
    const std::vector<int> origin = params.Integers("origin", 2, 0, 4096);
    recipe.X = origin[0];
    recipe.Y = origin[1];
    recipe.Cell = params.Integer("cell", 4, 256);
    recipe.Seed = static_cast<uint64_t>(params.Integer("seed", 0, 1 << 30));
    recipe.Ramp = params.Colours("ramp", 0);
    const std::vector<double> radius = params.Numbers("radius", 0, 1, recipe.Cell / 2.0);
    const size_t frames = radius.size();
    const std::vector<double> hollow = params.Numbers("hollow", frames, 0, 1);
    const std::vector<double> heat = params.Numbers("heat", frames, 0, 4);
    const std::vector<double> ragged = params.Numbers("ragged", frames, 0, 1);
    const std::vector<double> flare = params.Numbers("flare", frames, 0, recipe.Cell / 2.0);
    const std::vector<int> sparks = params.Integers("sparks", frames, 0, 64);
    for (size_t i = 0; i < frames; ++i) {
        recipe.Frames.push_back({radius[i], hollow[i], heat[i], ragged[i], flare[i], sparks[i]});
    }
    params.RejectUnread();
    return recipe;
}

std::vector<Sprite> PaintExplosion(const ExplosionRecipe& recipe) {
    std::vector<Sprite> sprites;
    for (size_t i = 0; i < recipe.Frames.size(); ++i) {
        Sprite sprite;
        sprite.Name = recipe.Name + "_" + std::to_string(i);
        sprite.X = recipe.X + static_cast<int>(i) * recipe.Cell;
        sprite.Y = recipe.Y;
        sprite.Colours = Image(recipe.Cell, recipe.Cell);
        sprite.Opaque = BitGrid(recipe.Cell, recipe.Cell);
        sprite.Source = recipe.Source;
        PaintFireball(recipe, recipe.Frames[i], sprite);
        PaintFlare(recipe, recipe.Frames[i], sprite);
        ThrowSparks(recipe, recipe.Frames[i], i + 1, sprite);
        sprites.push_back(std::move(sprite));
    }
    return sprites;
}

}  // namespace assetgen
