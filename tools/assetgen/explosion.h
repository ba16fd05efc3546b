// The blast left by a destroyed ship: a row of frames that flare white, swell into an orange
// fireball, then burn out from the middle into dark red wisps. Painted from a recipe rather than
// drawn, so its timing can be retuned by editing a few numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "params.h"
#include "sprite.h"

namespace assetgen {

// How one frame looks; sizes in pixels, the rest in fractions.
struct BlastFrame {
    double Radius = 0;  // of the fireball's outer edge
    double Hollow = 0;  // how far the burning-out has spread: 0 not at all, 1 nearly everywhere
    double Heat = 0;    // 1 and above: white-hot core; near 0: only the coolest colours remain
    double Ragged = 0;  // how far noise may push the edges in
    double Flare = 0;   // length of the flash's rays from the centre; 0 for none
    int Sparks = 0;     // loose embers thrown beyond the edge
};

struct ExplosionRecipe {
    std::string Name;  // frames are named <Name>_0, <Name>_1, ...
    SourcePlace Source;
    int X = 0;  // the first frame's cell; the others follow to its right
    int Y = 0;
    int Cell = 0;
    uint64_t Seed = 0;
    std::vector<Rgb> Ramp;  // hottest colour first
    std::vector<BlastFrame> Frames;
};

ExplosionRecipe ReadExplosionRecipe(const Params& params);

// One sprite per frame, pixel-art style: every pixel is a ramp colour or transparent.
std::vector<Sprite> PaintExplosion(const ExplosionRecipe& recipe);

}  // namespace assetgen
