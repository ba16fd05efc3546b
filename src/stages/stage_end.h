#pragma once

namespace volley {

struct Game;

// Advances the enemies' explosions, awards their points and detects the stage clear.
void UpdateBlasts(Game& g);

// Advances the ship's wreck and detects the game over.
void UpdateWreck(Game& g);

}  // namespace volley
