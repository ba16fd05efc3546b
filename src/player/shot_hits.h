// What the ship's shots hit: every shot meets every enemy each frame.
#pragma once

#include <array>
#include <cstdint>

#include "game/enemy.h"

namespace volley {

struct Game;

// The boxes of the enemies a shot can hit, side by side so that a shot meets all of them in a few
// wide comparisons. Shots do not move enemies, so one finding serves every shot of a frame; one
// that cannot be hit has a box that nothing touches.
struct EnemyBoxes {
    std::array<int32_t, kEnemySlots> Left{};
    std::array<int32_t, kEnemySlots> Right{};
    std::array<int32_t, kEnemySlots> Top{};
    std::array<int32_t, kEnemySlots> Bottom{};
};

void FindEnemyBoxes(const Game& g, EnemyBoxes& boxes);

// Tests shot number `shot`, standing at (x, y), against every enemy of boxes that can still be
// shot; each one it touches loses the shot's power, in the order of the enemy table. True when it
// touched at least one.
bool HitEnemies(Game& g, const EnemyBoxes& boxes, int x, int y, int shot);

}  // namespace volley
