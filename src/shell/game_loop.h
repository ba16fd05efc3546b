// One stage, from its first frame to the end-of-stage screen.
#pragma once

namespace volley {

struct Game;

// Runs the stage's frames every 25 ms until the stage is over, then the end-of-stage screen.
// Returns when the player goes back to the title screen.
void GameLoop(Game& g);

// One frame's moves and drawing, with the window's picture composed from them: everything a frame
// of play does except reading the controls, showing the picture and waiting out the frame.
void StepFrame(Game& g);

// One frame of play, paced to 25 ms. Returns true when the stage is over; the frame is then shown
// but not waited out.
bool RunFrame(Game& g);

}  // namespace volley
