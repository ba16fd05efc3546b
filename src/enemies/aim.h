// Aiming at the ship, for enemies and their shots alike.
#pragma once

#include <cstdint>

namespace volley {

struct Game;

struct Velocity {
    int16_t VX = 0;
    int16_t VY = 0;
};

// A velocity of about `speed` pixels per frame from (x, y) toward a random point 61 to 150 pixels
// right of and below the ship's top-left corner. Draws two random numbers.
Velocity AimFrom(Game& g, int x, int y, float speed);

}  // namespace volley
