// The sprite rectangles read from Data/Data.dat: one per kind of player shot, enemy and enemy
// shot, each also the kind's hit box.
#pragma once

#include <cstdint>

#include "game/data_layout.h"
#include "game/keyed_array.h"
#include "game/kinds.h"

namespace volley {

struct SpriteRect {
    int16_t SrcX = 0;
    int16_t SrcY = 0;
    int16_t Width = 0;
    int16_t Height = 0;
};

using PlayerShotType = SpriteRect;
using EnemyType = SpriteRect;
using EnemyShotType = SpriteRect;

// One table of the data file: a rectangle per row, looked up by the kind it belongs to.
template <typename Kind>
using SpriteTable = KeyedArray<Kind, SpriteRect, kSpriteKinds>;

}  // namespace volley
