#pragma once

namespace volley {

struct Game;

// Fires, moves and tests the ship's shots and the bomb.
void UpdatePlayerShots(Game& g);

}  // namespace volley
