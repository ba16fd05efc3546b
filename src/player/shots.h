// The ship's volleys and bombs.
#pragma once

namespace volley {

struct Game;

// Fires a volley every fourth frame while fire is held, drops a bomb when asked, then draws,
// moves and tests every flying shot. Does nothing while the ship is down.
void UpdatePlayerShots(Game& g);

// Fires the volley of the current power level from the ship, if a slot is free for it.
void FireVolley(Game& g);

// Sets off a bomb: its fragments fill every free slot of the bomb's half of the table.
void DropBomb(Game& g);

}  // namespace volley
