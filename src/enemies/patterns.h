// The behaviour that differs by enemy kind.
#pragma once

namespace volley {

struct Game;

// Lets enemy `index` fire by its kind's pattern.
void FireEnemyShots(Game& g, int index);

// Adjusts enemy `index`'s velocity by its kind's pattern, then moves it by that velocity.
void EnemyMovePattern(Game& g, int index);

}  // namespace volley
