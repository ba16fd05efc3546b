#pragma once

namespace volley {

struct Game;

// Ages, fires, moves, tests and draws every enemy and item.
void UpdateEnemies(Game& g);

// Moves, tests and draws every enemy shot.
void UpdateEnemyShots(Game& g);

}  // namespace volley
