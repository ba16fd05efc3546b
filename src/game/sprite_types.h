// The sprite rectangles read from Data/Data.dat: one per kind of player shot, enemy and enemy
// shot, each also the kind's hit box.
#pragma once

#include <array>
#include <cstdint>

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

inline constexpr int kSpriteKinds = 101;
template <typename Record>
using SpriteTable = std::array<Record, kSpriteKinds>;

}  // namespace volley
