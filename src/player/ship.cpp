#include "player/ship.h"

#include "display/blit.h"
#include "shell/game.h"

namespace volley {

namespace {
constexpr int kShipSize = 32;
}

void DrawPlayer(Game& g, int x, int y) {
    g.PlayerX = static_cast<int16_t>(x);
    g.PlayerY = static_cast<int16_t>(y);
    DrawMasked(g, x, y, kShipSize * g.PlayerFrame, 0, kShipSize, kShipSize);
}

// The ship does not steer yet.
void MovePlayer(Game&) {}

}  // namespace volley
