// The backdrop behind the play field (Back.bmp): a dark, faintly clouded sky with a few dim stars.
// The game stretches it about 3.5 times, so every star becomes a small block; the moving white
// stars the game draws on top must stay the brightest thing on screen.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"
#include "params.h"

namespace assetgen {

inline constexpr int kBackdropWidth = 130;
inline constexpr int kBackdropHeight = 130;

struct StarFieldRecipe {
    uint64_t Seed = 0;
    Rgb Base;                        // the empty sky
    std::vector<Rgb> NebulaColours;  // the haze drifts between these
    double NebulaStrength = 0;       // 0..1: how far the densest haze leans toward its colour
    double NebulaThreshold = 0;      // density below which the sky stays clear
    int NebulaCells = 1;             // noise cells across the picture; it wraps, so it tiles
    int NebulaOctaves = 1;
    int Stars = 0;
    double StarDimmest = 0;  // fraction of the tint's full brightness
    double StarBrightest = 0;
    std::vector<Rgb> StarTints;
};

StarFieldRecipe ReadStarFieldRecipe(const Params& params);

// The sky is painted over exactly one period of its clouds, so it tiles at any size.
Image PaintStarField(const StarFieldRecipe& recipe, int width, int height);

}  // namespace assetgen
