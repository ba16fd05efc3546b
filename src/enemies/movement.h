// The small operations the movement and firing patterns are built from, each on the enemy it is
// given.
#pragma once

#include <cstdint>

namespace volley {

struct Enemy;
struct Game;

// True with odds of 1 in n. Draws one random number.
bool Chance(Game& g, int16_t n);

// Sets the enemy's velocity toward a point near the ship at about `speed` pixels per frame.
void AimEnemy(Game& g, Enemy& e, float speed);

// Heads for the ship along one axis: sideways (VY = 0) or up or down (VX = 0).
void DashAtPlayerX(const Game& g, Enemy& e, int16_t speed);
void DashAtPlayerY(const Game& g, Enemy& e, int16_t speed);

// Whether the ship is level with the enemy in a column (above or below it) or in a row.
bool PlayerInColumn(const Game& g, const Enemy& e);
bool PlayerInRow(const Game& g, const Enemy& e);

}  // namespace volley
