#include "enemies/enemies.h"

namespace volley {

// Nothing lives in the enemy tables yet.
void UpdateEnemies(Game&) {}
void UpdateEnemyShots(Game&) {}

}  // namespace volley
