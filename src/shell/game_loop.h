// One stage, from its first frame to the end-of-stage screen.
#pragma once

namespace volley {

struct Game;

// Runs the stage's frames every 25 ms until the stage is over, then the end-of-stage screen.
// Returns when the player goes back to the title screen.
void GameLoop(Game& g);

// One frame of play, paced to 25 ms. Returns true when the stage is over; the frame is then shown
// but not waited out.
bool RunFrame(Game& g);

}  // namespace volley
