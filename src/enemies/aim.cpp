#include "enemies/aim.h"

#include <cmath>

#include "game/game.h"
#include "game/numbers.h"

namespace volley {

namespace {

// How far past the ship's far corner the aim point lies: 29 to 118 pixels.
int32_t AimOffset(Game& g) {
    return Int(Rnd(g) * 90 + 29);
}

}  // namespace

Velocity AimFrom(Game& g, int x, int y, float speed) {
    const int32_t a = AimOffset(g);
    const int32_t dx = a + (g.PlayerX + kShipSize) - x;
    const int32_t b = AimOffset(g);
    const int32_t dy = b + (g.PlayerY + kShipSize) - y;
    int32_t d = RoundEven(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
    if (d == 0) {
        d = 1;
    }
    return Velocity{static_cast<int16_t>(RoundEven(double{speed} * dx / d)),
                    static_cast<int16_t>(RoundEven(double{speed} * dy / d))};
}

}  // namespace volley
