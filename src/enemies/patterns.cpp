#include "enemies/patterns.h"

#include "shell/game.h"

namespace volley {

// No kind fires yet.
void FireEnemyShots(Game&, int) {}

}  // namespace volley
