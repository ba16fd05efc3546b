// The energy gauge in the window's top band.
#pragma once

namespace volley {

struct Game;

// Red for the whole width, then blue from the left for PlayerEnergy percent of it. An energy of
// zero or less leaves the gauge all red.
void DrawEnergyGauge(Game& g);

}  // namespace volley
