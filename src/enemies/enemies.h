// The enemy table's update.
#pragma once

namespace volley {

struct Game;

// For every active enemy and item, in slot order: age, fire, move, body contact with the ship,
// draw, and free it once it has left the field.
void UpdateEnemies(Game& g);

// The body contact of enemy `index` at (x, y) with the ship: an item is taken; an enemy hurts the
// ship unless the contact guard is up. True when the contact counted.
bool EnemyTouchesPlayer(Game& g, int x, int y, int index);

}  // namespace volley
