#include "enemies/patterns.h"

#include "shell/game.h"

namespace volley {

// No kind fires yet.
void FireEnemyShots(Game&, int) {}

// Every kind flies straight at its velocity for now.
void EnemyMovePattern(Game& g, int index) {
    Enemy& e = g.Enemies[index];
    e.X = static_cast<int16_t>(e.X + e.VX);
    e.Y = static_cast<int16_t>(e.Y + e.VY);
}

}  // namespace volley
