#include "player/shots.h"

namespace volley {

// The ship has no guns yet.
void UpdatePlayerShots(Game&) {}

}  // namespace volley
