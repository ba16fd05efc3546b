// Pausing a stage.
#pragma once

namespace volley {

struct Game;

// Whether the player asked for a pause: P or the Pause key, a gamepad's Start button, or the
// window losing the focus.
bool PauseRequested(Game& g);

// Drops the pause requests made before the stage began (on the title or a stage's result): only
// a stage can be paused, and a new one must not start paused.
void ForgetPauseRequests(Game& g);

// Holds the stage still, with "PAUSE" on the play surface and the music held, until P, Pause or
// Start again; Escape quits as in play. Presses made during the pause are forgotten.
void PauseGame(Game& g);

}  // namespace volley
