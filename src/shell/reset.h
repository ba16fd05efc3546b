#pragma once

namespace volley {

struct Game;

// Puts the per-game state back as a new game wants it. The stage choice, the scores on record,
// the ship's speed, the stars, the frame timers and the sprite tables are left alone.
void ResetGame(Game& g);

}  // namespace volley
