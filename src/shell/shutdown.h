// How the game ends: the one way out of the scene loop.
//
// A close request (Escape on any screen, the window's close button, a termination signal) is
// noticed deep inside the scene loop: in any wait, which looks at the window's events, and in the
// key checks of the title, a stage, a pause and a stage's result. There RequestClose unwinds at
// once, so no code of the loops that were running runs after it, to the one place that ends the
// scene loop: RunScenes (scenes.cpp) catches the request, runs the shutdown, FormUnload, and
// returns its exit code to main.
#pragma once

namespace volley {

struct Game;

// Thrown by RequestClose only; caught by RunScenes only.
struct CloseRequested {};

// Leaves the scene loop from wherever it is.
[[noreturn]] void RequestClose();

// The shutdown: closes the music, lets the recording of this run know and writes the save file.
// Returns the exit code: 0, or 1 when the save could not be written.
int FormUnload(Game& g);

}  // namespace volley
