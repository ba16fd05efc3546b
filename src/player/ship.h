// Flying and drawing the ship.
#pragma once

namespace volley {

struct Game;

// Places the ship at (x, y) and draws it there.
void DrawPlayer(Game& g, int x, int y);

// Moves the ship by the keys and joystick and draws it.
void MovePlayer(Game& g);

}  // namespace volley
