// The star field: eleven white points falling at their own speeds.
#pragma once

namespace volley {

struct Game;

// First placement at start-up: every star on the top row, in a random column, at a random speed.
void PlaceStars(Game& g);

// Plots each star where it stands, then moves it down; a star that has passed the bottom comes
// back on the top row in a new column.
void DrawStars(Game& g);

}  // namespace volley
