// The behaviour that differs by enemy kind.
#pragma once

namespace volley {

struct Game;

// Lets enemy `index` fire by its kind's pattern into the first free shot slot, searched for from
// slot `from` on (every slot before it is taken). Returns where the next enemy's search may start:
// while the enemies move and fire, shots are taken, never freed.
int FireEnemyShots(Game& g, int index, int from = 0);

// Adjusts enemy `index`'s velocity by its kind's pattern, then moves it by that velocity.
void EnemyMovePattern(Game& g, int index);

}  // namespace volley
